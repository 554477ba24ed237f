// Status panel texts and the analysis. The panel is decided in a fixed
// order: empty board, solved board, invalid board (with the one entered
// digit that explains it marked pink), then a valid unsolved board with the
// offer of an analysis or the analysis itself.
#include "board/status_composer.h"

#include <array>
#include <cstdio>
#include <optional>
#include <span>

#include "board/board.h"
#include "board/hint_composer.h"
#include "engine/extended_solve.h"
#include "engine/rating.h"
#include "engine/step_finder.h"
#include "engine/technique_registry.h"
#include "engine/validate.h"
#include "generator/generate.h"

namespace tavimoro {

namespace {

constexpr std::string_view kGrey = "#646464";  // RGB(100, 100, 100)

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& ch : out) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return out;
}

}  // namespace

std::string LevelCaption(int level) {
  return level >= 0 && level < kLevelCount ? std::string(LevelCaption(static_cast<GeneratorLevel>(level)))
                                           : std::string();
}

int FindWrongEntry(const Board& board) {
  const PuzzleState values = board.GetEngineGrid(false);
  for (int i = 0; i < 81; ++i) {
    if (board.Cells()[i].Value <= 0 || board.Cells()[i].Given) continue;
    PuzzleState trial = values;
    trial.Grid[i] = 0;
    CalcCandidates(trial);
    if (Validate(trial, true, false, true).empty()) return i;
  }
  return -1;
}

bool MarkWrongEntry(Board& board) {
  const int cell = FindWrongEntry(board);
  if (cell < 0) return false;
  board.Highlight(cell, WrongEntryColour);
  board.RedrawGrid(false);
  return true;
}

PuzzleState GetAnalysisState(const Board& board) {
  int cell = -1;
  std::string msg;
  const int check = board.PencilCheck(cell, msg, false);
  PuzzleState state;
  for (int i = 0; i < 81; ++i) state.Grid[i] = static_cast<std::uint8_t>(board.Cells()[i].Value);
  ExclusionTable exclusions;
  if (check == kMarksRight || check == kMarksMissing) {
    for (int i = 0; i < 81; ++i) {
      const CellRec& c = board.Cells()[i];
      if (c.Value != 0) continue;
      if (check == kMarksMissing && c.Marks == 0) continue;
      for (int d = 1; d <= 9; ++d)
        if (!c.Pencil(d)) exclusions.Set(i, d);
    }
  }
  CalcCandidates(state, exclusions);
  return state;
}

std::string TechniqueTable(const TechniqueCounts& counts) {
  return TechniqueTable(std::span<const int>(counts.data(), kTechniqueCount), 0);
}

std::string TechniqueTable(std::span<const int> counts, int firstTechnique) {
  const int total = static_cast<int>(counts.size());
  int used = 0;
  for (int t = 0; t < total; ++t) used += counts[t] > 0;
  const int columns = used > 3 ? 3 : used;
  const int rows = used > 3 ? (used + 2) / 3 : 1;
  std::string text = "<font size=3><table width=\"95%\" border=0>";
  int next = 0;
  for (int r = 0; r < rows; ++r) {
    text += "<tr>";
    for (int c = 0; c < columns; ++c) {
      while (next < total && counts[next] <= 0) ++next;
      if (next >= total) break;
      text += "<td>" + TechniqueName(static_cast<TechniqueId>(firstTechnique + next), true);
      if (counts[next] >= 2) text += " (" + std::to_string(counts[next]) + ")";
      text += "</td>";
      ++next;
    }
    text += "</tr>";
  }
  return text + "</table></font>";
}

std::string ExtendedAnalysis(const PuzzleState& state, SearchOptions options) {
  std::array<int, kTechniqueRowCount> counts{};
  const ExtendedSolve solve = SolveExtended(
      state, kNoTechniqueLimit,
      [&](const StepRecord& step) {
        const int technique = Index(step.Technique);
        if (technique > Index(kStuckRating)) ++counts[technique];
      },
      options);
  const int first = Index(kStuckRating) + 1;
  // The ladder's own sentence above lists its stuck rating as a technique;
  // these take its place rather than contradict it.
  std::string text = "<b>Beyond the ladder, " + TechniqueName(kStuckRating, false) + " can be replaced by ";
  text += solve.solved ? "these techniques, which finish the puzzle:</b>"
                       : "these techniques, which get further but do not finish the puzzle:</b>";
  text += TechniqueTable(std::span<const int>(counts).subspan(first), first);
  char score[64];
  std::snprintf(score, sizeof score, "ER %.1f / EP %.1f / ED %.1f", solve.score, solve.toFirstPlacement,
                solve.firstStep);
  text += "<b>Difficulty: " + std::string(score) + "</b><br>";
  return text;
}

