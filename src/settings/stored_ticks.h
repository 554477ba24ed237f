// The option ticks that the settings file keeps between runs, for the hosts
// of the board (the window and `play`), which link both the board and the
// settings. The other ticks last for one run.
#pragma once

#include "board/board_host.h"
#include "settings/settings_schema.h"

namespace tavimoro {

// The setting that stores the tick, or nullptr for a tick of one run.
inline const YesNoSetting* StoredTick(BoardOption option) {
  switch (option) {
    case BoardOption::ShowAnalysis:
      return &setting::ShowAnalysis;
    case BoardOption::ShowWizard:
      return &setting::Wizard;
    case BoardOption::CheckVersion:
      return &setting::CheckVer;
    case BoardOption::NextCell:
      return &setting::NextCell;
    case BoardOption::GivenColor:
      return &setting::GivenColor;
    case BoardOption::HighlightDigit:
      return &setting::HighlightDigit;
    case BoardOption::ShowTimer:
      return &setting::ShowTimer;
    case BoardOption::Extended:
      return &setting::Extended;
    case BoardOption::Easiest:
      return &setting::Easiest;
    case BoardOption::AutoRemove:
    case BoardOption::ColorMarks:
      return nullptr;
  }
  return nullptr;
}

}  // namespace tavimoro
