#include <array>

#include "engine/steps/chain_steps.h"

namespace tavimoro::steps {
namespace {

constexpr std::array<ChainTechniqueEntry, 12> kChains{{
    {kXChain, "X-Chain", 6.6, FindXChain},
    {kXYChain, "XY-Chain", 6.7, FindXYChain},
    {kContinuousNiceLoop, "Continuous Nice Loop", 6.8, FindContinuousNiceLoop},
    {kDiscontinuousNiceLoop, "Discontinuous Nice Loop", 6.9, FindDiscontinuousNiceLoop},
    {kAlternatingInferenceChain, "AIC", 7.0, FindAlternatingInferenceChain},
    {kGroupedContinuousNiceLoop, "Grouped Continuous Nice Loop", 7.1, FindGroupedContinuousNiceLoop},
    {kGroupedDiscontinuousNiceLoop, "Grouped Discontinuous Nice Loop", 7.2, FindGroupedDiscontinuousNiceLoop},
    {kGroupedAlternatingInferenceChain, "Grouped AIC", 7.3, FindGroupedAlternatingInferenceChain},
    {kAlsXZ, "ALS-XZ", 7.5, FindAlsXZ},
    {kAlsXYWing, "ALS-XY-Wing", 7.7, FindAlsXYWing},
    {kAlsChain, "ALS Chain", 7.9, FindAlsChain},
    {kDeathBlossom, "Death Blossom", 8.0, FindDeathBlossom},
}};

constexpr bool NumberedInOrder() {
  for (std::size_t i = 0; i < kChains.size(); ++i)
    if (kChains[i].number != kXChain + static_cast<int>(i)) return false;
  return true;
}
static_assert(NumberedInOrder());

}  // namespace

std::span<const ChainTechniqueEntry> ChainTechniques() { return kChains; }

}  // namespace tavimoro::steps
