#include "trajectory/Trajectory.h"

#include "support/TestTrajectories.h"
#include "trajectory/DrawingFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace
{

Trajectory trackOf(std::initializer_list<PositionKey> keys)
{
    return trajectoryOf("", keys);
}

std::vector<double> timesOf(const Trajectory& trajectory)
{
    std::vector<double> times;
    for (const PositionKey& key : trajectory.getTrackPos())
        times.push_back(key.time);
    return times;
}

// The insertion as it was first written: a walk from the front for every key. The fast paths must agree with it.
void referenceInsert(std::vector<PositionKey>& track, const PositionKey& key)
{
    for (auto it = track.begin(); it != track.end(); ++it)
    {
        if (it->time > key.time)
        {
            track.insert(it, key);
            return;
        }
        if (it->time == key.time)
        {
            it->px = key.px;
            it->py = key.py;
            return;
        }
    }
    track.push_back(key);
}

// Compares bit patterns so that NaN times and signed zeros count too.
void expectSameTrack(const std::vector<PositionKey>& expected, const std::vector<PositionKey>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(std::memcmp(&expected[i].time, &actual[i].time, sizeof(double)), 0) << "key " << i;
        EXPECT_EQ(expected[i].px, actual[i].px) << "key " << i;
        EXPECT_EQ(expected[i].py, actual[i].py) << "key " << i;
    }
}

} // namespace

TEST(TrajectoryInsertion, KeysEndUpInTimeOrderAndEqualTimesReplaceThePosition)
{
    Trajectory trajectory = trackOf({{1, 1, 30}, {2, 2, 10}, {3, 3, 20}});
    EXPECT_EQ(timesOf(trajectory), (std::vector<double>{10, 20, 30}));

    trajectory.addPositionKey({9, 8, 20});
    ASSERT_EQ(trajectory.getTrackPos().size(), 3u);
    EXPECT_EQ(trajectory.getTrackPos()[1].px, 9);
    EXPECT_EQ(trajectory.getTrackPos()[1].py, 8);
}

TEST(TrajectoryInsertion, AnEqualTimeKeepsTheTimeOfTheKeyAlreadyThere)
{
    Trajectory trajectory = trackOf({{1, 1, 0.0}, {2, 2, -0.0}});
    ASSERT_EQ(trajectory.getTrackPos().size(), 1u);
    EXPECT_FALSE(std::signbit(trajectory.getTrackPos()[0].time));
    EXPECT_EQ(trajectory.getTrackPos()[0].px, 2);
}

TEST(TrajectoryInsertion, AgreesWithTheFrontWalkOnRandomInput)
{
    std::mt19937 random(20261208);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int round = 0; round < 400; ++round)
    {
        std::vector<PositionKey> keys;
        std::uniform_int_distribution<int> length(0, 60);
        std::uniform_int_distribution<int> choice(0, 9);
        double time = 0;
        for (int i = length(random); i > 0; --i)
        {
            int kind = choice(random);
            if (kind < 5)
                time += choice(random); // mostly ascending, with repeats
            else if (kind < 8)
                time = choice(random) * 3.0;
            else if (kind == 8 && round % 4 == 0)
                time = nan;
            else
                time = -0.0;
            keys.push_back({float(i), float(round), time});
            if (std::isnan(time))
                time = 0;
        }

        std::vector<PositionKey> expected;
        Trajectory oneByOne;
        for (const PositionKey& key : keys)
        {
            referenceInsert(expected, key);
            oneByOne.addPositionKey(key);
        }
        Trajectory inBulk;
        inBulk.addPositionKeys(keys);

        SCOPED_TRACE("round " + std::to_string(round));
        expectSameTrack(expected, oneByOne.getTrackPos());
        expectSameTrack(expected, inBulk.getTrackPos());
    }
}

TEST(TrajectoryPositionAt, EmptyTrackFailsAndLeavesTheOutValues)
{
    Trajectory trajectory;
    float x = 7, y = 8;
    EXPECT_FALSE(trajectory.positionAt(0, x, y));
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 8);
}

TEST(TrajectoryPositionAt, SingleKeyHoldsUntilItsTimeThenEnds)
{
    Trajectory trajectory = trackOf({{4, 5, 0}});
    float x = 0, y = 0;
    EXPECT_TRUE(trajectory.positionAt(0, x, y));
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, 5);
    x = y = 0;
    EXPECT_FALSE(trajectory.positionAt(0.5, x, y));
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, 5);
}

