// The third level of a forcing-net hint: the inferences that prove the step,
// one numbered line each, made from the step's meaning block. Only what the
// result rests on is a line of its own: a candidate that goes because a
// peer holds its digit is told inside the line that needs it, with the line
// that peer was placed on. Each branch ends in its result or in a line that
// names its contradiction; cell and unit nets close with the common result.
#pragma once

#include <string>
#include <string_view>

#include "engine/step_record.h"

namespace tavimoro {

// How a nested net's inner proofs are shown: in full, indented under the
// line that uses them, or (in the panel, to keep it short) as a link
// "SubProof N ..." on that line, N the path of node indices down to it.
enum class ProofForm { Inline, Linked };
inline constexpr std::string_view kSubProofLink = "SubProof";

// "1. Suppose R4C5 is 7.<br>2. Then R5C5 is 3, ..." Empty for a step
// without net nodes.
std::string NetProofLines(const StepRecord& step, ProofForm form = ProofForm::Inline);

// A hint's text with the step's inline proof replaced by its linked form.
std::string WithLinkedSubProofs(std::string text, const StepRecord& step);

// The sub-proof a "SubProof ..." link's node path (the text after the
// word) leads to, in linked form; in `title` the number of the line it
// stands under ("5", "5.3") and in `known` the earlier lines it takes as
// known (", with lines 1 to 4 known", or empty). Empty when the path does
// not lead to one. In `net`, when given, the inner net's own step.
std::string NetSubProof(const StepRecord& step, std::string_view path, std::string& title, std::string& known,
                        StepRecord* net = nullptr);

}  // namespace tavimoro
