#include "platform/Random.h"

#include <mutex>

namespace platform
{

namespace
{

std::mutex generatorMutex;
uint32_t generatorState = 1;

} // namespace

int32_t randomNumber()
{
    std::lock_guard<std::mutex> lock(generatorMutex);
    // The linear congruential generator of the C standard's example: small, and the same everywhere.
    generatorState = generatorState * 1103515245u + 12345u;
    return static_cast<int32_t>((generatorState / 65536u) % 32768u);
}

void seedRandom(uint32_t seed)
{
    std::lock_guard<std::mutex> lock(generatorMutex);
    generatorState = seed;
}

} // namespace platform
