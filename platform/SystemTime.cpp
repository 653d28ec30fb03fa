#include "platform/WinApi.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace
{

constexpr long kNanosecondsPerMillisecond = 1000000L;
constexpr int kYearOfTmZero = 1900;

} // namespace

void Sleep(DWORD milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void GetSystemTime(SYSTEMTIME* time)
{
    if (time == nullptr)
    {
        return;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm utc{};
    gmtime_r(&now.tv_sec, &utc);
    time->wYear = static_cast<WORD>(utc.tm_year + kYearOfTmZero);
    time->wMonth = static_cast<WORD>(utc.tm_mon + 1);
    time->wDayOfWeek = static_cast<WORD>(utc.tm_wday);
    time->wDay = static_cast<WORD>(utc.tm_mday);
    time->wHour = static_cast<WORD>(utc.tm_hour);
    time->wMinute = static_cast<WORD>(utc.tm_min);
    // A leap second shows as second 60 in struct tm; SYSTEMTIME has no such second.
    time->wSecond = static_cast<WORD>(utc.tm_sec > 59 ? 59 : utc.tm_sec);
    time->wMilliseconds = static_cast<WORD>(now.tv_nsec / kNanosecondsPerMillisecond);
}

namespace platform
{

DWORD timeOfDayMilliseconds(const SYSTEMTIME& time)
{
    const DWORD seconds = (static_cast<DWORD>(time.wHour) * 60u + time.wMinute) * 60u + time.wSecond;
    return seconds * 1000u + time.wMilliseconds;
}

DWORD sampleClockMilliseconds()
{
    SYSTEMTIME now{};
    GetSystemTime(&now);
    return timeOfDayMilliseconds(now);
}

} // namespace platform
