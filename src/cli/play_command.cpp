// tavimoro-cli play: a headless session on the board. Commands come from
// standard input, one per line, and drive the board through the same
// operations the window uses; a scripted host stands in for the window,
// recording message boxes and answering questions from the script.
#include <cctype>
#include <deque>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include "app/settings/ini_document.h"
#include "app/settings/settings.h"
#include "board/board.h"
#include "board/hint_composer.h"
#include "board/status_composer.h"
#include "cli/args.h"
#include "cli/command.h"
#include "htmllabel/document.h"

namespace tavimoro::cli {
namespace {

// The window of a scripted session. Questions take the answers the script
// queued (Cancel when none is left), input boxes the queued texts ("" when
// none). Saved puzzles live in the settings file, as in the program.
class ScriptedHost : public BoardHost {
 public:
  explicit ScriptedHost(std::string iniPath) : iniPath_(std::move(iniPath)) {
    ticks_[BoardOption::ShowAnalysis] = ReadSetting("Options", "ShowAnalysis", iniPath_) == "Y";
  }

  void SetBoard(Board* board) { board_ = board; }
  const std::string& IniPath() const { return iniPath_; }

  std::deque<Answer> answers;
  std::deque<std::string> inputs;
  std::int64_t now = 0;
  nlohmann::ordered_json messages = nlohmann::ordered_json::array();
  int beeps = 0;
  std::optional<std::string> clipboard;
  std::string panel;
  bool lightRed = false;

  void Message(std::string_view title, std::string_view text) override { Record(title, text); }
  Answer Ask(std::string_view title, std::string_view text) override {
    Record(title, text);
    if (answers.empty()) return Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::string Input(std::string_view, std::string_view) override { return NextInput(); }
  void Beep() override { ++beeps; }
  void Redraw(bool withStatus) override {
    if (withStatus && board_ != nullptr) tavimoro::UpdateStatus(*board_, false);
  }
  void UndoEnabled(bool) override {}
  void ToolChanged(int) override {}
  void SetSwitchCaption(std::string_view) override {}
  bool OptionTicked(BoardOption option) override { return ticks_[option]; }
  void Toggle(BoardOption option) { ticks_[option] = !ticks_[option]; }
  std::optional<std::string> ClipboardText() override { return clipboard; }
  void SetClipboardText(std::string_view text) override { clipboard = std::string(text); }
  std::string PanelHtml() override { return panel; }
  // The panel keeps the document as the HTML label normalises it, so the
  // hint escalation reads back exactly what it reads in the window.
  void SetPanelHtml(std::string_view html) override { panel = html::ParseDocument(html, {}).Source; }
  void SetStatusLight(bool red) override { lightRed = red; }
  std::string SaveNameProblem(std::string_view name) override { return KeyNameProblem(name); }
  SaveResult StoreSavedPuzzle(std::string_view name, std::string_view record, bool overwrite) override {
    const WriteOutcome outcome = StoreSetting("SavedGames", name, record, iniPath_,
                                              overwrite ? WriteMode::Replace : WriteMode::OnlyIfAbsent);
    if (outcome.status == WriteOutcome::AlreadyExists) return SaveResult::NameTaken;
    if (outcome.ok()) return SaveResult::Stored;
    Record(kProgramTitle, outcome.problem);
    return SaveResult::Failed;
  }
  std::int64_t Milliseconds() override { return now; }
  // The saved-puzzle list takes the next input text as the chosen name.
  void Show(HostWindow window) override {
    if (window != HostWindow::SavedPuzzleList || board_ == nullptr) return;
    const std::string name = NextInput();
    const std::string data = name.empty() ? "" : ReadSetting("SavedGames", name, iniPath_);
    if (data.empty() || !board_->ApplyPuzzle(data)) Record(kProgramTitle, "An error occurred");
  }
  void OpenUrl(std::string_view) override {}
  void ShowHint() override {
    if (board_ != nullptr) tavimoro::ShowHint(*board_);
  }
  void UpdateStatus(bool withAnalysis) override {
    if (board_ != nullptr) tavimoro::UpdateStatus(*board_, withAnalysis);
  }

 private:
  void Record(std::string_view title, std::string_view text) {
    messages.push_back({{"title", std::string(title)}, {"text", std::string(text)}});
  }
  std::string NextInput() {
    if (inputs.empty()) return "";
    std::string text = std::move(inputs.front());
    inputs.pop_front();
    return text;
  }

  std::string iniPath_;
  std::map<BoardOption, bool> ticks_;
  Board* board_ = nullptr;
};

std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      out += '\n';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::optional<int> ParseInt(std::string_view text, int low, int high) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') return std::nullopt;
    value = value * 10 + (ch - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::optional<int> KeyCode(std::string_view name) {
  static const std::map<std::string_view, int> named = {
      {"Left", keys::Left},       {"Right", keys::Right},   {"Up", keys::Up},
      {"Down", keys::Down},       {"Decimal", keys::Decimal}, {"Period", keys::Period},
      {"Space", keys::Space},     {"Delete", keys::Delete}, {"Backspace", keys::Backspace},
      {"Enter", keys::Enter}};
  if (const auto it = named.find(name); it != named.end()) return it->second;
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return keys::Digit0 + (name[0] - '0');
  if (name.size() == 4 && name.starts_with("Num") && name[3] >= '0' && name[3] <= '9')
    return keys::Num0 + (name[3] - '0');
  if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0])))
    return keys::Letter(static_cast<char>(std::toupper(static_cast<unsigned char>(name[0]))));
  return std::nullopt;
}