TEST(TrajectoryPositionAt, InterpolatesBetweenKeysAndReportsTheEnd)
{
    Trajectory trajectory = trackOf({{0, 0, 0}, {10, -10, 100}, {30, -30, 200}});
    float x = 0, y = 0;
    EXPECT_TRUE(trajectory.positionAt(50, x, y));
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, -5);
    EXPECT_TRUE(trajectory.positionAt(150, x, y));
    EXPECT_EQ(x, 20);
    EXPECT_TRUE(trajectory.positionAt(200, x, y));
    EXPECT_EQ(x, 30);
    EXPECT_FALSE(trajectory.positionAt(200.5, x, y));
    EXPECT_EQ(x, 30);
    EXPECT_TRUE(trajectory.positionAt(-10, x, y));
    EXPECT_EQ(x, 0);
    EXPECT_TRUE(trajectory.positionAt(100, x, y));
    EXPECT_EQ(x, 10);
}

TEST(TrajectoryPositionAt, RoundsEveryStepToSinglePrecision)
{
    Trajectory trajectory = trackOf({{0.1f, 1e7f, 0}, {0.7f, 3.0f, 3}});
    const double t = 1;
    float x = 0, y = 0;
    ASSERT_TRUE(trajectory.positionAt(t, x, y));
    const float u = static_cast<float>(t / 3.0);
    const float ax = 0.1f * (1.0f - u), bx = 0.7f * u;
    const float ay = 1e7f * (1.0f - u), by = 3.0f * u;
    EXPECT_EQ(x, ax + bx);
    EXPECT_EQ(y, ay + by);
}

TEST(TrajectoryTransforms, TranslateMovesTheDrawingCentreToTheOrigin)
{
    using DrawingFrame::kCentreX;
    using DrawingFrame::kCentreY;
    Trajectory trajectory = trackOf({{kCentreX, kCentreY, 0}, {kCentreX + 10, kCentreY - 10, 16}});
    trajectory.translatePositions(-kCentreX, -kCentreY);
    EXPECT_EQ(trajectory.getTrackPos()[0].px, 0);
    EXPECT_EQ(trajectory.getTrackPos()[0].py, 0);
    EXPECT_EQ(trajectory.getTrackPos()[1].px, 10);
    EXPECT_EQ(trajectory.getTrackPos()[1].py, -10);
    EXPECT_EQ(timesOf(trajectory), (std::vector<double>{0, 16}));
}

TEST(TrajectoryTransforms, RotateTurnsClockwiseOnScreenAboutTheCentre)
{
    Trajectory trajectory = trackOf({{1, 0, 0}, {12, 5, 10}});
    trajectory.rotatePositions(90, 0, 0);
    EXPECT_NEAR(trajectory.getTrackPos()[0].px, 0, 1e-6);
    EXPECT_NEAR(trajectory.getTrackPos()[0].py, 1, 1e-6);

    Trajectory aboutPoint = trackOf({{12, 5, 0}});
    aboutPoint.rotatePositions(180, 10, 5);
    EXPECT_NEAR(aboutPoint.getTrackPos()[0].px, 8, 1e-5);
    EXPECT_NEAR(aboutPoint.getTrackPos()[0].py, 5, 1e-5);
}

TEST(TrajectoryTransforms, RotateByZeroLeavesEveryKeyExactly)
{
    Trajectory trajectory = trackOf({{123.25f, -7.5f, 0}, {499, 699, 5}});
    const std::vector<PositionKey> before = trajectory.getTrackPos();
    trajectory.rotatePositions(0, DrawingFrame::kCentreX, DrawingFrame::kCentreY);
    expectSameTrack(before, trajectory.getTrackPos());
}

TEST(TrajectoryRecord, ClearEmptiesNameAndBothTracks)
{
    Trajectory trajectory = trackOf({{1, 2, 3}});
    trajectory.addYawKey({45, 3});
    trajectory.setName("traj1");
    trajectory.clear();
    EXPECT_TRUE(trajectory.getName().empty());
    EXPECT_TRUE(trajectory.getTrackPos().empty());
    EXPECT_TRUE(trajectory.getTrackYaw().empty());
}
