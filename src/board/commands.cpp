// The one dispatch of toolbar buttons and menu items, and the bookkeeping
// that has the window repaint once per input event.
#include <array>

#include "board/board.h"
#include "board/hint_composer.h"
#include "board/status_composer.h"
#include "engine/step_finder.h"

namespace tavimoro {
namespace {

static_assert(kCommands.size() > kToolbarButtons);
constexpr bool ToolbarRowsComeFirst() {
  for (int i = 0; i < static_cast<int>(kCommands.size()); ++i) {
    if (static_cast<int>(kCommands[i].command) != i) return false;
    if ((kCommands[i].place == CommandPlace::Toolbar) != (i < kToolbarButtons)) return false;
  }
  return true;
}
static_assert(ToolbarRowsComeFirst(), "the toolbar's ten buttons are the first rows, in index order");

constexpr bool StoredKeysAreTheirOwn() {
  for (std::size_t i = 0; i < kCommands.size(); ++i) {
    const OptionTick& tick = kCommands[i].tick;
    if (!tick.storedKey.empty() && !tick.ticks) return false;
    for (std::size_t j = 0; j < i; ++j)
      if (!tick.storedKey.empty() && kCommands[j].tick.storedKey == tick.storedKey) return false;
  }
  return true;
}
static_assert(StoredKeysAreTheirOwn(), "each stored tick has a key of its own");

std::string HelpFileAddress() { return HelpBase() + "helpfile.html"; }

// Anchors of the help menu's questions 0..7 on the help file; question 8 is
// the techniques page.
constexpr std::array<std::string_view, 8> kQuestionAnchors = {
    "#top", "#puzzle", "#howsolve", "#external", "#newrandom", "#pencilmarks", "#tools", "#whatnext"};

}  // namespace

bool Board::Enabled(Command command) const {
  switch (command) {
    case Command::RemoveAllMarks:
      return state_.controls.RemoveMarks;
    case Command::ClearPuzzle:
      return state_.controls.Clear;
    case Command::ShowSolution:
      return state_.controls.Solution;
    case Command::Hint:
      return state_.controls.Hint;
    case Command::PencilMarkCell:
      return state_.controls.PmCell;
    case Command::CopyWithMarks:
    case Command::CopyMarkGrid:
      return state_.controls.CopyPencil;
    case Command::Undo:
      return state_.controls.Undo;
    case Command::Redo:
      return CanRedo();
    default:
      return true;
  }
}

// The rows' handlers, in row order. Defined in a member so that they reach
// the board's own operations.
const std::array<Board::Handler, kCommands.size()>& Board::Handlers() {
  static constexpr std::array<Handler, kCommands.size()> handlers = {
#define TAVIMORO_COMMAND_HANDLER(id, name, place, lineAbove, caption, keys, tick, handler) \
  []([[maybe_unused]] Board& board, [[maybe_unused]] int argument) { handler; },
      TAVIMORO_BOARD_COMMANDS(TAVIMORO_COMMAND_HANDLER)
#undef TAVIMORO_COMMAND_HANDLER
  };
  return handlers;
}

void Board::Execute(Command command, int argument) {
  const InputEvent event(*this);
  if (!Enabled(command)) return;
  if (InfoOf(command).tick.ticks) host_.SetOption(command, !host_.OptionTicked(command));
  Handlers()[static_cast<int>(command)](*this, argument);
}

void Board::OpenCellMenu() {
  host_.SetSwitchCaption(state_.curTool == kPen ? "Switch to Pencil tool" : "Switch to Pen tool");
  Modal().Show(HostWindow::CellMenu);
}

void Board::ForgetExtendedStep() { lastSearchBoard_.clear(); }

void Board::OpenHelpFile() { host_.OpenUrl(HelpFileAddress()); }

void Board::OpenHelpQuestion(int question) {
  if (question == 8) {
    host_.OpenUrl(TechniquesPageAddress());
  } else if (question >= 0 && question < static_cast<int>(kQuestionAnchors.size())) {
    host_.OpenUrl(HelpFileAddress() + std::string(kQuestionAnchors[question]));
  }
}

void Board::UpdateStatus(bool withAnalysis) {
  const InputEvent event(*this);
  tavimoro::UpdateStatus(*this, withAnalysis);
}

void Board::ShowHint() {
  const InputEvent event(*this);
  tavimoro::ShowHint(*this);
}

Board::PendingSearch* Board::RunningSearch(bool analysis, const std::string& position) {
  if (!pendingSearch_ || pendingSearch_->ticket != lastTicket_) return nullptr;
  if (pendingSearch_->analysis != analysis || pendingSearch_->board != position) return nullptr;
  return &*pendingSearch_;
}

std::optional<StepRecord> Board::AskExtendedStep(const PuzzleState& state, int level) {
  std::string position = GetAllGrid();
  if (position == lastSearchBoard_) return lastSearchStep_;
  if (PendingSearch* running = RunningSearch(false, position)) {
    running->level = level;
    if (running->slow) SetPanel(SearchingText());
    running->panel = host_.PanelHtml();
    return std::nullopt;
  }
  const std::uint64_t ticket = ++lastTicket_;
  pendingSearch_ = PendingSearch{ticket, false, {}, {}, level, position, host_.PanelHtml(), false};
  std::optional<StepRecord> step = host_.ExtendedStep(state, ticket);
  if (step) {
    pendingSearch_.reset();
    lastSearchBoard_ = std::move(position);
    lastSearchStep_ = *step;
  }
  return step;
}

std::optional<std::string> Board::AskExtendedAnalysis(const PuzzleState& state, std::string head,
                                                      std::string tail) {
  std::string position = GetAllGrid();
  if (position == lastAnalysisBoard_) return lastAnalysisText_;
  if (PendingSearch* running = RunningSearch(true, position)) {
    running->head = std::move(head);
    running->tail = std::move(tail);
    return std::nullopt;
  }
  const std::uint64_t ticket = ++lastTicket_;
  pendingSearch_ = PendingSearch{ticket, true, std::move(head), std::move(tail), 1, position, {}, false};
  std::optional<std::string> text = host_.ExtendedAnalysisText(state, ticket);
  if (text) {
    pendingSearch_.reset();
    lastAnalysisBoard_ = std::move(position);
    lastAnalysisText_ = *text;
  }
  return text;
}

void Board::SearchShown() {
  if (!pendingSearch_ || pendingSearch_->ticket != lastTicket_) return;
  PendingSearch& pending = *pendingSearch_;
  if (pending.slow) SetPanel(pending.head + AnalysisSearchingText() + pending.tail);
  pending.panel = host_.PanelHtml();
}

void Board::ExtendedAnalysisFound(std::uint64_t ticket, const std::string& text) {
  if (!SearchStands(ticket) || !pendingSearch_->analysis) return;
  const InputEvent event(*this);
  PendingSearch pending = std::move(*pendingSearch_);
  pendingSearch_.reset();
  lastAnalysisBoard_ = std::move(pending.board);
  lastAnalysisText_ = text;
  SetPanel(pending.head + text + pending.tail);
}

bool Board::SearchStands(std::uint64_t ticket) const {
  return pendingSearch_ && pendingSearch_->ticket == ticket && ticket == lastTicket_ &&
         pendingSearch_->panel == host_.PanelHtml() && pendingSearch_->board == GetAllGrid();
}

// A hint click while the analysis's part is searched for is a new request.
bool Board::ExtendedSearchPending() const {
  return pendingSearch_ && !pendingSearch_->analysis && SearchStands(pendingSearch_->ticket);
}

void Board::ExtendedStepFound(std::uint64_t ticket, const StepRecord& step) {
  if (!SearchStands(ticket) || pendingSearch_->analysis) return;
  const InputEvent event(*this);
  const int level = pendingSearch_->level;
  lastSearchBoard_ = std::move(pendingSearch_->board);
  lastSearchStep_ = step;
  pendingSearch_.reset();
  ShowStepHint(*this, step, level);
}

void Board::ExtendedSearchSlow(std::uint64_t ticket) {
  if (!SearchStands(ticket)) return;
  const InputEvent event(*this);
  const PendingSearch& pending = *pendingSearch_;
  SetPanel(pending.analysis ? pending.head + AnalysisSearchingText() + pending.tail : SearchingText());
  pendingSearch_->panel = host_.PanelHtml();
  pendingSearch_->slow = true;
}

void Board::SetPanel(std::string_view html) {
  host_.SetPanelHtml(html);
  NoteChange();
}

void Board::ClearCellColors() {
  state_.cellColors.fill(0);
  state_.lines.clear();
  NoteChange();
}

void Board::NoteChange() {
  redrawPending_ = true;
  if (eventDepth_ == 0) FlushRedraw();
}

void Board::FlushRedraw() {
  if (!redrawPending_) return;
  redrawPending_ = false;
  host_.Redraw();
}

BoardHost& Board::Modal() {
  FlushRedraw();
  return host_;
}

}  // namespace tavimoro
