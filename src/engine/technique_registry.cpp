#include "engine/technique_registry.h"

#include <array>

#include "engine/step_finder.h"
#include "engine/steps/chain_steps.h"
#include "engine/steps/dual_template_wing_steps.h"
#include "engine/steps/kraken_fish.h"
#include "engine/steps/net_steps.h"
#include "engine/steps/pattern_steps.h"

namespace tavimoro {
namespace {

using namespace steps;
using Id = TechniqueId;
using Form = HintForm;

template <bool (*Find)(const PuzzleState&, StepRecord&)>
bool Plain(const PuzzleState& s, StepRecord& r, StepContext&) {
  return Find(s, r);
}
template <bool (*Find)(const PuzzleState&, StepRecord&, int), int Size>
bool Sized(const PuzzleState& s, StepRecord& r, StepContext&) {
  return Find(s, r, Size);
}
template <TechniqueId Type>
bool Rectangle(const PuzzleState& s, StepRecord& r, StepContext& c) {
  return Type == TechniqueId::HiddenRectangle
             ? FindHiddenRectangle(s, r, c.Options().missingCandidates)
             : FindUniqueRectangleType(s, r, Type, c.Options().missingCandidates);
}
template <int Size, bool Sashimi>
bool Finned(const PuzzleState& s, StepRecord& r, StepContext&) {
  return FindFinnedFish(s, r, Size, Sashimi);
}
template <bool (*Find)(const PuzzleState&, StepRecord&, bool, int), bool Finned>
bool Shaped(const PuzzleState& s, StepRecord& r, StepContext& c) {
  return Find(s, r, Finned, c.Options().largestCrossFish);
}
template <bool (*Find)(const PuzzleState&, StepRecord&, const KnownContradictions&)>
bool Known(const PuzzleState& s, StepRecord& r, StepContext& c) {
  return Find(s, r, c.Contradictions());
}
template <bool (*Find)(const PuzzleState&, StepRecord&, ChainTries&)>
bool Chained(const PuzzleState& s, StepRecord& r, StepContext& c) {
  return Find(s, r, c.Tries());
}

// Trace labels that vary with the step, by the variant the finder names.
constexpr std::array<std::string_view, 2> kOmissionTraces = {"OMISSION (Pointing)", "OMISSION (Claiming)"};
// By the cells of the grave's extra marks (a placement is always "BUG+1").
constexpr std::array<std::string_view, 5> kBugPlusTraces = {"", "BUG+1", "BUG+2", "BUG+3", "BUG+4"};
constexpr std::array<std::string_view, 5> kUniqueLoopTraces = {"", "UNIQUE LOOP TYPE 1", "UNIQUE LOOP TYPE 2",
                                                               "UNIQUE LOOP TYPE 3", "UNIQUE LOOP TYPE 4"};
// Fish by size, two to seven base sets.
constexpr int kFishSizes = 8;
using FishTraces = std::array<std::string_view, kFishSizes>;
constexpr FishTraces kFrankenTraces = {"",
                                       "",
                                       "FRANKEN X-WING",
                                       "FRANKEN SWORDFISH",
                                       "FRANKEN JELLYFISH",
                                       "FRANKEN SQUIRMBAG",
                                       "FRANKEN WHALE",
                                       "FRANKEN LEVIATHAN"};
constexpr FishTraces kFinnedFrankenTraces = {"",
                                             "",
                                             "FINNED FRANKEN X-WING",
                                             "FINNED FRANKEN SWORDFISH",
                                             "FINNED FRANKEN JELLYFISH",
                                             "FINNED FRANKEN SQUIRMBAG",
                                             "FINNED FRANKEN WHALE",
                                             "FINNED FRANKEN LEVIATHAN"};
constexpr FishTraces kMutantTraces = {"",
                                      "",
                                      "MUTANT X-WING",
                                      "MUTANT SWORDFISH",
                                      "MUTANT JELLYFISH",
                                      "MUTANT SQUIRMBAG",
                                      "MUTANT WHALE",
                                      "MUTANT LEVIATHAN"};
constexpr FishTraces kFinnedMutantTraces = {"",
                                            "",
                                            "FINNED MUTANT X-WING",
                                            "FINNED MUTANT SWORDFISH",
                                            "FINNED MUTANT JELLYFISH",
                                            "FINNED MUTANT SQUIRMBAG",
                                            "FINNED MUTANT WHALE",
                                            "FINNED MUTANT LEVIATHAN"};
using FishScores = std::array<double, kFishSizes>;
constexpr FishScores kFrankenScores = {0, 0, 3.5, 4.1, 5.5, 5.9, 6.3, 6.7};
constexpr FishScores kFinnedFrankenScores = {0, 0, 4.6, 5.6, 5.8, 6.2, 6.6, 7.0};
constexpr FishScores kMutantScores = {0, 0, 3.8, 4.4, 5.8, 6.2, 6.6, 7.0};
constexpr FishScores kFinnedMutantScores = {0, 0, 4.9, 5.9, 6.1, 6.5, 6.9, 7.3};

// id, name, trace label, anchor, generator caption, level, score, finder,
// hint form, regression library codes, trace variants, scores by size.
constexpr std::array<TechniqueRow, kTechniqueRowCount> kRows{{
    {Id::NakedSingle, "Naked Single", "NAKED SINGLE", "#b0", "Naked Single", 0, 2.3, Plain<FindNakedSingle>,
     Form::Placement, "0000 0003"},
    {Id::HiddenSingle, "Hidden Single", "", "#b1", "Hidden Single", 0, 1.2, Plain<FindHiddenSingle>,
     Form::HiddenSingle, "0002"},
    {Id::NakedPair, "Naked Pair", "NAKED PAIR", "#b2", "Naked Pair", 1, 3.0, Plain<FindNakedPair>,
     Form::NakedSubset, "0200 0110"},
    {Id::Omission, "Omission", "OMISSION (Pointing)", "#b3", "Omission", 1, 2.6, Plain<FindOmission>,
     Form::Omission, "0100 0101", kOmissionTraces},
    {Id::NakedTriplet, "Naked Triplet", "NAKED TRIPLET", "#b4", "Naked Triplet", 1, 3.6,
     Sized<FindNakedSubset, 3>, Form::NakedSubset, "0201 0111"},
    {Id::HiddenPair, "Hidden Pair", "HIDDEN PAIR", "#b5", "Hidden Pair", 2, 3.4, Plain<FindHiddenPair>,
     Form::HiddenSubset, "0210"},
    {Id::NakedQuad, "Naked Quad", "NAKED QUAD", "#b6", "Naked Quad", 2, 5.0, Sized<FindNakedSubset, 4>,
     Form::NakedSubset, "0202"},
    {Id::HiddenTriplet, "Hidden Triplet", "HIDDEN TRIPLET", "#b7", "Hidden Triplet", 2, 4.0,
     Sized<FindHiddenSubset, 3>, Form::HiddenSubset, "0211"},
    {Id::HiddenQuad, "Hidden Quad", "HIDDEN QUAD", "#b8", "Hidden Quad", 3, 5.4, Sized<FindHiddenSubset, 4>,
     Form::HiddenSubset, "0212"},
    {Id::BugType1, "BUG type 1", "BUG TYPE 1", "#b9", "B.U.G. Type 1", 3, 5.6, Plain<FindBugType1>,
     Form::BugPlacement, "0610"},
    {Id::XWing, "X Wing", "X-WING", "#b10", "X-Wing", 3, 3.2, Plain<FindXWing>, Form::Fish, "0300"},
    {Id::Swordfish, "Swordfish", "SWORDFISH", "#b11", "Swordfish", 3, 3.8, Plain<FindSwordfish>, Form::Fish,
     "0301"},
    {Id::UniqueRectangle1, "Unique Rectangle type 1", "UNIQUE RECTANGLE TYPE 1", "#b12", "Uniq. Rectangle 1",
     3, 4.5, Plain<FindUniqueRectangle>, Form::Rectangle, "0600"},
    {Id::XYWing, "XY Wing", "XY-WING", "#b13", "XY-Wing", 3, 4.2, Plain<FindXYWing>, Form::XYWing, "0800"},
    {Id::XYZWing, "XYZ Wing", "XYZ-WING", "#b14", "XYZ-Wing", 4, 4.4, Plain<FindXYZWing>, Form::XYZWing,
     "0801"},
    {Id::BugType2, "BUG type 2", "BUG TYPE 2", "#b15", "B.U.G. Type 2", 4, 5.7, Plain<FindBugType2>,
     Form::BugElimination},
    {Id::ForcingChain1, "Forcing Chain Type 1", "FORCING CHAIN Type 1", "#b16", "Forcing Chain 1", 4, 6.6,
     Chained<FindForcingChainType1>, Form::ForcingChain},
    {Id::ForcingChain2, "Forcing Chain Type 2", "FORCING CHAIN Type 2", "#b17", "Forcing Chain 2", 4, 7.5,
     Chained<FindForcingChainType2>, Form::ForcingChain},
    {Id::ComplexForcingChains, "Complex Forcing Chains", "", "#b18", "Forcing Chain 3+", 5, 9.0, nullptr,
     Form::None},
    // Beyond the ladder: asked only where the ladder finds nothing, the
    // lowest score first. All rate a puzzle at the top level.
    {Id::Skyscraper, "Skyscraper", "SKYSCRAPER", "#skyscraper", "Skyscraper", 5, 4.0, Plain<FindSkyscraper>,
     Form::Chain, "0400"},
    {Id::TwoStringKite, "2-String Kite", "2-STRING KITE", "#two-string-kite", "2-String Kite", 5, 4.1,
     Plain<FindTwoStringKite>, Form::Chain, "0401"},
    {Id::TurbotFish, "Turbot Fish", "TURBOT FISH", "#turbot-fish", "Turbot Fish", 5, 4.2,
     Plain<FindTurbotFish>, Form::Chain, "0403"},
    {Id::EmptyRectangle, "Empty Rectangle", "EMPTY RECTANGLE", "#empty-rectangle", "Empty Rectangle", 5, 4.3,
     Plain<FindEmptyRectangle>, Form::Chain, "0402"},
    {Id::SimpleColouring, "Simple Colouring", "SIMPLE COLOURING", "#simple-colouring", "Simple Colouring", 5,
     5.4, Plain<FindSimpleColouring>, Form::Chain, "0500 0501"},
    {Id::WWing, "W Wing", "W-WING", "#w-wing", "W-Wing", 5, 6.2, Plain<FindWWing>, Form::Chain, "0803"},
    {Id::RemotePair, "Remote Pair", "REMOTE PAIR", "#remote-pair", "Remote Pair", 5, 5.3,
     Plain<FindRemotePair>, Form::Chain, "0703"},
    {Id::UniqueRectangle2, "Unique Rectangle type 2", "UNIQUE RECTANGLE TYPE 2", "#unique-rectangle-2",
     "Uniq. Rectangle 2", 5, 4.5, Rectangle<Id::UniqueRectangle2>, Form::Uniqueness, "0601"},
    {Id::UniqueRectangle3, "Unique Rectangle type 3", "UNIQUE RECTANGLE TYPE 3", "#unique-rectangle-3",
     "Uniq. Rectangle 3", 5, 4.6, Rectangle<Id::UniqueRectangle3>, Form::Uniqueness, "0602"},
    {Id::UniqueRectangle4, "Unique Rectangle type 4", "UNIQUE RECTANGLE TYPE 4", "#unique-rectangle-4",
     "Uniq. Rectangle 4", 5, 4.5, Rectangle<Id::UniqueRectangle4>, Form::Uniqueness, "0603"},
    {Id::UniqueRectangle5, "Unique Rectangle type 5", "UNIQUE RECTANGLE TYPE 5", "#unique-rectangle-5",
     "Uniq. Rectangle 5", 5, 4.6, Rectangle<Id::UniqueRectangle5>, Form::Uniqueness, "0604"},
    {Id::UniqueRectangle6, "Unique Rectangle type 6", "UNIQUE RECTANGLE TYPE 6", "#unique-rectangle-6",
     "Uniq. Rectangle 6", 5, 5.2, Rectangle<Id::UniqueRectangle6>, Form::Uniqueness, "0605"},
    {Id::HiddenRectangle, "Hidden Rectangle", "HIDDEN RECTANGLE", "#hidden-rectangle", "Hidden Rectangle", 5,
     6.2, Rectangle<Id::HiddenRectangle>, Form::Uniqueness, "0606"},
    {Id::BugPlusN, "BUG+n", "BUG+1", "#bug-plus-n", "B.U.G.+n", 5, 6.3, Plain<FindBugPlusN>, Form::BugPlusN,
     "", kBugPlusTraces},
    {Id::Jellyfish, "Jellyfish", "JELLYFISH", "#jellyfish", "Jellyfish", 5, 5.2, Plain<FindJellyfish>,
     Form::Fish, "0302"},
    {Id::FinnedXWing, "Finned X Wing", "FINNED X-WING", "#finned-x-wing", "Finned X-Wing", 5, 4.4,
     Finned<2, false>, Form::FinnedFish, "0310"},
    {Id::SashimiXWing, "Sashimi X Wing", "SASHIMI X-WING", "#sashimi-x-wing", "Sashimi X-Wing", 5, 4.4,
     Finned<2, true>, Form::FinnedFish, "0320"},
    {Id::FinnedSwordfish, "Finned Swordfish", "FINNED SWORDFISH", "#finned-swordfish", "Finned Swordfish", 5,
     5.4, Finned<3, false>, Form::FinnedFish, "0311"},
    {Id::SashimiSwordfish, "Sashimi Swordfish", "SASHIMI SWORDFISH", "#sashimi-swordfish",
     "Sashimi Swordfish", 5, 5.4, Finned<3, true>, Form::FinnedFish, "0321"},
    {Id::FinnedJellyfish, "Finned Jellyfish", "FINNED JELLYFISH", "#finned-jellyfish", "Finned Jellyfish", 5,
     5.4, Finned<4, false>, Form::FinnedFish, "0312"},
    {Id::SashimiJellyfish, "Sashimi Jellyfish", "SASHIMI JELLYFISH", "#sashimi-jellyfish",
     "Sashimi Jellyfish", 5, 5.5, Finned<4, true>, Form::FinnedFish, "0322"},
    {Id::MultiColouring, "Multi-Colouring", "MULTI-COLOURING", "#multi-colouring", "Multi-Colouring", 5, 5.6,
     Plain<FindMultiColouring>, Form::Chain, "0502 0503"},
    {Id::SueDeCoq, "Sue de Coq", "SUE DE COQ", "#sue-de-coq", "Sue de Coq", 5, 6.3, Plain<FindSueDeCoq>,
     Form::SueDeCoq, "1101"},
    // Chains and almost locked sets. Their scores sit at the upper end of
    // the community's ranges. The difficulty score's easiest-first solve
    // with these values ranks rated.tsv with Spearman 0.970 against its
    // published ratings; moving the grouped chains, the almost locked sets
    // and Forcing Chain Type 2 up to 7.9..8.3 changes nothing.
    {Id::XChain, "X-Chain", "X-CHAIN", "#x-chain", "X-Chain", 5, 7.0, Plain<FindXChain>, Form::InferenceChain,
     "0701"},
    {Id::XYChain, "XY-Chain", "XY-CHAIN", "#xy-chain", "XY-Chain", 5, 7.1, Plain<FindXYChain>,
     Form::InferenceChain, "0702"},
    {Id::ContinuousNiceLoop, "Continuous Nice Loop", "CONTINUOUS NICE LOOP", "#continuous-nice-loop",
     "Cont. Nice Loop", 5, 7.2, Plain<FindContinuousNiceLoop>, Form::NiceLoop, "0706"},
    {Id::DiscontinuousNiceLoop, "Discontinuous Nice Loop", "DISCONTINUOUS NICE LOOP",
     "#discontinuous-nice-loop", "Discont. Nice Loop", 5, 7.3, Plain<FindDiscontinuousNiceLoop>,
     Form::ChainContradiction, "0707"},
    // A discontinuous loop that removes a candidate (the library's variant
    // 2) is shown as the AIC between the candidate's neighbours.
    {Id::Aic, "AIC", "AIC", "#aic", "AIC", 5, 7.4, Plain<FindAlternatingInferenceChain>, Form::InferenceChain,
     "0708 0707-2"},
    {Id::GroupedContinuousNiceLoop, "Grouped Continuous Nice Loop", "GROUPED CONTINUOUS NICE LOOP",
     "#grouped-continuous-nice-loop", "Grouped Cont. Nice Loop", 5, 7.5, Plain<FindGroupedContinuousNiceLoop>,
     Form::NiceLoop, "0709"},
    {Id::GroupedDiscontinuousNiceLoop, "Grouped Discontinuous Nice Loop", "GROUPED DISCONTINUOUS NICE LOOP",
     "#grouped-discontinuous-nice-loop", "Grouped Disc. Nice Loop", 5, 7.6,
     Plain<FindGroupedDiscontinuousNiceLoop>, Form::ChainContradiction, "0710"},
    {Id::GroupedAic, "Grouped AIC", "GROUPED AIC", "#grouped-aic", "Grouped AIC", 5, 7.6,
     Plain<FindGroupedAlternatingInferenceChain>, Form::InferenceChain, "0711 0710-2"},
    {Id::AlsXZ, "ALS-XZ", "ALS-XZ", "#als-xz", "ALS-XZ", 5, 7.7, Plain<FindAlsXZ>, Form::InferenceChain,
     "0901"},
    {Id::AlsXYWing, "ALS-XY-Wing", "ALS-XY-WING", "#als-xy-wing", "ALS-XY-Wing", 5, 7.8, Plain<FindAlsXYWing>,
     Form::InferenceChain, "0902"},
    {Id::AlsChain, "ALS Chain", "ALS CHAIN", "#als-chain", "ALS Chain", 5, 8.0, Plain<FindAlsChain>,
     Form::InferenceChain, "0903"},
    {Id::DeathBlossom, "Death Blossom", "DEATH BLOSSOM", "#death-blossom", "Death Blossom", 5, 8.0,
     Plain<FindDeathBlossom>, Form::DeathBlossom, "0904"},
    // Forcing nets, the last resort of logic, and the stated trial behind
    // them. A net step's own score grows with its proof within the band
    // (steps::NetStepScore); these are the bands' floors.
    {Id::ContradictionNet, "Contradiction Net", "CONTRADICTION NET", "#contradiction-net",
     "Contradiction Net", 5, 8.2, Known<FindContradictionNet>, Form::ForcingNet},
    {Id::CellNet, "Cell Forcing Net", "CELL FORCING NET", "#cell-forcing-net", "Cell Forcing Net", 5, 8.5,
     Plain<FindCellNet>, Form::ForcingNet},
    {Id::UnitNet, "Unit Forcing Net", "UNIT FORCING NET", "#unit-forcing-net", "Unit Forcing Net", 5, 8.6,
     Plain<FindUnitNet>, Form::ForcingNet},
    {Id::NestedNet, "Nested Forcing Net", "NESTED FORCING NET", "#nested-forcing-net", "Nested Forcing Net",
     5, 9.2, Plain<FindNestedNet>, Form::ForcingNet},
    {Id::DoublyNestedNet, "Doubly Nested Forcing Net", "DOUBLY NESTED FORCING NET",
     "#doubly-nested-forcing-net", "Doubly Nested Net", 5, 9.7, Plain<FindDoublyNestedNet>, Form::ForcingNet},
    {Id::Trial, "Trial", "TRIAL", "#trial", "Trial", 5, 10.5, Plain<FindTrial>, Form::ForcingNet},
    // Rectangles of digits the solver entered: numbered after the trial so
    // that no earlier number moves, searched by their score among the unique
    // rectangles. They find nothing in a state that does not mark its
    // entered cells, as the command line's and the rating's do not.
    {Id::AvoidableRectangle1, "Avoidable Rectangle type 1", "AVOIDABLE RECTANGLE TYPE 1",
     "#avoidable-rectangle-1", "Avoid. Rectangle 1", 5, 4.5, Plain<FindAvoidableRectangle>,
     Form::AvoidableRectangle, "0607"},
    {Id::AvoidableRectangle2, "Avoidable Rectangle type 2", "AVOIDABLE RECTANGLE TYPE 2",
     "#avoidable-rectangle-2", "Avoid. Rectangle 2", 5, 4.5, Plain<FindAvoidableRectangle2>,
     Form::AvoidableRectangle, "0608"},
    // The grouped chains and loops again, with almost locked sets as nodes
    // too: searched after the plain grouped forms, by score.
    {Id::GroupedContinuousNiceLoopAls, "Grouped Continuous Nice Loop (ALS)",
     "GROUPED CONTINUOUS NICE LOOP (ALS)", "#grouped-continuous-nice-loop-als", "Grouped Cont. Loop (ALS)", 5,
     7.7, Plain<FindGroupedContinuousNiceLoopAls>, Form::NiceLoop, "0709-2"},
    {Id::GroupedDiscontinuousNiceLoopAls, "Grouped Discontinuous Nice Loop (ALS)",
     "GROUPED DISCONTINUOUS NICE LOOP (ALS)", "#grouped-discontinuous-nice-loop-als",
     "Grouped Disc. Loop (ALS)", 5, 7.7, Plain<FindGroupedDiscontinuousNiceLoopAls>, Form::ChainContradiction,
     "0710-3"},
    {Id::GroupedAicAls, "Grouped AIC (ALS)", "GROUPED AIC (ALS)", "#grouped-aic-als", "Grouped AIC (ALS)", 5,
     7.7, Plain<FindGroupedAlternatingInferenceChainAls>, Form::InferenceChain, "0711-3 0711-4 0710-4"},
    // The ladder's Hidden Triplet and Quad in any house, scored as they are.
    {Id::HiddenTriple, "Hidden Triple", "HIDDEN TRIPLE", "#hidden-triple", "Hidden Triple", 5, 4.0,
     Sized<FindHiddenSubsetAnywhere, 3>, Form::HiddenSubset, "0211"},
    {Id::HiddenQuadruple, "Hidden Quadruple", "HIDDEN QUADRUPLE", "#hidden-quadruple", "Hidden Quadruple", 5,
     5.4, Sized<FindHiddenSubsetAnywhere, 4>, Form::HiddenSubset, "0212"},
    // A unique rectangle's ring of six or more cells, where the community's
    // rater puts its six-cell form.
    {Id::UniqueLoop, "Unique Loop", "UNIQUE LOOP TYPE 1", "#unique-loop", "Unique Loop", 5, 4.6,
     Plain<FindUniqueLoop>, Form::Uniqueness, "", kUniqueLoopTraces},
    // Fish whose sets take blocks (Franken) or any house (Mutant), sizes 2
    // to 4. The score is that of the smallest; a step's own score grows with
    // its size, as the scores by size say (steps::FishStepScore).
    {Id::FrankenFish, "Franken Fish", "FRANKEN X-WING", "#franken-fish", "Franken Fish", 5, 3.5,
     Shaped<FindFrankenFish, false>, Form::Fish, "0330 0331 0332 0333 0334 0335", kFrankenTraces,
     kFrankenScores},
    {Id::FinnedFrankenFish, "Finned Franken Fish", "FINNED FRANKEN X-WING", "#finned-franken-fish",
     "Finned Franken", 5, 4.6, Shaped<FindFrankenFish, true>, Form::FinnedFish,
     "0340 0341 0342 0343 0344 0345", kFinnedFrankenTraces, kFinnedFrankenScores},
    {Id::MutantFish, "Mutant Fish", "MUTANT X-WING", "#mutant-fish", "Mutant Fish", 5, 3.8,
     Shaped<FindMutantFish, false>, Form::Fish, "0350 0351 0352 0353 0354 0355", kMutantTraces,
     kMutantScores},
    {Id::FinnedMutantFish, "Finned Mutant Fish", "FINNED MUTANT X-WING", "#finned-mutant-fish",
     "Finned Mutant", 5, 4.9, Shaped<FindMutantFish, true>, Form::FinnedFish, "0360 0361 0362 0363 0364 0365",
     kFinnedMutantTraces, kFinnedMutantScores},
    // Dual kites and empty rectangles, templates and bent wings: two kites
    // or rectangles score a little above one.
    {Id::DualTwoStringKite, "Dual 2-String Kite", "DUAL 2-STRING KITE", "#dual-two-string-kite",
     "Dual 2-String Kite", 5, 4.2, Plain<FindDualTwoStringKite>, Form::TwoChains, "0404"},
    {Id::DualEmptyRectangle, "Dual Empty Rectangle", "DUAL EMPTY RECTANGLE", "#dual-empty-rectangle",
     "Dual Empty Rectangle", 5, 4.5, Plain<FindDualEmptyRectangle>, Form::TwoChains, "0405"},
    // Templates weigh every single-digit pattern at once; they have no score
    // of the community's, and sit just above the nets' floor.
    {Id::TemplateSet, "Template Set", "TEMPLATE SET", "#template-set", "Template Set", 5, 8.3,
     Plain<FindTemplateSet>, Form::Template, "1201"},
    {Id::TemplateDelete, "Template Delete", "TEMPLATE DELETE", "#template-delete", "Template Delete", 5, 8.3,
     Plain<FindTemplateDelete>, Form::Template, "1202"},
    // Bent wings of four to nine cells, a fifth of a point a cell above
    // the XYZ Wing.
    {Id::WxyzWing, "WXYZ-Wing", "WXYZ-WING", "#wxyz-wing", "WXYZ-Wing", 5, 4.6, Sized<FindBentWing, 4>,
     Form::BentWing},
    {Id::VwxyzWing, "VWXYZ-Wing", "VWXYZ-WING", "#vwxyz-wing", "VWXYZ-Wing", 5, 4.8, Sized<FindBentWing, 5>,
     Form::BentWing},
    {Id::UvwxyzWing, "UVWXYZ-Wing", "UVWXYZ-WING", "#uvwxyz-wing", "UVWXYZ-Wing", 5, 5.0,
     Sized<FindBentWing, 6>, Form::BentWing},
    {Id::TuvwxyzWing, "TUVWXYZ-Wing", "TUVWXYZ-WING", "#tuvwxyz-wing", "TUVWXYZ-Wing", 5, 5.2,
     Sized<FindBentWing, 7>, Form::BentWing},
    {Id::StuvwxyzWing, "STUVWXYZ-Wing", "STUVWXYZ-WING", "#stuvwxyz-wing", "STUVWXYZ-Wing", 5, 5.4,
     Sized<FindBentWing, 8>, Form::BentWing},
    {Id::RstuvwxyzWing, "RSTUVWXYZ-Wing", "RSTUVWXYZ-WING", "#rstuvwxyz-wing", "RSTUVWXYZ-Wing", 5, 5.6,
     Sized<FindBentWing, 9>, Form::BentWing},
    {Id::AlignedPairExclusion, "Aligned Pair Exclusion", "ALIGNED PAIR EXCLUSION", "#aligned-pair-exclusion",
     "Aligned Pair Excl.", 5, 6.2, Plain<FindAlignedPairExclusion>, Form::AlignedExclusion},
    {Id::AlignedTripleExclusion, "Aligned Triple Exclusion", "ALIGNED TRIPLE EXCLUSION",
     "#aligned-triple-exclusion", "Aligned Triple Excl.", 5, 7.5, Plain<FindAlignedTripleExclusion>,
     Form::AlignedExclusion},
    // A finned fish whose fins' forcing nets remove what the fish would:
    // just above the contradiction net's floor, so that it is asked only
    // where no contradiction net and no template step is found.
    {Id::KrakenFish, "Kraken Fish", "KRAKEN FISH", "#kraken-fish", "Kraken Fish", 5, 8.4,
     Plain<FindKrakenFish>, Form::KrakenFish},
}};

constexpr bool RowsInIdOrder() {
  for (std::size_t n = 0; n < kRows.size(); ++n)
    if (Index(kRows[n].id) != static_cast<int>(n)) return false;
  return true;
}
// Finders are checked by the registry test: the address of a function is
// not a constant expression in sanitizer builds.
constexpr bool EveryRowHasItsHint() {
  for (int n = 0; n < kTechniqueRowCount; ++n)
    if ((n == kLadderRungCount) != (kRows[n].hint == HintForm::None)) return false;
  for (int n = kLadderRungCount + 1; n < kTechniqueRowCount; ++n)
    if (kRows[n].level != kRows[kLadderRungCount].level) return false;
  return true;
}
// The ladder is ordered by difficulty: a level's band is a run of rows, up
// to the stuck rating, which alone makes the top level.
constexpr bool LevelsNeverFall() {
  for (int n = 1; n <= Index(kStuckRating); ++n)
    if (kRows[n].level < kRows[n - 1].level || kRows[n].level > kRows[n - 1].level + 1) return false;
  return kRows.front().level == 0 && kRows[Index(kStuckRating) - 1].level < kRows[Index(kStuckRating)].level;
}
static_assert(RowsInIdOrder());
static_assert(EveryRowHasItsHint());
static_assert(LevelsNeverFall());

std::string& HelpBaseStore() {
  static std::string base(kMakerHelpBase);
  return base;
}

}  // namespace

std::span<const TechniqueRow> TechniqueRows() { return kRows; }

std::span<const TechniqueRow> LadderRungs() { return std::span(kRows).first(kLadderRungCount); }

std::span<const TechniqueRow> ExtensionRows() { return std::span(kRows).subspan(kTechniqueCount); }

const TechniqueRow& Technique(TechniqueId id) {
  const int n = Index(id);
  return n < kTechniqueRowCount ? kRows[n] : kRows[Index(kStuckRating)];
}

bool PracticeCanMake(const TechniqueRow& row) {
  return row.find != nullptr && row.hint != HintForm::AvoidableRectangle;
}

std::optional<TechniqueId> TechniqueFromNumber(int number) {
  if (number < 0 || number >= kTechniqueRowCount) return std::nullopt;
  return kRows[number].id;
}

StepRecord FindNextStep(const PuzzleState& state, int maxTechnique) {
  StepRecord step;
  StepContext context;
  // Naked Single is tried whatever the limit.
  for (const TechniqueRow& rung : LadderRungs()) {
    if (rung.id != TechniqueId::NakedSingle && maxTechnique < Index(rung.id)) break;
    if (rung.find(state, step, context)) break;
  }
  return step;
}

void SetHelpBase(std::string base) { HelpBaseStore() = std::move(base); }

const std::string& HelpBase() { return HelpBaseStore(); }

std::string TechniquesPageAddress() { return HelpBase() + "techniques.html"; }

void StartTrace(StepText& text, TechniqueId technique, int variant) {
  const TechniqueRow& row = Technique(technique);
  const bool varied = variant >= 0 && variant < static_cast<int>(row.traceVariants.size());
  text.Clear();
  text << (varied ? row.traceVariants[static_cast<std::size_t>(variant)] : row.trace) << ": ";
}

std::string TechniqueName(TechniqueId technique, bool asLink) {
  if (Index(technique) >= kTechniqueRowCount) return {};
  const TechniqueRow& t = kRows[Index(technique)];
  std::string name(t.name);
  if (!asLink) return name;
  return "<a href='" + TechniquesPageAddress() + std::string(t.anchor) + "'>" + name + "</a>";
}

}  // namespace tavimoro