std::optional<std::string> BoardHost::ExtendedAnalysisText(const PuzzleState& state, std::uint64_t) {
  return ExtendedAnalysis(state, SearchOptionsTicked());
}

std::string AnalysisSearchingText() { return "<i>Searching beyond the ladder...</i><br>"; }

std::string BuildAnalysis(const Board& board) {
  const AnalysisParts parts = AnalysisPartsOf(board);
  return parts.head +
         (parts.withExtended
              ? ExtendedAnalysis(parts.state,
                                 {.missingCandidates = board.OptionTicked(Command::MissingCandidates)})
              : std::string()) +
         parts.tail;
}

AnalysisParts AnalysisPartsOf(const Board& board) {
  AnalysisParts parts;
  parts.state = GetAnalysisState(board);
  const PuzzleState& state = parts.state;
  TechniqueCounts counts{};
  const int rating = Rate(state, counts, kNoTechniqueLimit);
  PuzzleState singlesCopy = state;
  const int singles = SolveWithSingles(singlesCopy);

  std::string text = "<b>Difficulty rating: ";
  for (int level = 0; level < kLevelCount; ++level) {
    if (LevelMaxTechnique(level) >= rating) {
      text += '"';
      text += LevelCaption(level);
      text += "\" (" + std::to_string(level + 1) + "/" + std::to_string(kLevelCount) + ")";
      break;
    }
  }
  text += ". Puzzle can be solved using these techniques:</b>";

  text += TechniqueTable(counts);
  parts.head = std::move(text);
  parts.withExtended = rating == Index(kStuckRating) && board.OptionTicked(Command::Extended);

  text = "<br><center>" + std::to_string(81 - state.FilledCount) + " unsolved cells. ";
  if (singlesCopy.FilledCount == 81)
    text += "All can be solved without using pencil marks.";
  else if (singles > 0)
    text += std::to_string(singles) + " can be solved without using pencil marks.";
  else
    text += "Pencil marks likely needed to solve.";
  if (board.OptionTicked(Command::Extended) && board.OptionTicked(Command::Easiest))
    text +=
        "<br>\"Easiest step first\" is on: a hint shows the step of the lowest difficulty score, "
        "from the ladder or beyond it, rather than the ladder's next rung.";
  parts.tail = std::move(text);
  return parts;
}

void UpdateStatus(Board& board, bool withAnalysis) {
  PuzzleState state = board.GetEngineGrid(false);
  const std::string g = PuzzleToString(state);
  const bool empty = g == std::string(81, '.');
  std::string r;
  if (empty) {
    r = "(Empty Grid)";
  } else {
    const std::string_view message = Validate(state, false, true, false);
    r = message.empty() ? PuzzleToString(state) : std::string(message);
  }

  bool red = false;
  std::string text;
  bool playable = false;
  bool searching = false;  // the part beyond the ladder is worked out elsewhere
  if (r == g) {
    text = "<h4><br><center>PUZZLE IS SOLVED!";
  } else if (r == "(Empty Grid)") {
    text = "<h5>" + r;
  } else if (r.size() != 81) {
    std::string pink;
    if (!LikePattern(Upper(r), "INVALID*MULTIPLE*")) {
      if (MarkWrongEntry(board)) pink = "Pink cell is invalid.";
      red = true;
    }
    text = "<h5>" + r + "</h5><br>" + pink;
  } else if (!withAnalysis && !board.OptionTicked(Command::ShowAnalysis)) {
    playable = true;
    text = "<center><font color=" + std::string(kGrey) +
           " size=7>Click <a href='RefreshWithAnal'>here</a><font color=" + std::string(kGrey) +
           " size=7> to see an analysis of this puzzle.</font>" + "<br><font color=" + std::string(kGrey) +
           " size=4>To learn what to do next, " +
           "click \"Hint\". If you need help, click the (?) button.</font>";
  } else {
    playable = true;
    board.SetStatusLight(false);
    board.SetPanel("Analyzing...");
    AnalysisParts parts = AnalysisPartsOf(board);
    if (parts.withExtended) {
      std::string head = parts.head, tail = parts.tail;
      const std::optional<std::string> extended =
          board.AskExtendedAnalysis(parts.state, std::move(parts.head), std::move(parts.tail));
      text = head + extended.value_or("") + tail;
      searching = !extended;
    } else {
      text = parts.head + parts.tail;
    }
  }
  board.SetStatusControls(!empty, playable);
  board.SetStatusLight(red);
  board.SetPanel(text);
  if (searching) board.SearchShown();
}

}  // namespace tavimoro
