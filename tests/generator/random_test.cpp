#include "generator/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace tavimoro {
namespace {

TEST(Mt19937, SeedByOneWordFollowsTheReferenceSequence) {
  Mt19937 ours;
  ours.InitGenRand(5489);
  EXPECT_EQ(ours.GenRandInt32(), 3499211612u);
  // The standard library's generator is an independent implementation of the
  // same recurrence; compare well past the first regeneration of the state.
  std::mt19937 reference(5489);
  reference();
  for (int i = 1; i < 5000; ++i) ASSERT_EQ(ours.GenRandInt32(), reference()) << i;

  Mt19937 other;
  other.InitGenRand(0xDEADBEEF);
  std::mt19937 otherReference(0xDEADBEEF);
  for (int i = 0; i < 1300; ++i) ASSERT_EQ(other.GenRandInt32(), otherReference()) << i;
}

TEST(Mt19937, UnseededGeneratorStartsFromTheDefaultSeed) {
  Mt19937 unseeded;
  EXPECT_EQ(unseeded.GenRandInt32(), 3499211612u);
  EXPECT_EQ(unseeded.GenRandInt32(), 581869302u);
}

TEST(Mt19937, SeedByArrayFollowsTheReferenceSequence) {
  const std::uint32_t key[] = {0x123, 0x234, 0x345, 0x456};
  Mt19937 g;
  g.InitByArray(key, 4);
  for (const std::uint32_t expected : {1067595299u, 955945823u, 477289528u, 4107218783u, 4228976476u}) {
    EXPECT_EQ(g.GenRandInt32(), expected);
  }
}

TEST(Mt19937, KeyLongerThanTheStateIsReadWhole) {
  std::uint32_t key[700];
  for (int i = 0; i < 700; ++i) key[i] = static_cast<std::uint32_t>(i * 2654435761u);
  Mt19937 a, b;
  a.InitByArray(key, 700);
  key[699] ^= 1;
  b.InitByArray(key, 700);
  EXPECT_NE(a.GenRandInt32(), b.GenRandInt32());
}

TEST(Mt19937, EmptyKeyIsReadAsASingleZero) {
  const std::uint32_t zero = 0;
  Mt19937 a, b;
  a.InitByArray(nullptr, 0);
  b.InitByArray(&zero, 1);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a.GenRandInt32(), b.GenRandInt32());
}

TEST(RandomFraction, StaysBelowOneAndChoicesStayInRange) {
  InitGenRand(5489);
  const double largest = 4294967295.0 * 2.328306437078469e-10;
  EXPECT_LT(largest, 1.0);
  EXPECT_EQ(static_cast<int>(std::floor(9 * largest + 1)), 9);
  for (int i = 0; i < 100000; ++i) {
    const double f = RandomFraction();
    ASSERT_GE(f, 0.0);
    ASSERT_LT(f, 1.0);
    const int choice = static_cast<int>(81 * f);
    ASSERT_GE(choice, 0);
    ASSERT_LE(choice, 80);
  }
}

TEST(RandomFraction, IsTheUnsignedOutputScaledByTheFixedFactor) {
  InitGenRand(5489);
  EXPECT_DOUBLE_EQ(RandomFraction(), 3499211612.0 * 2.328306437078469e-10);
  InitGenRand(5489);
  EXPECT_EQ(GenRandUnsigned(), 3499211612.0);
}

TEST(VolumeSerial, UnreadablePathGivesZero) {
  EXPECT_EQ(VolumeSerialOf("/no/such/folder/anywhere"), 0u);
  EXPECT_EQ(VolumeSerialOf(nullptr), 0u);
}

TEST(SeedFromEnvironment, SeedsTheModuleGenerator) {
  // The folder of the test program is readable, so its file-system id is
  // the same on every call.
  EXPECT_EQ(VolumeSerial(), VolumeSerial());
  InitGenRand(5489);
  SeedFromEnvironment();
  const std::uint32_t first = GenRandInt32();
  EXPECT_NE(first, 3499211612u);
}

}  // namespace
}  // namespace tavimoro
