// The one mutable flag of the engine: a request to stop generating. It may be
// set from any thread (the generator dialog's Cancel button) while a
// generator runs on another.
#pragma once

#include <atomic>

namespace tavimoro {

extern std::atomic<bool> GenerationCancelled;

// Sets GenerationCancelled; the generator reads it and clears it.
void CancelGeneration();

}  // namespace tavimoro
