#pragma once

#include "platform/WinApi.h"

#include <functional>

/// The sample clock: UTC time of day in milliseconds.
using SampleClock = std::function<DWORD()>;

/// Milliseconds from the clock reading start to the reading now of the sample clock (UTC time of day in ms).
/// The clock starts again at 0 at midnight, so the difference is taken modulo one day: a stroke that crosses
/// midnight keeps growing times.
double elapsedSampleTime(DWORD start, DWORD now);
