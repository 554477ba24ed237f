// The program's only source of random numbers: MT19937, seeded once at
// start-up from the disk and the clock. Native unsigned 32-bit arithmetic;
// the outputs equal the reference generator's.
#pragma once

#include <array>
#include <cstdint>

namespace tavimoro {

class Mt19937 {
 public:
  void InitGenRand(std::uint32_t seed);
  void InitByArray(const std::uint32_t* key, int keyLength);
  std::uint32_t GenRandInt32();

 private:
  std::array<std::uint32_t, 624> mt_{};
  int mti_ = 625;
  bool initialised_ = false;
};

// The module-level generator and its operations. Not thread-safe: the
// generator and the window draw from it one at a time.
Mt19937& ModuleRandom();
void InitGenRand(std::uint32_t seed);
void InitByArray(const std::uint32_t* key, int keyLength);
std::uint32_t GenRandInt32();
double GenRandUnsigned();  // 0 .. 4294967295
double RandomFraction();   // [0, 1): GenRandUnsigned() * 2.328306437078469e-10

// File-system id of the program's folder; 0 when it cannot be read.
std::uint32_t VolumeSerial();
// File-system id of the file system that holds the path; 0 when it cannot be
// read.
std::uint32_t VolumeSerialOf(const char* path);
// Seeds from VolumeSerial, the time of day, the date and a monotonic tick.
void SeedFromEnvironment();

}  // namespace tavimoro
