// ScriptedHost: the board's host without a window, shared by `tavimoro-cli
// play`, the tests and the fuzzer. It records what the board shows (message
// boxes and questions, the panel, the light, windows opened, web pages,
// printing, redraws) and answers from queues: questions take the queued
// answers (Cancel when none is left), input boxes and the file chooser the
// queued texts ("" when none). Saved puzzles and option ticks live in
// memory; a host that keeps them elsewhere overrides the store calls.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "board/board.h"

namespace tavimoro {

class ScriptedHost : public BoardHost {
 public:
  struct Shown {
    std::string title, text;
    bool operator==(const Shown&) const = default;
  };

  std::vector<Shown> messages;  // message boxes and questions, in order
  std::deque<Answer> answers;
  std::deque<std::string> inputs;
  int beeps = 0;
  int redraws = 0;
  std::string switchCaption;
  std::map<Command, bool> ticks;
  std::optional<std::string> clipboard;
  std::string panel;
  bool lightRed = false;
  std::map<std::string, std::string> saved;  // names as written
  std::vector<HostWindow> windows;
  std::vector<std::string> urls;
  std::vector<std::string> printed;
  std::vector<std::size_t> severalPuzzles;  // totals of texts that held several puzzles
  std::int64_t now = 0;

  // With a board attached, the saved-puzzle list loads the puzzle named by
  // the next input text into it ("An error occurred" when there is none).
  void Attach(Board* board) { board_ = board; }

  void Message(std::string_view title, std::string_view text) override {
    messages.push_back({std::string(title), std::string(text)});
  }
  Answer Ask(std::string_view title, std::string_view text) override {
    Message(title, text);
    return Next(answers, Answer::Cancel);
  }
  std::string Input(std::string_view, std::string_view) override { return Next(inputs, std::string()); }
  void Beep() override { ++beeps; }
  void Redraw() override { ++redraws; }
  void ToolChanged(int) override {}
  void SetSwitchCaption(std::string_view caption) override { switchCaption = caption; }
  bool OptionTicked(Command option) override { return ticks[option]; }
  void SetOption(Command option, bool ticked) override { ticks[option] = ticked; }
  std::optional<std::string> ClipboardText() override { return clipboard; }
  void SetClipboardText(std::string_view text) override { clipboard = std::string(text); }
  std::string PanelHtml() override { return panel; }
  void SetPanelHtml(std::string_view html) override { panel = html; }
  void SetStatusLight(bool red) override { lightRed = red; }
  // Like the settings file, the store cannot hold a name with "=".
  std::string SaveNameProblem(std::string_view name) override {
    return name.find('=') != std::string_view::npos ? "The name cannot contain \"=\"." : "";
  }
  SaveResult StoreSavedPuzzle(std::string_view name, std::string_view record, bool overwrite) override {
    if (!overwrite && saved.count(std::string(name)) > 0) return SaveResult::NameTaken;
    saved[std::string(name)] = record;
    return SaveResult::Stored;
  }
  // The saved puzzle of that name, "" when there is none.
  virtual std::string SavedPuzzle(std::string_view name) {
    const auto it = saved.find(std::string(name));
    return it == saved.end() ? "" : it->second;
  }
  std::int64_t Milliseconds() override { return now; }
  void Show(HostWindow window) override {
    windows.push_back(window);
    if (window != HostWindow::SavedPuzzleList || board_ == nullptr) return;
    const std::string name = Next(inputs, std::string());
    const std::string data = name.empty() ? "" : SavedPuzzle(name);
    if (data.empty() || !board_->ApplyPuzzle(data)) Message(kProgramTitle, "An error occurred");
  }
  void OpenUrl(std::string_view url) override { urls.emplace_back(url); }
  void Print(std::string_view puzzle) override { printed.emplace_back(puzzle); }
  // The file chooser takes the next input text too.
  std::string ChoosePuzzleFile(bool) override { return Next(inputs, std::string()); }
  void SeveralPuzzlesRead(const std::vector<std::string>&, std::size_t total) override {
    severalPuzzles.push_back(total);
  }

 private:
  template <typename T>
  static T Next(std::deque<T>& queue, T dry) {
    if (queue.empty()) return dry;
    T next = std::move(queue.front());
    queue.pop_front();
    return next;
  }

  Board* board_ = nullptr;
};

}  // namespace tavimoro
