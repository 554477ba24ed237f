// A BoardHost that records what the board asks of the window and answers
// questions and input boxes from queues (Cancel and "" when they run dry).
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "board/board.h"

namespace tavimoro::testing {

class RecordingHost : public BoardHost {
 public:
  struct Shown {
    std::string title, text;
  };

  std::vector<Shown> messages;      // message boxes and questions, in order
  std::deque<Answer> answers;
  std::deque<std::string> inputs;
  int beeps = 0;
  int redraws = 0;
  bool undoEnabled = false;
  std::string switchCaption;
  std::map<BoardOption, bool> ticks;
  std::optional<std::string> clipboard;
  std::string panel;
  bool lightRed = false;
  std::map<std::string, std::string> saved;  // names as written
  std::vector<HostWindow> windows;
  std::vector<std::string> urls;
  int hints = 0;
  std::vector<bool> statusUpdates;  // withAnalysis per UpdateStatus call
  std::int64_t now = 100000;

  void Message(std::string_view title, std::string_view text) override {
    messages.push_back({std::string(title), std::string(text)});
  }
  Answer Ask(std::string_view title, std::string_view text) override {
    Message(title, text);
    return Next(answers, Answer::Cancel);
  }
  std::string Input(std::string_view, std::string_view) override { return Next(inputs, std::string()); }
  void Beep() override { ++beeps; }
  void Redraw(bool) override { ++redraws; }
  void UndoEnabled(bool enabled) override { undoEnabled = enabled; }
  void ToolChanged(int) override {}
  void SetSwitchCaption(std::string_view caption) override { switchCaption = caption; }
  bool OptionTicked(BoardOption option) override { return ticks[option]; }
  std::optional<std::string> ClipboardText() override { return clipboard; }
  void SetClipboardText(std::string_view text) override { clipboard = std::string(text); }
  std::string PanelHtml() override { return panel; }
  void SetPanelHtml(std::string_view html) override { panel = html; }
  void SetStatusLight(bool red) override { lightRed = red; }
  std::string SaveNameProblem(std::string_view name) override {
    return name.find('=') != std::string_view::npos ? "The name cannot contain \"=\"." : "";
  }
  SaveResult StoreSavedPuzzle(std::string_view name, std::string_view record, bool overwrite) override {
    if (!overwrite && saved.count(std::string(name)) > 0) return SaveResult::NameTaken;
    saved[std::string(name)] = record;
    return SaveResult::Stored;
  }
  std::int64_t Milliseconds() override { return now; }
  void Show(HostWindow window) override { windows.push_back(window); }
  void OpenUrl(std::string_view url) override { urls.emplace_back(url); }
  void ShowHint() override { ++hints; }
  void UpdateStatus(bool withAnalysis) override { statusUpdates.push_back(withAnalysis); }

 private:
  template <typename T>
  static T Next(std::deque<T>& queue, T dry) {
    if (queue.empty()) return dry;
    T next = std::move(queue.front());
    queue.pop_front();
    return next;
  }
};

// A puzzle with one solution, and that solution.
inline constexpr std::string_view kPuzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
inline constexpr std::string_view kSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

}  // namespace tavimoro::testing
