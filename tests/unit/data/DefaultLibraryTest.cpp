// The trajectory library shipped with the game, written and read back with the project's own library code, and
// judged in the game's terms: the hero starts at the centre of the drawing area and runs 0.28 pixels per ms.

#include "DefaultLibraryBuilder.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "trajectory/DrawingFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
constexpr float kHeroSpeed = 25.0f / 90.0f; // pixels per ms: world units per second / (0.3 * 300)
constexpr float kCentreX = DrawingFrame::kCentreX;
constexpr float kCentreY = DrawingFrame::kCentreY;
constexpr float kLastColumn = DrawingFrame::kWidth - 1;
constexpr float kLastRow = DrawingFrame::kHeight - 1;

struct PathFacts
{
    float length = 0.0f;
    double duration = 0.0;
    float closestToCentre = 1e9f;
    float totalTurnDegrees = 0.0f;
    float straightness = 0.0f; ///< distance between the ends over the path's length

    float speed() const { return duration > 0.0 ? static_cast<float>(length / duration) : 0.0f; }
};

PathFacts factsOf(const Trajectory& trajectory)
{
    PathFacts facts;
    const auto& keys = trajectory.getTrackPos();
    float previousHeading = 0.0f;
    bool hasHeading = false;
    for (std::size_t i = 0; i < keys.size(); ++i)
    {
        facts.closestToCentre =
            std::min(facts.closestToCentre, std::hypot(keys[i].px - kCentreX, keys[i].py - kCentreY));
        if (i == 0)
            continue;
        const float dx = keys[i].px - keys[i - 1].px;
        const float dy = keys[i].py - keys[i - 1].py;
        facts.length += std::hypot(dx, dy);
        if (std::hypot(dx, dy) < 3.0f)
            continue;
        const float heading = std::atan2(dy, dx) * 180.0f / 3.14159265f;
        if (hasHeading)
        {
            float turn = heading - previousHeading;
            turn -= 360.0f * std::round(turn / 360.0f);
            facts.totalTurnDegrees += turn;
        }
        previousHeading = heading;
        hasHeading = true;
    }
    facts.duration = keys.back().time - keys.front().time;
    facts.straightness =
        std::hypot(keys.back().px - keys.front().px, keys.back().py - keys.front().py) / std::max(facts.length, 1.0f);
    return facts;
}

class DefaultLibraryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(DefaultLibraryBuilder::build().outPutToFile(directory.file("library.xml")));
        ASSERT_TRUE(library.parseFileForTraj(directory.file("library.xml")));
        for (const auto& entry : library)
            facts.push_back(factsOf(entry.second));
    }

    LogCapture log;
    TempDir directory;
    KelTrajectoryLibrary library;
    std::vector<PathFacts> facts;
};

TEST_F(DefaultLibraryTest, ReadsBackAtLeastTwelveTrajectoriesNamedLikeTheDrawingTool)
{
    ASSERT_GE(library.count(), 12);
    for (int number = 1; number <= library.count(); ++number)
    {
        const std::string name = "traj" + std::to_string(number);
        EXPECT_TRUE(log.contains(name + " : Ajout d'une trajectoire")) << name;
    }
}

TEST_F(DefaultLibraryTest, SamplesLookRecordedByTheDrawingTool)
{
    for (const auto& entry : library)
    {
        const auto& keys = entry.second.getTrackPos();
        ASSERT_GE(keys.size(), 20u) << entry.first;
        EXPECT_EQ(keys.front().time, 0.0) << entry.first;
        for (std::size_t i = 0; i < keys.size(); ++i)
        {
            const PositionKey& key = keys[i];
            ASSERT_EQ(key.px, std::round(key.px)) << entry.first;
            ASSERT_EQ(key.py, std::round(key.py)) << entry.first;
            ASSERT_EQ(key.time, std::round(key.time)) << entry.first;
            ASSERT_TRUE(key.px >= 0 && key.px <= kLastColumn && key.py >= 1 && key.py <= kLastRow) << entry.first;
            if (i > 0)
            {
                const double interval = key.time - keys[i - 1].time;
                ASSERT_TRUE(interval >= 15.0 && interval <= 40.0) << entry.first << " interval " << interval;
            }
        }
    }
}

TEST_F(DefaultLibraryTest, MostAreSlowerThanTheHeroAndAFewFaster)
{
    int slower = 0;
    int faster = 0;
    for (const PathFacts& path : facts)
    {
        slower += path.speed() < 0.9f * kHeroSpeed;
        faster += path.speed() > 1.2f * kHeroSpeed;
        EXPECT_GT(path.duration, 1000.0);
        EXPECT_LT(path.duration, 25000.0);
    }
    EXPECT_GE(slower * 3, static_cast<int>(facts.size()) * 2);
    EXPECT_GE(faster, 2);
    EXPECT_LE(faster * 3, static_cast<int>(facts.size()));
}

TEST_F(DefaultLibraryTest, MostCrossTheCentreWhereTheHeroStarts)
{
    int crossing = 0;
    for (const PathFacts& path : facts)
        crossing += path.closestToCentre < 25.0f;
    EXPECT_GE(crossing * 3, static_cast<int>(facts.size()) * 2);
}

TEST_F(DefaultLibraryTest, MixesStraightDashesWithLoopsAndZigZags)
{
    int straight = 0;
    int looping = 0;
    int winding = 0;
    for (const PathFacts& path : facts)
    {
        straight += path.straightness > 0.97f;
        looping += std::abs(path.totalTurnDegrees) > 540.0f;
        winding += path.straightness < 0.8f && std::abs(path.totalTurnDegrees) < 360.0f;
    }
    EXPECT_GE(straight, 3);
    EXPECT_GE(looping, 3);
    EXPECT_GE(winding, 3);
}

TEST(DefaultLibraryTraceTest, KeepsTheRequestedPaceAndEndsOnThePathsEnd)
{
    LogCapture log;
    const std::vector<DrawingPoint> path = {{100, 100}, {400, 100}, {400, 500}};
    const Trajectory trajectory = DefaultLibraryBuilder::trace("t", path, 0.2f, 3u);
    const PathFacts facts = factsOf(trajectory);
    EXPECT_NEAR(facts.speed(), 0.2f, 0.02f);
    EXPECT_NEAR(facts.length, 700.0f, 5.0f);
    EXPECT_EQ(trajectory.getTrackPos().back().px, 400.0f);
    EXPECT_EQ(trajectory.getTrackPos().back().py, 500.0f);
}

TEST(DefaultLibraryTraceTest, ClampsPointsOutsideTheDrawingArea)
{
    LogCapture log;
    const Trajectory trajectory =
        DefaultLibraryBuilder::trace("t", {{-50, 0}, {kLastColumn + 100, kLastRow + 100}}, 0.3f, 1u);
    for (const PositionKey& key : trajectory.getTrackPos())
        ASSERT_TRUE(key.px >= 0 && key.px <= kLastColumn && key.py >= 1 && key.py <= kLastRow);
}
} // namespace
