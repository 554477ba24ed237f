// A board host for the shell's tests: answers every question with a set
// answer and records what the board asked of the window.
#pragma once

#include <string>
#include <vector>

#include "board/board.h"

class RecordingHost : public tavimoro::BoardHost {
 public:
  tavimoro::Answer answer = tavimoro::Answer::Yes;
  std::vector<std::string> messages;
  std::vector<tavimoro::HostWindow> shown;
  std::vector<std::string> urls;
  std::string panel;
  int tool = -1;

  void Message(std::string_view, std::string_view text) override { messages.emplace_back(text); }
  tavimoro::Answer Ask(std::string_view, std::string_view) override { return answer; }
  std::string Input(std::string_view, std::string_view) override { return {}; }
  void Beep() override {}
  void Redraw(bool) override {}
  void UndoEnabled(bool) override {}
  void ToolChanged(int t) override { tool = t; }
  void SetSwitchCaption(std::string_view) override {}
  bool OptionTicked(tavimoro::BoardOption) override { return false; }
  std::optional<std::string> ClipboardText() override { return std::nullopt; }
  void SetClipboardText(std::string_view) override {}
  std::string PanelHtml() override { return panel; }
  void SetPanelHtml(std::string_view html) override { panel = html; }
  void SetStatusLight(bool) override {}
  std::string SaveNameProblem(std::string_view) override { return {}; }
  bool SavedPuzzleExists(std::string_view) override { return false; }
  void StoreSavedPuzzle(std::string_view, std::string_view) override {}
  std::int64_t Milliseconds() override { return 0; }
  void Show(tavimoro::HostWindow window) override { shown.push_back(window); }
  void OpenUrl(std::string_view url) override { urls.emplace_back(url); }
  void ShowHint() override {}
  void UpdateStatus(bool) override {}
};