class Session {
 public:
  explicit Session(std::string iniPath) : host_(std::move(iniPath)), board_(host_) { host_.SetBoard(&board_); }

  // Runs one command line; false with a message when it is not understood.
  bool Run(std::string_view verb, std::string_view rest, std::string& error);

 private:
  bool Menu(std::string_view item);
  void ToggleStored(std::string_view key, BoardOption option);
  void Show();

  ScriptedHost host_;
  Board board_;
};

void Session::ToggleStored(std::string_view key, BoardOption option) {
  host_.Toggle(option);
  WriteSetting("Options", key, host_.OptionTicked(option) ? "Y" : "N", host_.IniPath());
}

bool Session::Menu(std::string_view item) {
  if (item == "mnuSwitch") {
    board_.SwitchTool();
  } else if (item == "mnuPMCell") {
    if (board_.Controls.PmCell) board_.PencilMarkOneCell(-1, true);
  } else if (item == "mnuPMBlock") {
    board_.PencilMarkEntire(2, -1);
  } else if (item == "mnuPMRow") {
    board_.PencilMarkEntire(0, -1);
  } else if (item == "mnuPMColumn") {
    board_.PencilMarkEntire(1, -1);
  } else if (item == "mnuClearCell") {
    board_.ClearThisCell();
  } else if (item == "mnuSolveCell") {
    board_.SolveThisCell();
  } else if (item == "mnuAutoRemove") {
    host_.Toggle(BoardOption::AutoRemove);
  } else if (item == "mnuColor") {
    host_.Toggle(BoardOption::ColorMarks);
    board_.RedrawGrid();
  } else if (item == "mnuShowAnal") {
    ToggleStored("ShowAnalysis", BoardOption::ShowAnalysis);
    if (host_.OptionTicked(BoardOption::ShowAnalysis)) board_.RedrawGrid(true);
  } else if (item == "mnuRember" || item == "mnuCheckVer") {
    const std::string key = item == "mnuRember" ? "Wizard" : "CheckVer";
    const bool ticked = ReadSetting("Options", key, host_.IniPath()) != "N";
    WriteSetting("Options", key, ticked ? "N" : "Y", host_.IniPath());
  } else if (item == "mnuCopy") {
    board_.Copy();
  } else if (item == "mnuCopyPencil") {
    if (board_.Controls.CopyPencil) board_.CopyWithPencilMarks();
  } else if (item == "mnuPaste") {
    board_.PasteFromClipboard();
  } else if (item == "mnuUndo") {
    if (board_.Controls.Undo) board_.UndoLast();
  } else if (item == "mnuSave") {
    board_.SaveDialog();
  } else if (item == "mnuLoad") {
    board_.LoadDialog();
  } else if (item == "mnuShortcuts") {
    board_.ShowShortcuts();
  } else if (item == "mnuAbout") {
    board_.ShowAbout();
  } else if (item == "mnuPrint" || item == "mnuHelpFile" || item.starts_with("mnuFAQ")) {
    // Printing and help pages leave the board alone.
  } else {
    return false;
  }
  return true;
}

void Session::Show() {
  nlohmann::ordered_json colors = nlohmann::ordered_json::array();
  for (int i = 0; i < 81; ++i) {
    if (board_.CellColors[i] != 0) colors.push_back({i, board_.CellColors[i]});
  }
  const BoardControls& c = board_.Controls;
  const nlohmann::ordered_json shown = {
      {"board", board_.GetAllGrid()},
      {"sel", board_.SelCell},
      {"tool", board_.CurTool},
      {"colors", colors},
      {"panel", host_.PanelHtml()},
      {"light", host_.lightRed ? "red" : "black"},
      {"enabled",
       {{"clear", c.Clear},
        {"solution", c.Solution},
        {"hint", c.Hint},
        {"removeMarks", c.RemoveMarks},
        {"undo", c.Undo},
        {"copyPencil", c.CopyPencil},
        {"pmCell", c.PmCell}}},
      {"messages", host_.messages},
      {"beeps", host_.beeps},
      {"clipboard", host_.clipboard.value_or("")}};
  std::cout << shown.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n' << std::flush;
  host_.messages = nlohmann::ordered_json::array();
  host_.beeps = 0;
}

