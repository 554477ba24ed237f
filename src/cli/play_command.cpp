// tavimoro-cli play: a headless session on the board. Commands come from
// standard input, one per line, and drive the board through the same
// operations the window uses; a scripted host stands in for the window,
// recording message boxes and answering questions from the script.
#include <cctype>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include "board/board.h"
#include "board/scripted_host.h"
#include "cli/args.h"
#include "cli/command.h"
#include "htmllabel/document.h"
#include "settings/ini_document.h"
#include "settings/settings.h"
#include "settings/settings_schema.h"

namespace tavimoro::cli {
namespace {

// The window of a scripted session: the shared scripted host, with the saved
// puzzles and the stored option ticks in the settings file, as in the
// program, and the panel kept as the HTML label normalises it, so that the
// hint escalation reads back exactly what it reads in the window.
class PlayHost : public ScriptedHost {
 public:
  explicit PlayHost(std::string iniPath) : settings_(std::move(iniPath)) {
    for (const CommandInfo& row : kCommands) {
      if (!row.tick.storedKey.empty()) ticks[row.command] = settings_.Get(Stored(row.tick));
    }
  }

  void SetOption(tavimoro::Command option, bool ticked) override {
    ScriptedHost::SetOption(option, ticked);
    if (const OptionTick& tick = InfoOf(option).tick; !tick.storedKey.empty())
      settings_.Set(Stored(tick), ticked);
  }
  void SetPanelHtml(std::string_view html) override { panel = html::ParseDocument(html, {}).Source; }
  std::string SaveNameProblem(std::string_view name) override { return KeyNameProblem(name); }
  SaveResult StoreSavedPuzzle(std::string_view name, std::string_view record, bool overwrite) override {
    const WriteOutcome outcome = settings_.Store(setting::SavedGames, name, record,
                                                 overwrite ? WriteMode::Replace : WriteMode::OnlyIfAbsent);
    if (outcome.status == WriteOutcome::AlreadyExists) return SaveResult::NameTaken;
    if (outcome.ok()) return SaveResult::Stored;
    Message(kProgramTitle, outcome.problem);
    return SaveResult::Failed;
  }
  std::string SavedPuzzle(std::string_view name) override { return settings_.Get(setting::SavedGames, name); }

 private:
  static YesNoSetting Stored(const OptionTick& tick) {
    return OptionTickSetting(tick.storedKey, tick.storedDefault);
  }

  Settings settings_;
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
      {"Left", keys::Left},   {"Right", keys::Right},     {"Up", keys::Up},
      {"Down", keys::Down},   {"Decimal", keys::Decimal}, {"Period", keys::Period},
      {"Space", keys::Space}, {"Delete", keys::Delete},   {"Backspace", keys::Backspace},
      {"Enter", keys::Enter}, {"Home", keys::Home},       {"End", keys::End}};
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
  explicit Session(std::string iniPath) : host_(std::move(iniPath)), board_(host_) { host_.Attach(&board_); }

  // Runs one command line; false with a message when it is not understood.
  bool Run(std::string_view verb, std::string_view rest, std::string& error);

 private:
  bool Menu(std::string_view item);
  void Show();

  PlayHost host_;
  Board board_;
};

// A menu item by its name; the help questions are "mnuFAQ" followed by their
// index (any other ending opens nothing).
bool Session::Menu(std::string_view item) {
  if (item.starts_with("mnuFAQ")) {
    board_.Execute(tavimoro::Command::HelpQuestion, ParseInt(item.substr(6), 0, 8).value_or(-1));
    return true;
  }
  const auto command = MenuCommandNamed(item);
  if (!command) return false;
  board_.Execute(*command);
  return true;
}

void Session::Show() {
  nlohmann::ordered_json colors = nlohmann::ordered_json::array();
  for (int i = 0; i < 81; ++i) {
    if (board_.CellColors()[i] != 0) colors.push_back({i, board_.CellColors()[i]});
  }
  nlohmann::ordered_json messages = nlohmann::ordered_json::array();
  for (const ScriptedHost::Shown& shown : host_.messages)
    messages.push_back({{"title", shown.title}, {"text", shown.text}});
  const BoardControls& c = board_.Controls();
  const nlohmann::ordered_json shown = {{"board", board_.GetAllGrid()},
                                        {"sel", board_.SelCell()},
                                        {"tool", board_.CurTool()},
                                        {"colors", colors},
                                        {"panel", host_.panel},
                                        {"light", host_.lightRed ? "red" : "black"},
                                        {"enabled",
                                         {{"clear", c.Clear},
                                          {"solution", c.Solution},
                                          {"hint", c.Hint},
                                          {"removeMarks", c.RemoveMarks},
                                          {"undo", c.Undo},
                                          {"copyPencil", c.CopyPencil},
                                          {"pmCell", c.PmCell}}},
                                        {"messages", messages},
                                        {"beeps", host_.beeps},
                                        {"clipboard", host_.clipboard.value_or("")}};
  std::cout << shown.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n'
            << std::flush;
  host_.messages.clear();
  host_.beeps = 0;
}

bool Session::Run(std::string_view verb, std::string_view rest, std::string& error) {
  if (verb == "apply") {
    board_.ApplyPuzzle(Unescape(rest));
  } else if (verb == "paste") {
    host_.clipboard = Unescape(rest);
    board_.PasteFromClipboard();
  } else if (verb == "open") {
    board_.OpenPuzzleFile(std::string(rest));
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
    "apply TEXT, paste TEXT (\\n in TEXT is a line break), open PATH (a puzzle\n"
    "file), key NAME [ctrl], click CELL left|right, toolbar N, menu NAME,\n"
    "link TARGET, answer yes|no|cancel, input TEXT (queued for the next question\n"
    "or input box; the load dialog takes the puzzle's name and the file commands\n"
    "their file from the next input), wait MS, and\n"
    "show, which prints the board, selection, tool, highlights, panel, enabled\n"
    "controls, messages and beeps since the last show, and the clipboard as JSON.",
    RunPlay,
});

}  // namespace
}  // namespace tavimoro::cli
