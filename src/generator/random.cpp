// MT19937 written out in full on native unsigned 32-bit words (all arithmetic
// wraps modulo 2^32), plus the seed taken from the disk and the clock.
#include "generator/random.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <string>

namespace tavimoro {
namespace {

constexpr int kN = 624;
constexpr int kM = 397;
constexpr std::uint32_t kMatrixA = 0x9908B0DFu;
constexpr std::uint32_t kUpperMask = 0x80000000u;
constexpr std::uint32_t kLowerMask = 0x7FFFFFFFu;

}  // namespace

void Mt19937::InitGenRand(std::uint32_t seed) {
  mt_[0] = seed;
  for (int i = 1; i < kN; ++i) {
    mt_[i] = 1812433253u * (mt_[i - 1] ^ (mt_[i - 1] >> 30)) + static_cast<std::uint32_t>(i);
  }
  mti_ = kN;
  initialised_ = true;
}

void Mt19937::InitByArray(const std::uint32_t* key, int keyLength) {
  // An empty key reads as the single word 0.
  static constexpr std::uint32_t kZero = 0;
  if (key == nullptr || keyLength <= 0) {
    key = &kZero;
    keyLength = 1;
  }
  InitGenRand(19650218u);
  int i = 1, j = 0;
  for (int k = std::max(kN, keyLength); k > 0; --k) {
    mt_[i] =
        (mt_[i] ^ ((mt_[i - 1] ^ (mt_[i - 1] >> 30)) * 1664525u)) + key[j] + static_cast<std::uint32_t>(j);
    ++i;
    ++j;
    if (i >= kN) {
      mt_[0] = mt_[kN - 1];
      i = 1;
    }
    if (j >= keyLength) j = 0;
  }
  for (int k = kN - 1; k > 0; --k) {
    mt_[i] = (mt_[i] ^ ((mt_[i - 1] ^ (mt_[i - 1] >> 30)) * 1566083941u)) - static_cast<std::uint32_t>(i);
    ++i;
    if (i >= kN) {
      mt_[0] = mt_[kN - 1];
      i = 1;
    }
  }
  mt_[0] = kUpperMask;
}

std::uint32_t Mt19937::GenRandInt32() {
  static constexpr std::uint32_t kMag01[2] = {0, kMatrixA};
  if (!initialised_ || mti_ == kN + 1) InitGenRand(5489u);
  if (mti_ >= kN) {
    int k = 0;
    for (; k < kN - kM; ++k) {
      const std::uint32_t y = (mt_[k] & kUpperMask) | (mt_[k + 1] & kLowerMask);
      mt_[k] = mt_[k + kM] ^ (y >> 1) ^ kMag01[y & 1];
    }
    for (; k < kN - 1; ++k) {
      const std::uint32_t y = (mt_[k] & kUpperMask) | (mt_[k + 1] & kLowerMask);
      mt_[k] = mt_[k + kM - kN] ^ (y >> 1) ^ kMag01[y & 1];
    }
    const std::uint32_t y = (mt_[kN - 1] & kUpperMask) | (mt_[0] & kLowerMask);
    mt_[kN - 1] = mt_[kM - 1] ^ (y >> 1) ^ kMag01[y & 1];
    mti_ = 0;
  }
  std::uint32_t y = mt_[mti_++];
  y ^= y >> 11;
  y ^= (y << 7) & 0x9D2C5680u;
  y ^= (y << 15) & 0xEFC60000u;
  y ^= y >> 18;
  return y;
}

Mt19937& ModuleRandom() {
  static Mt19937 generator;
  return generator;
}

void InitGenRand(std::uint32_t seed) { ModuleRandom().InitGenRand(seed); }
void InitByArray(const std::uint32_t* key, int keyLength) { ModuleRandom().InitByArray(key, keyLength); }
std::uint32_t GenRandInt32() { return ModuleRandom().GenRandInt32(); }
double GenRandUnsigned() { return static_cast<double>(GenRandInt32()); }
double RandomFraction() { return GenRandUnsigned() * 2.328306437078469e-10; }

std::uint32_t VolumeSerial() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return 0;
  std::string folder(path, static_cast<std::size_t>(n));
  const auto slash = folder.rfind('/');
  if (slash == std::string::npos) return 0;
  folder.resize(slash == 0 ? 1 : slash);
  return VolumeSerialOf(folder.c_str());
}

std::uint32_t VolumeSerialOf(const char* path) {
  struct statvfs info {};
  if (path == nullptr || statvfs(path, &info) != 0) return 0;
  return static_cast<std::uint32_t>(info.f_fsid);
}

void SeedFromEnvironment() {
  timespec wall{};
  timespec tick{};
  clock_gettime(CLOCK_REALTIME, &wall);
  clock_gettime(CLOCK_MONOTONIC, &tick);
  const std::time_t now = wall.tv_sec;
  std::tm local{};
  localtime_r(&now, &local);
  // Seconds since midnight as a single-precision value, rounded half to even.
  const float seconds = static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) +
                        static_cast<float>(wall.tv_nsec) * 1e-9f;
  const auto milliseconds =
      static_cast<std::uint64_t>(tick.tv_sec) * 1000u + static_cast<std::uint64_t>(tick.tv_nsec) / 1000000u;
  const std::uint32_t key[6] = {
      VolumeSerial(),
      static_cast<std::uint32_t>(std::nearbyint(seconds)),
      static_cast<std::uint32_t>(local.tm_mday),
      static_cast<std::uint32_t>(local.tm_mon + 1),
      static_cast<std::uint32_t>(local.tm_year + 1900),
      static_cast<std::uint32_t>(milliseconds),
  };
  InitByArray(key, 6);
}

}  // namespace tavimoro
