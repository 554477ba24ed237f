// The technique registry: one row per technique, in id order, and the only
// place that states a technique's facts: its name, the label its steps'
// trace texts start with, help anchor, the caption the generator dialog
// shows, its difficulty level and score (and how a step's own score grows,
// where it does), the finder of a ladder rung, the form of hint that
// explains its steps and the codes of its cases in a regression library.
// FindNextStep, TechniqueName, the finders' traces and step scores, the
// rating bands, the generator, the analysis and the hint composer read it,
// and a test holds the help page's index to it.
//
// Adding a technique: its finder (a file under steps/, declared in
// steps/steps.h) filling the step's meaning block, its id in technique_id.h,
// its row here, its section on data/help/techniques.html, and its tests; a
// new HintForm (worded in board/hint_composer.cpp) only when no existing
// form explains it.
//
// Every finder has the same entry signature. Scratch that one rung prepares
// for a later one within a single FindNextStep call (the forcing chains'
// list of tries) lives in a StepContext on that call's stack, so concurrent
// searches share nothing.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/puzzle_state.h"
#include "engine/search_options.h"
#include "engine/step_record.h"
#include "engine/steps/net_steps.h"
#include "engine/steps/steps.h"
#include "engine/technique_id.h"

namespace tavimoro {

class StepContext {
 public:
  StepContext() = default;
  explicit StepContext(SearchOptions options) : options_(options) {}
  // What the search beyond the ladder may lean on; the rungs ignore it.
  const SearchOptions& Options() const { return options_; }
  // The forcing chains' list of tries, made on first use: the rungs before
  // them never pay for it.
  steps::ChainTries& Tries() {
    if (!tries_) tries_.emplace();
    return *tries_;
  }
  // The contradictions a batch found at the position, for the contradiction
  // net searched after it.
  steps::KnownContradictions& Contradictions() {
    if (!contradictions_) contradictions_.emplace();
    return *contradictions_;
  }

