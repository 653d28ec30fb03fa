#include "game/logic/SpawnGroup.h"

#include "game/logic/JeuTotal.h"

#include <gtest/gtest.h>

namespace
{

constexpr int kBurstSize = 15;

Sarna::SpawnGroup buildPattern(int pattern, float t0)
{
    Sarna::SpawnGroup group(7);
    group.buildSpawnGroup(pattern, t0, Sarna::JeuTotal::groupWidth);
    return group;
}

TEST(SpawnGroup, EveryPatternHasFifteenRunnersEveryPointThreeSeconds)
{
    for (int pattern = 0; pattern < 4; ++pattern)
    {
        const Sarna::SpawnGroup group = buildPattern(pattern, 12.5f);
        ASSERT_EQ(group.getEntries().size(), static_cast<size_t>(kBurstSize));
        EXPECT_EQ(group.getTrajectoryIndex(), 7);
        for (int i = 0; i < kBurstSize; ++i)
        {
            const Sarna::SpawnGroupEntry& entry = group.getEntries()[i];
            EXPECT_FLOAT_EQ(entry.time, 12.5f + 0.3f * i) << "pattern " << pattern << " runner " << i;
            EXPECT_EQ(entry.offsetY, 0.0f);
        }
    }
}

TEST(SpawnGroup, SingleFileHasNoOffsetOrTurn)
{
    const Sarna::SpawnGroup group = buildPattern(0, 0.0f);
    for (const Sarna::SpawnGroupEntry& entry : group.getEntries())
    {
        EXPECT_EQ(entry.offsetX, 0.0f);
        EXPECT_EQ(entry.angle, 0.0f);
    }
}

TEST(SpawnGroup, SideLinesSpreadOverHalfTheGroupWidth)
{
    const auto left = buildPattern(1, 0.0f).getEntries();
    const auto right = buildPattern(2, 0.0f).getEntries();
    EXPECT_FLOAT_EQ(left.front().offsetX, -20.0f);
    EXPECT_NEAR(left.back().offsetX, -20.0f / 15.0f, 1e-5f);
    EXPECT_FLOAT_EQ(right.front().offsetX, 20.0f);
    EXPECT_NEAR(right.back().offsetX, 20.0f / 15.0f, 1e-5f);
    for (int i = 0; i < kBurstSize; ++i)
    {
        EXPECT_FLOAT_EQ(left[i].offsetX, i * 20.0f / 15.0f - 20.0f);
        EXPECT_FLOAT_EQ(right[i].offsetX, -left[i].offsetX);
        EXPECT_EQ(left[i].angle, 0.0f);
        EXPECT_EQ(right[i].angle, 0.0f);
    }
}

TEST(SpawnGroup, TurningPatternAddsTwentyFourDegreesPerRunner)
{
    const auto entries = buildPattern(3, 0.0f).getEntries();
    for (int i = 0; i < kBurstSize; ++i)
    {
        EXPECT_FLOAT_EQ(entries[i].offsetX, 20.0f - i * 20.0f / 15.0f);
        EXPECT_EQ(entries[i].angle, 24.0f * i);
    }
}

TEST(SpawnGroup, EntriesLeaveFromTheFront)
{
    Sarna::SpawnGroup group = buildPattern(1, 3.0f);
    group.popFront();
    EXPECT_FLOAT_EQ(group.front().time, 3.3f);
    for (int i = 1; i < kBurstSize; ++i)
    {
        group.popFront();
    }
    EXPECT_TRUE(group.empty());
}

} // namespace
