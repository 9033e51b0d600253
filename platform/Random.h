#pragma once

// The program's pseudo-random numbers: one generator for every module, like the C library's.

#include "platform/PlatformApi.h"

#include <cstdint>

namespace platform
{

// The largest number randomNumber answers.
inline constexpr int32_t randomMaximum = 32767;

// The next number of the sequence, from 0 to randomMaximum. Before any seeding the sequence is that
// of seed 1. Safe from any thread.
PLATFORM_API int32_t randomNumber();

// Starts the sequence again: the same seed gives the same numbers on every machine.
PLATFORM_API void seedRandom(uint32_t seed);

} // namespace platform
