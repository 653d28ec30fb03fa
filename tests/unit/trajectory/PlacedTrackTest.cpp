#include "trajectory/PlacedTrack.h"

#include "trajectory/DrawingFrame.h"
#include "trajectory/TrackCursor.h"
#include "trajectory/Trajectory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace
{

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Values a hostile or odd file can hold: huge, tiny, infinite, negative zero; never NaN.
double extremeValue(std::mt19937& random)
{
    static const double values[] = {0.0, -0.0, 1e-310, -1e-300, 1e30, -1e30, 3e38, -3e38, 1e300, kInfinity, -kInfinity};
    return values[random() % (sizeof values / sizeof values[0])];
}

// Times as a runner asks for them: mostly forward in small or large steps, sometimes the same again, sometimes
// back to an earlier time, before the first key or after the last, and now and then an extreme value.
std::vector<double> lookupTimes(std::mt19937& random, double firstKey, double lastKey)
{
    std::vector<double> times;
    double t = firstKey - 5.0;
    for (int i = 0; i < 60; ++i)
    {
        const unsigned kind = random() % 20;
        if (kind < 12)
            t += static_cast<double>(random() % 40);
        else if (kind < 14)
            t += (lastKey - firstKey) * 0.3;
        else if (kind == 14)
            t -= static_cast<double>(random() % 100);
        else if (kind == 15)
            t = firstKey - 1.0;
        else if (kind == 16)
            t = lastKey + 1.0;
        else if (kind == 17)
            times.push_back(extremeValue(random));
        times.push_back(t);
    }
    return times;
}

// Asks both lookups for the same random times along a track whose keys span [firstKey, lastKey] and expects the
// same flag and the same bits in the out-values, so that signed zeros and infinities count too.
template <typename Expected, typename Actual>
void expectSameAnswers(std::mt19937& random, double firstKey, double lastKey, Expected expectedAt, Actual actualAt)
{
    for (double t : lookupTimes(random, firstKey, lastKey))
    {
        float expected[2] = {-1.0f, -2.0f};
        float actual[2] = {-1.0f, -2.0f};
        EXPECT_EQ(expectedAt(t, expected[0], expected[1]), actualAt(t, actual[0], actual[1])) << "at t = " << t;
        EXPECT_EQ(std::memcmp(expected, actual, sizeof expected), 0)
            << "at t = " << t << ": (" << expected[0] << ", " << expected[1] << ") expected, (" << actual[0] << ", "
            << actual[1] << ") found";
    }
}

std::pair<double, double> keySpan(const std::vector<PositionKey>& keys)
{
    return keys.empty() ? std::make_pair(0.0, 0.0) : std::make_pair(keys.front().time, keys.back().time);
}

Trajectory randomTrajectory(std::mt19937& random)
{
    Trajectory trajectory;
    const int keys = static_cast<int>(random() % 4 == 0 ? random() % 3 : random() % 80); // empty and single too
    double time = static_cast<double>(random() % 50) - 25.0;
    for (int i = 0; i < keys; ++i)
    {
        time += static_cast<double>(random() % 30);
        const bool extreme = random() % 10 == 0;
        const float px =
            extreme ? static_cast<float>(extremeValue(random)) : static_cast<float>(random() % DrawingFrame::kWidth);
        const float py = static_cast<float>(random() % DrawingFrame::kHeight) - DrawingFrame::kCentreY;
        trajectory.addPositionKey({px, py, random() % 25 == 0 ? extremeValue(random) : time});
    }
    return trajectory;
}

} // namespace

