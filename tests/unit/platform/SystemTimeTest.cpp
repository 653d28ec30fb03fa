#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <ctime>

namespace
{

constexpr DWORD kMillisecondsPerDay = 86'400'000u;

SYSTEMTIME timeOfDay(WORD hour, WORD minute, WORD second, WORD milliseconds)
{
    SYSTEMTIME time{};
    time.wYear = 2026;
    time.wMonth = 12;
    time.wDay = 8;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    time.wMilliseconds = milliseconds;
    return time;
}

TEST(SystemTimeTest, TimeOfDayCountsMillisecondsSinceMidnight)
{
    EXPECT_EQ(platform::timeOfDayMilliseconds(timeOfDay(0, 0, 0, 0)), 0u);
    EXPECT_EQ(platform::timeOfDayMilliseconds(timeOfDay(12, 34, 56, 789)), 45'296'789u);
    EXPECT_EQ(platform::timeOfDayMilliseconds(timeOfDay(23, 59, 59, 999)), kMillisecondsPerDay - 1);
}

TEST(SystemTimeTest, SystemTimeIsTheCurrentUtcTime)
{
    const std::time_t before = std::time(nullptr);
    SYSTEMTIME now{};
    GetSystemTime(&now);
    std::tm utc{};
    gmtime_r(&before, &utc);

    EXPECT_EQ(now.wYear, utc.tm_year + 1900);
    EXPECT_EQ(now.wMonth, utc.tm_mon + 1);
    EXPECT_EQ(now.wDay, utc.tm_mday);
    EXPECT_EQ(now.wDayOfWeek, utc.tm_wday);
    EXPECT_LT(now.wMilliseconds, 1000);
    const long secondsOfDay = (utc.tm_hour * 60L + utc.tm_min) * 60L + utc.tm_sec;
    const long reportedSecondsOfDay = (now.wHour * 60L + now.wMinute) * 60L + now.wSecond;
    EXPECT_LE((reportedSecondsOfDay - secondsOfDay + 86'400L) % 86'400L, 1L);
}

TEST(SystemTimeTest, SampleClockStaysWithinOneDay)
{
    const DWORD reading = platform::sampleClockMilliseconds();
    EXPECT_LT(reading, kMillisecondsPerDay);
}

TEST(SystemTimeTest, SleepWaitsAtLeastTheGivenTime)
{
    timespec start{};
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    Sleep(20);
    clock_gettime(CLOCK_MONOTONIC, &end);
    const long elapsedMs = (end.tv_sec - start.tv_sec) * 1000L + (end.tv_nsec - start.tv_nsec) / 1'000'000L;
    EXPECT_GE(elapsedMs, 20L);
}

} // namespace
