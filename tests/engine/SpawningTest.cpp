#include "EngineFixture.h"
#include "game/logic/SpawnGroup.h"

#include <OgreSceneNode.h>

#include <vector>

namespace
{

using Sarna::JeuTotal;
using Sarna::SpawnGroup;

// Runners that stand far from the hero (dx drawing pixels right of the centre) for one second of their life.
Trajectory farAway(const std::string& name, float dx = 100.0f)
{
    return standingOffCentre(name, dx, 0.0f, 300.0);
}

class Spawning : public EngineFixture
{
protected:
    // Every runner stands on its path from the frame in which it was made, and each one, with the hero, owns
    // exactly one entity and one node of the scene.
    void expectRunnersPlacedAndAccounted()
    {
        for (std::size_t i = 0; i < game->getRunners().size(); ++i)
        {
            EXPECT_NE(runner(i).getNode()->getPosition().x, 10000.0f) << "runner " << i << " left at parking";
        }
        const std::size_t heroes = game->getHero() != nullptr ? 1 : 0;
        EXPECT_EQ(entityCount(), heroes + game->getRunners().size());
        EXPECT_EQ(rootChildCount(), 1 + game->getRunners().size());
    }
};

TEST_F(Spawning, SpawnCounterAdvancesInEveryPlayingFrameAndSurvivesARestart)
{
    // Runners stand right on the hero, so the first one catches it.
    createGame({standingOffCentre("a", 0.0f, 0.0f, 100000.0), farAway("b"), farAway("c")});
    frame(0.1f);
    EXPECT_EQ(JeuTotal::spawnCounter, 0) << "the start screen does not count";
    startPlaying(0.1f);
    EXPECT_EQ(JeuTotal::spawnCounter, 1);
    EXPECT_EQ(game->getGroup()->getTrajectoryIndex(), 1) << "the first burst follows the counter";

    const int frames = runUntil([&] { return game->getState() == JeuTotal::StateLost; }, 0.1f, 200);
    ASSERT_EQ(game->getState(), JeuTotal::StateLost);
    const int counterAtLoss = (1 + frames) % 3;
    EXPECT_EQ(JeuTotal::spawnCounter, counterAtLoss);

    keyboard.press(OIS::KC_SPACE);
    keyboard.releaseAfterCaptures(OIS::KC_SPACE, 2);
    EXPECT_EQ(frame(0.1f), JeuTotal::StateRestart);
    EXPECT_EQ(frame(0.1f), JeuTotal::StateStart);
    EXPECT_EQ(JeuTotal::spawnCounter, counterAtLoss);

    startPlaying(0.1f);
    const int next = (counterAtLoss + 1) % 3;
    EXPECT_EQ(JeuTotal::spawnCounter, next);
    EXPECT_EQ(game->getGroup()->getTrajectoryIndex(), next);
}

TEST_F(Spawning, SingleSpawnIntervalShrinksFromOneAndAHalfSeconds)
{
    const float dt = 0.02f;
    createGame({farAway("a")});
    startPlaying(dt);
    std::vector<double> spawnTimes{0.0}; // the game's start counts as the last spawn
    while (game->getState() == JeuTotal::StatePlaying)
    {
        frame(dt);
        if (game->getTimeSinceSpawn() == 0.0)
        {
            spawnTimes.push_back(game->getElapsed());
        }
        expectRunnersPlacedAndAccounted();
        if (HasFailure())
        {
            return;
        }
    }
    ASSERT_EQ(game->getState(), JeuTotal::StateWon);
    ASSERT_GT(spawnTimes.size(), 100u);

    // A spawn happens in the first frame whose time since the last one exceeds 1.5 - 0.002 * elapsed.
    auto expectGapAt = [&](double around)
    {
        std::size_t i = 1;
        while (i + 1 < spawnTimes.size() && spawnTimes[i] < around)
        {
            ++i;
        }
        const double interval = 1.5 - 0.002 * spawnTimes[i];
        const double gap = spawnTimes[i] - spawnTimes[i - 1];
        EXPECT_GT(gap, interval - 1e-4) << "at " << spawnTimes[i];
        EXPECT_LE(gap, interval + dt + 1e-4) << "at " << spawnTimes[i];
        return interval;
    };
    EXPECT_NEAR(expectGapAt(0.0), 1.5, 0.005);
    EXPECT_NEAR(expectGapAt(100.0), 1.3, 0.005);
    EXPECT_NEAR(expectGapAt(179.0), 1.14, 0.005);
}

TEST_F(Spawning, LongFrameSpawnsOneSingleAndOneBurstRunner)
{
    createGame({standingOffCentre("a", 100.0f, 0.0f, 3000.0)});
    startPlaying(0.01f);
    ASSERT_EQ(game->getRunners().size(), 0u);
    frame(5.0f);
    EXPECT_EQ(game->getRunners().size(), 2u);
    EXPECT_EQ(game->getTimeSinceSpawn(), 0.0) << "the excess over the interval is dropped";
    EXPECT_EQ(game->getGroup()->getEntries().size(), 14u);
    expectRunnersPlacedAndAccounted();
}

TEST_F(Spawning, OneTrajectoryAlwaysGivesSingleFileBursts)
{
    createGame({farAway("only")});
    startPlaying(0.1f);
    const SpawnGroup* lastGroup = nullptr;
    int groups = 0;
    for (int i = 0; i < 300; ++i)
    {
        frame(0.1f);
        EXPECT_EQ(JeuTotal::spawnCounter, 0);
        const SpawnGroup* group = game->getGroup();
        if (group == nullptr)
        {
            continue;
        }
        if (group != lastGroup)
        {
            ++groups;
            lastGroup = group;
        }
        for (const Sarna::SpawnGroupEntry& entry : group->getEntries())
        {
            EXPECT_EQ(entry.offsetX, 0.0f);
            EXPECT_EQ(entry.angle, 0.0f);
        }
    }
    EXPECT_GE(groups, 4) << "bursts follow one another";
}

class BurstPattern : public Spawning, public ::testing::WithParamInterface<int>
{
};

// With four trajectories the counter picks both the trajectory and the pattern of a burst.
TEST_P(BurstPattern, RunnersFollowTheirTrajectoryTurnedAndShiftedOneAFrameAtMost)
{
    const int pattern = GetParam();
    createGame({farAway("t0", 50.0f), farAway("t1", 70.0f), farAway("t2", 90.0f), farAway("t3", 110.0f)});
    JeuTotal::spawnCounter = (pattern + 3) % 4;
    startPlaying(0.1f);
    ASSERT_NE(game->getGroup(), nullptr);
    EXPECT_EQ(game->getGroup()->getTrajectoryIndex(), pattern);

    // The formation of the pattern: single file, from half the group's width to the left, from it to the right,
    // or from the right turning 24 degrees a runner.
    const float half = JeuTotal::groupWidth / 2;
    const float firstOffsets[] = {0.0f, -half, half, half};
    const float secondAngles[] = {0.0f, 0.0f, 0.0f, 24.0f};
    const std::vector<Sarna::SpawnGroupEntry>& entries = game->getGroup()->getEntries();
    ASSERT_EQ(entries.size(), 15u);
    EXPECT_EQ(entries[0].offsetX, firstOffsets[pattern]);
    EXPECT_EQ(entries[1].angle, secondAngles[pattern]);

    const Trajectory path = game->getLibrary().getTraj(pattern);
    // A long frame: several entries are due, yet one runner of the burst comes per frame.
    for (std::size_t i = 0; i < 4; ++i)
    {
        const std::size_t entriesBefore = game->getGroup()->getEntries().size();
        const Sarna::SpawnGroupEntry entry = game->getGroup()->front();
        frame(1.0f);
        ASSERT_EQ(game->getGroup()->getEntries().size(), entriesBefore - 1);

        Trajectory placed = path;
        placed.rotatePositions(entry.angle, 0.0f, 0.0f);
        placed.translatePositions(entry.offsetX, entry.offsetY);
        const PositionKey& key = placed.getTrackPos().front();
        const Ogre::Vector3 position = runner(game->getRunners().size() - 1).getNode()->getPosition();
        EXPECT_FLOAT_EQ(position.x, 0.3f * key.px) << "burst runner " << i;
        EXPECT_FLOAT_EQ(position.z, 0.3f * key.py) << "burst runner " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(AllPatterns, BurstPattern, ::testing::Values(0, 1, 2, 3));

} // namespace
