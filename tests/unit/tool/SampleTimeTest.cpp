#include "tool/SampleTime.h"

#include <gtest/gtest.h>

namespace
{

constexpr DWORD kLastMillisecondOfDay = 86'399'999u;

TEST(SampleTimeTest, DifferenceOfReadingsWithinADay)
{
    EXPECT_EQ(elapsedSampleTime(1'000, 1'000), 0.0);
    EXPECT_EQ(elapsedSampleTime(45'296'789, 45'296'805), 16.0);
    EXPECT_EQ(elapsedSampleTime(0, kLastMillisecondOfDay), 86'399'999.0);
}

TEST(SampleTimeTest, StrokeCrossingMidnightKeepsCounting)
{
    EXPECT_EQ(elapsedSampleTime(kLastMillisecondOfDay - 9, 0), 10.0);
    EXPECT_EQ(elapsedSampleTime(kLastMillisecondOfDay, 1'500), 1'501.0);
}

} // namespace