TEST(PlacedTrack, AnswersBitForBitAsTheTurnedAndShiftedCopyOnRandomTracksAndTimes)
{
    std::mt19937 random(20261208u);
    const float angles[] = {0.0f, 24.0f, 90.0f, 336.0f, -45.5f, 1e6f};
    for (int round = 0; round < 300; ++round)
    {
        const Trajectory trajectory = randomTrajectory(random);
        const float angle = angles[random() % 6];
        const float dx = static_cast<float>(random() % 41) - 20.0f;
        const float dy = round % 3 == 0 ? 0.0f : static_cast<float>(extremeValue(random));

        Trajectory copy = trajectory;
        copy.rotatePositions(angle, 0.0f, 0.0f);
        copy.translatePositions(dx, dy);
        PlacedTrack placed(trajectory, angle, dx, dy);

        const auto [first, last] = keySpan(trajectory.getTrackPos());
        SCOPED_TRACE("round " + std::to_string(round));
        expectSameAnswers(
            random, first, last, [&copy](double t, float& x, float& y) { return copy.positionAt(t, x, y); },
            [&placed](double t, float& x, float& y) { return placed.positionAt(t, x, y); });
        if (HasFailure())
            return;
    }
}

// Tracks that no trajectory can hold (runs of equal times) show that the search goes on from where it was exactly
// as a search from the front would find the keys.
TEST(TrackCursor, ContinuedSearchFindsWhatASearchFromTheFrontFinds)
{
    std::mt19937 random(7u);
    const auto unplaced = [](const PositionKey& key) { return key; };
    for (int round = 0; round < 300; ++round)
    {
        std::vector<PositionKey> track;
        double time = -10.0;
        for (int i = static_cast<int>(random() % 50); i > 0; --i)
        {
            time += static_cast<double>(random() % 4); // a quarter of the steps repeat the time
            track.push_back({static_cast<float>(i), static_cast<float>(random() % 100), time});
        }

        TrackCursor continued;
        const auto [first, last] = keySpan(track);
        SCOPED_TRACE("round " + std::to_string(round));
        expectSameAnswers(
            random, first, last,
            [&](double t, float& x, float& y) { return TrackCursor().positionAt(track, t, unplaced, x, y); },
            [&](double t, float& x, float& y) { return continued.positionAt(track, t, unplaced, x, y); });
        if (HasFailure())
            return;
    }
}

TEST(PlacedTrack, KeepsItsKeysWhateverBecomesOfTheTrajectory)
{
    auto trajectory = std::make_unique<Trajectory>();
    trajectory->addPositionKey({0.0f, 0.0f, 0.0});
    trajectory->addPositionKey({100.0f, 50.0f, 100.0});
    PlacedTrack placed(*trajectory, 0.0f, 10.0f, 0.0f);

    trajectory->translatePositions(1000.0f, 1000.0f);
    trajectory->addPositionKey({-7.0f, -7.0f, 50.0});
    trajectory.reset();

    float x = 0.0f;
    float y = 0.0f;
    EXPECT_TRUE(placed.positionAt(50.0, x, y));
    EXPECT_EQ(x, 60.0f);
    EXPECT_EQ(y, 25.0f);
}

TEST(TrajectorySharing, CopiesShareTheirKeysUntilOneOfThemChanges)
{
    Trajectory original;
    original.addPositionKey({1.0f, 2.0f, 0.0});
    original.addPositionKey({3.0f, 4.0f, 10.0});

    Trajectory copy = original;
    EXPECT_EQ(copy.getTrackPos().data(), original.getTrackPos().data()) << "a copy costs no keys";

    copy.rotatePositions(90.0f, 0.0f, 0.0f);
    copy.translatePositions(5.0f, 5.0f);
    copy.addPositionKey({9.0f, 9.0f, 5.0});
    EXPECT_NE(copy.getTrackPos().data(), original.getTrackPos().data());
    ASSERT_EQ(original.getTrackPos().size(), 2u);
    EXPECT_EQ(original.getTrackPos()[1].px, 3.0f);
    EXPECT_EQ(original.getTrackPos()[1].py, 4.0f);

    Trajectory cleared = original;
    cleared.clear();
    EXPECT_TRUE(cleared.getTrackPos().empty());
    EXPECT_EQ(original.getTrackPos().size(), 2u);
}
