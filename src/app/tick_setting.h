// The setting that keeps a command's tick between runs, for a command row
// with a stored tick (commands.h).
#pragma once

#include "board/commands.h"
#include "settings/settings_schema.h"

namespace tavimoro::app {

inline YesNoSetting TickSetting(Command command) {
  const OptionTick& tick = InfoOf(command).tick;
  return OptionTickSetting(tick.storedKey, tick.storedDefault);
}

}  // namespace tavimoro::app