bool Session::Run(std::string_view verb, std::string_view rest, std::string& error) {
  if (verb == "apply") {
    board_.ApplyPuzzle(Unescape(rest));
  } else if (verb == "paste") {
    host_.clipboard = Unescape(rest);
    board_.PasteFromClipboard();
  } else if (verb == "key") {
    const auto space = rest.find(' ');
    const std::string_view name = rest.substr(0, space);
    const std::string_view modifier = space == std::string_view::npos ? "" : rest.substr(space + 1);
    const auto code = KeyCode(name);
    if (!code || (!modifier.empty() && modifier != "ctrl")) {
      error = "unknown key '" + std::string(rest) + "'";
      return false;
    }
    board_.Form_KeyDown(*code, modifier.empty() ? 0 : modifiers::Ctrl);
  } else if (verb == "click") {
    const auto space = rest.find(' ');
    const auto cell = ParseInt(rest.substr(0, space), 0, 80);
    const std::string_view button = space == std::string_view::npos ? "" : rest.substr(space + 1);
    if (!cell || (button != "left" && button != "right")) {
      error = "click needs a cell 0..80 and left or right";
      return false;
    }
    board_.picGrid_MouseUp(*cell, button == "left" ? MouseButton::Left : MouseButton::Right);
  } else if (verb == "toolbar") {
    const auto index = ParseInt(rest, 0, 9);
    if (!index) {
      error = "toolbar needs a button 0..9";
      return false;
    }
    board_.imgBut_Click(*index);
  } else if (verb == "menu") {
    if (!Menu(rest)) {
      error = "unknown menu item '" + std::string(rest) + "'";
      return false;
    }
  } else if (verb == "link") {
    board_.HyperlinkClick(rest);
  } else if (verb == "answer") {
    if (rest == "yes") {
      host_.answers.push_back(Answer::Yes);
    } else if (rest == "no") {
      host_.answers.push_back(Answer::No);
    } else if (rest == "cancel") {
      host_.answers.push_back(Answer::Cancel);
    } else {
      error = "answer needs yes, no or cancel";
      return false;
    }
  } else if (verb == "input") {
    host_.inputs.push_back(Unescape(rest));
  } else if (verb == "wait") {
    const auto ms = ParseInt(rest, 0, 999999999);
    if (!ms) {
      error = "wait needs a number of milliseconds";
      return false;
    }
    host_.now += *ms;
  } else if (verb == "show") {
    Show();
  } else {
    error = "unknown command '" + std::string(verb) + "'";
    return false;
  }
  return true;
}

int RunPlay(std::vector<std::string> raw) {
  Args args(std::move(raw));
  std::string error;
  const auto ini = args.Text("--ini", error);
  const auto rest = args.Rest(error);
  if (!error.empty()) return UsageError(error);
  if (!rest.empty()) return UsageError("play reads its commands from standard input");
  Session session(LocateIniFile(ini));
  std::string line;
  long number = 0;
  while (std::getline(std::cin, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    const auto space = line.find(' ');
    const std::string_view text(line);
    const std::string_view verb = text.substr(0, space);
    const std::string_view argument = space == std::string::npos ? "" : text.substr(space + 1);
    if (!session.Run(verb, argument, error)) {
      std::cerr << "tavimoro-cli play: line " << number << ": " << error << "\n";
      error.clear();
    }
  }
  return kExitOk;
}

const Registration registration({
    "play",
    "[--ini PATH]",
    "Drives the board from commands on standard input, one per line:\n"
    "apply TEXT, paste TEXT (\\n in TEXT is a line break), key NAME [ctrl],\n"
    "click CELL left|right, toolbar N, menu NAME, link TARGET,\n"
    "answer yes|no|cancel, input TEXT (queued for the next question or input box;\n"
    "the load dialog takes the puzzle's name from the next input), wait MS, and\n"
    "show, which prints the board, selection, tool, highlights, panel, enabled\n"
    "controls, messages and beeps since the last show, and the clipboard as JSON.",
    RunPlay,
});

}  // namespace
}  // namespace tavimoro::cli
