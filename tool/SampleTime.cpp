#include "tool/SampleTime.h"

#include <cstdint>

namespace
{

constexpr std::uint64_t kMillisecondsPerDay = 86'400'000u;

} // namespace

double elapsedSampleTime(DWORD start, DWORD now)
{
    const std::uint64_t startOfDay = start % kMillisecondsPerDay;
    const std::uint64_t nowOfDay = now % kMillisecondsPerDay;
    return static_cast<double>((nowOfDay + kMillisecondsPerDay - startOfDay) % kMillisecondsPerDay);
}
