#pragma once

#include <cstddef>

/// The process's resident memory in bytes, as the kernel reports it in /proc/self/status: now ("VmRSS") and the
/// most it has been so far ("VmHWM"). Both are zero when the file cannot be read.
struct ResidentMemory
{
    std::size_t now = 0;
    std::size_t peak = 0;
};
ResidentMemory residentMemory();

constexpr double kBytesPerMiB = 1024.0 * 1024.0;
