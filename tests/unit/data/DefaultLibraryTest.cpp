// The trajectory library shipped with the game, written and read back with the project's own library code, and
// judged in the game's terms: a trajectory pixel is 0.3 world units, 300 trajectory ms pass per second of play, the
// hero starts at the centre of the drawing area and runs 25 units a second (0.28 pixels per ms), and a runner
// closer than 2.5 units catches him.

#include "DefaultLibraryBuilder.h"
#include "game/logic/GameWorld.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "trajectory/DrawingFrame.h"
#include "trajectory/GameSpeed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
constexpr float kHeroSpeed = static_cast<float>( // pixels per ms
    Sarna::kHeroSpeed / (Sarna::kWorldUnitsPerTrajectoryUnit * kGameTrajectoryMsPerSecond));
constexpr float kCatchPixels = Sarna::kCatchDistance / Sarna::kWorldUnitsPerTrajectoryUnit;
constexpr float kCentreX = DrawingFrame::kCentreX;
constexpr float kCentreY = DrawingFrame::kCentreY;
constexpr float kLastColumn = DrawingFrame::kWidth - 1;
constexpr float kLastRow = DrawingFrame::kHeight - 1;

// The ground the game's camera shows, in drawing pixels: from 65 units up with a 45 degree field of view it sees
// 2 * 65 * tan(22.5) = 53.8 units of ground from top to bottom and 0.8 times that across, around the point below
// it, 20 units from the hero's start.
constexpr float kPictureLeft = 178.2f;
constexpr float kPictureRight = 321.8f;
constexpr float kPictureTop = 326.9f;
constexpr float kPictureBottom = 506.4f;
// A burst shifts its runners sideways by up to 20 pixels.
constexpr float kBurstShift = 20.0f;

bool inPicture(const PositionKey& key)
{
    return key.px >= kPictureLeft && key.px <= kPictureRight && key.py >= kPictureTop && key.py <= kPictureBottom;
}

float fromStart(const PositionKey& key)
{
    return std::hypot(key.px - kCentreX, key.py - kCentreY);
}

struct PathFacts
{
    std::string name;
    float length = 0.0f;
    double duration = 0.0;
    float startFromCentre = 0.0f;
    float closestToCentre = 1e9f;
    /// Seconds of play the runner has been in the picture when it comes closest to the hero's start.
    double inPictureBeforeClosest = 0.0;
    float straightness = 0.0f; ///< distance between the ends over the path's length

    float speed() const { return duration > 0.0 ? static_cast<float>(length / duration) : 0.0f; }
};

PathFacts factsOf(const Trajectory& trajectory)
{
    PathFacts facts;
    facts.name = trajectory.getName();
    const auto& keys = trajectory.getTrackPos();
    std::size_t closest = 0;
    for (std::size_t i = 0; i < keys.size(); ++i)
    {
        if (fromStart(keys[i]) < facts.closestToCentre)
        {
            facts.closestToCentre = fromStart(keys[i]);
            closest = i;
        }
        if (i > 0)
            facts.length += std::hypot(keys[i].px - keys[i - 1].px, keys[i].py - keys[i - 1].py);
    }
    std::size_t entered = closest;
    while (entered > 0 && inPicture(keys[entered - 1]))
        --entered;
    facts.inPictureBeforeClosest = (keys[closest].time - keys[entered].time) / kGameTrajectoryMsPerSecond;
    facts.startFromCentre = fromStart(keys.front());
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

TEST_F(DefaultLibraryTest, ReadsBackAsTheDrawingToolWouldHaveRecordedIt)
{
    ASSERT_GE(library.count(), 12);
    for (int number = 1; number <= library.count(); ++number)
    {
        const std::string name = "traj" + std::to_string(number);
        EXPECT_TRUE(log.contains(name + " : Ajout d'une trajectoire")) << name;
    }
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

TEST_F(DefaultLibraryTest, RunnersComeIntoThePictureInsteadOfAppearingInIt)
{
    // Farther from the start than any corner of the picture, however a burst turns and shifts the path.
    const float pictureReach = std::hypot(kCentreX - kPictureLeft, kPictureBottom - kCentreY) + kBurstShift;
    for (const PathFacts& path : facts)
        EXPECT_GT(path.startFromCentre, pictureReach) << path.name;
}

TEST_F(DefaultLibraryTest, StandingOnTheStartIsDeadlyButNeverWithoutWarning)
{
    int crossing = 0;
    for (const PathFacts& path : facts)
    {
        if (path.closestToCentre >= kCatchPixels)
            continue;
        ++crossing;
        EXPECT_GE(path.inPictureBeforeClosest, 1.0) << path.name;
    }
    EXPECT_GE(crossing * 3, static_cast<int>(facts.size()));
}

TEST_F(DefaultLibraryTest, FastRunnersRunStraightAndSlowOnesWind)
{
    int faster = 0;
    int slowerWinding = 0;
    for (const PathFacts& path : facts)
    {
        if (path.speed() > kHeroSpeed)
        {
            ++faster;
            EXPECT_GT(path.straightness, 0.97f) << path.name;
        }
        else
        {
            slowerWinding += path.straightness < 0.9f;
        }
    }
    EXPECT_GE(faster, 3);
    EXPECT_GE(slowerWinding, 2);
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
