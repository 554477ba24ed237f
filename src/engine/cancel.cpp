#include "engine/cancel.h"

namespace tavimoro {

std::atomic<bool> GenerationCancelled{false};

void CancelGeneration() { GenerationCancelled.store(true, std::memory_order_relaxed); }

}  // namespace tavimoro