 private:
  std::optional<steps::ChainTries> tries_;
  std::optional<steps::KnownContradictions> contradictions_;
  SearchOptions options_;
};

// Fills the record for the first instance it accepts and returns true;
// otherwise leaves the record untouched and returns false.
using StepFinder = bool (*)(const PuzzleState& state, StepRecord& step, StepContext& context);

// Which explanation the hint composer writes for a step of the technique;
// the wording itself lives in the composer, filled from the step's meaning.
enum class HintForm : std::uint8_t {
  None,                // no step carries it (the stuck rating)
  Placement,           // "There is a ... in this cell (d)."
  HiddenSingle,        // the cell and the house it is the only place in
  BugPlacement,        // the BUG rule for the one cell with three candidates
  NakedSubset,         // cells of a house holding only as many digits
  HiddenSubset,        // digits of a house fitting only as many cells
  Omission,            // a digit locked where a line crosses a block
  Fish,                // base lines and cover lines
  Rectangle,           // the two rows and columns of a unique rectangle
  XYWing,              // pivot and pincers
  XYZWing,             // pivot holding the shared digit too
  BugElimination,      // cells carrying the extra digit of a grave
  ForcingChain,        // an assumption that ends in a contradiction
  Chain,               // strong and weak links walked node by node
  Uniqueness,          // a rectangle that must not be completed
  FinnedFish,          // base and cover lines, and fins in one block
  BugPlusN,            // a grave spoilt by a few cells' extra marks
  SueDeCoq,            // cells where a line crosses a block and their partners
  InferenceChain,      // a chain of strong and weak links: one of its ends is true
  NiceLoop,            // a chain closed into a loop: its weak links become strong
  ChainContradiction,  // a chain from a candidate back to it: the candidate is true
  DeathBlossom,        // a stem cell and one almost locked set per candidate
  ForcingNet,          // assumptions whose nets end in a contradiction or agree
  AvoidableRectangle,  // a rectangle of entered digits that must not be completed
  TwoChains,           // two single-digit chains through one block, each with its eliminations
  Template,            // the ways of placing all nine of a digit that fit the grid
  BentWing,            // n cells holding n digits, all but one confined to cells that see each other
  AlignedExclusion,    // the ways of filling two or three cells, ruled out by the cells they see
  KrakenFish,          // a finned fish, and per fin the net that removes what the fish would
};

struct TechniqueRow {
  TechniqueId id;
  std::string_view name;              // as the hints and the analysis show it
  std::string_view trace;             // what a step's trace text starts with (StartTrace adds ": ")
  std::string_view anchor;            // fragment on the techniques page
  std::string_view generatorCaption;  // the generator dialog's label
  int level;                          // difficulty level 0..5 of a puzzle rated by it (shown level + 1 of 6)
  double score;                       // difficulty on the usual 1..10 scale of the solving community
  StepFinder find;                    // nullptr only for the stuck rating
  HintForm hint;
  // The codes of a regression library's cases of this technique, four
  // digits each, apart by blanks ("0300"); a code with a variant ("0709-2")
  // claims that variant's cases from the row of the bare code. Empty when
  // it has none.
  std::string_view libraryCodes = {};
  // Where the trace label varies with the step (the fish's size, the
  // unique loop's type): the labels by the variant its finder names; the
  // trace above is the first one in use.
  std::span<const std::string_view> traceVariants = {};
  // A step's own score by its fish's size, where it grows with the size;
  // the row's score is that of the smallest.
  std::span<const double> scoreBySize = {};
};

// How the score of a unique loop step grows with its ring: by
// perTwoCells for each two cells beyond baseCells.
struct LoopScoring {
  int baseCells;
  double perTwoCells;
};
inline constexpr LoopScoring kLoopScoring{6, 0.1};

// An unfinished solve scores above the stuck rating (or the hardest step
// taken, if higher) by perCells for every `cells` cells left open, at most
// maxSteps times.
struct UnfinishedScoring {
  int cells;
  double perCells;
  int maxSteps;
};
inline constexpr UnfinishedScoring kUnfinishedScoring{5, 0.1, 9};

// How a forcing net step's score grows with its proof, above its row's
// score (the band's floor). A plain net: by perDoubling for each doubling
// of the proof beyond freeInferences, at most maxDoublings times. A nested
// net, charged for its own proof and its inner nets' together: nestedAt
// for nestedReference implications, nestedPerDoubling more or less per
// doubling or halving, nestedPerLevel more at the second level. A trial
// scores trial, above every net.
struct NetScoring {
  int freeInferences;
  double perDoubling;
  int maxDoublings;
  int nestedReference;
  double nestedAt;
  double nestedPerDoubling;
  double nestedPerLevel;
  double trial;
};
inline constexpr NetScoring kNetScoring{8, 0.1, 6, 512, 11.1, 0.3, 0.5, 12.5};

// Every row, row n having id n: the ladder's, the stuck rating's, then the
// techniques beyond the ladder.
std::span<const TechniqueRow> TechniqueRows();
// The rows after the stuck rating, in id order.
std::span<const TechniqueRow> ExtensionRows();
// The rows FindNextStep walks, in ladder order.
std::span<const TechniqueRow> LadderRungs();
// The row of an id; ids outside the registry give the stuck rating's row.
const TechniqueRow& Technique(TechniqueId id);
// The id of a technique number, or nullopt when no row has it.
std::optional<TechniqueId> TechniqueFromNumber(int number);
// Starts a step's trace text afresh: the row's trace label (the variant's,
// for a row whose label varies) followed by ": ".
void StartTrace(StepText& text, TechniqueId technique, int variant = 0);
// Whether a puzzle can be made whose hardest step is this technique: it has
// a finder and does not rest on digits the solver entered, which a new
// puzzle has none of.
bool PracticeCanMake(const TechniqueRow& row);

// Where the help pages live unless SetHelpBase says otherwise.
inline constexpr std::string_view kMakerHelpBase = "http://www.tavimoro.app/help/";

// Help pages. The base is where helpfile.html and techniques.html live (with
// a trailing "/"); it is set once at start-up, before any other thread runs,
// and defaults to the maker's web server.
void SetHelpBase(std::string base);
const std::string& HelpBase();
std::string TechniquesPageAddress();  // HelpBase() + "techniques.html"

// The technique's name; with asLink, wrapped as a link to its anchor on the
// techniques page. An id without a row gives "".
std::string TechniqueName(TechniqueId technique, bool asLink);

}  // namespace tavimoro
