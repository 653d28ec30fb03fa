// A scripted chase with seeded frame times and key presses, compared with the end state it produced when the
// rules were last reviewed, and with the exact positions of every runner in every frame (folded into a digest).
// Any change of rule, order or rounding in the game logic shows up here.
#include "EngineFixture.h"
#include "game/logic/RunningMan.h"
#include "trajectory/DrawingFrame.h"

#include <OgreSceneNode.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace
{

using Sarna::JeuTotal;

// Paths across the drawing area, in pixels and milliseconds: corner to corner through the centre, back across it,
// level just below it, and round it.
std::vector<Trajectory> chaseLibrary()
{
    constexpr float cx = DrawingFrame::kCentreX;
    constexpr float cy = DrawingFrame::kCentreY;
    constexpr float right = DrawingFrame::kWidth;
    constexpr float bottom = DrawingFrame::kHeight;
    return {
        trajectoryOf("cross", {{0.0f, 0.0f, 0.0}, {cx, cy, 2000.0}, {right, bottom, 4000.0}}),
        trajectoryOf("back", {{right, 0.0f, 0.0}, {cx + 10, cy - 10, 1500.0}, {0.0f, bottom, 3000.0}}),
        trajectoryOf("level", {{0.0f, cy + 10, 0.0}, {right, cy + 10, 2500.0}}),
        trajectoryOf("loop", {{cx, cy - 50, 0.0},
                              {cx + 50, cy, 500.0},
                              {cx, cy + 50, 1000.0},
                              {cx - 50, cy, 1500.0},
                              {cx, cy - 50, 2000.0}}),
    };
}

class ChaseGolden : public EngineFixture
{
protected:
    // Folds the exact bits of every runner's position into a digest (FNV-1a), in runner order.
    void addRunnerPositions()
    {
        for (std::size_t i = 0; i < game->getRunners().size(); ++i)
        {
            const Ogre::Vector3& position = runner(i).getNode()->getPosition();
            std::uint32_t bits[3];
            std::memcpy(bits, position.ptr(), sizeof bits);
            for (std::uint32_t word : bits)
            {
                positionDigest = (positionDigest ^ word) * 1099511628211ull;
            }
        }
    }

    std::string summary(int games, int frames) const
    {
        const Ogre::Vector3& hero = game->getHeroNode()->getPosition();
        char text[256];
        std::snprintf(text, sizeof text,
                      "frames=%d games=%d state=%d runners=%zu counter=%d elapsed=%.9g "
                      "hero=(%.9g, %.9g, %.9g) alive=%d positions=%016llx",
                      frames, games, game->getState(), game->getRunners().size(), JeuTotal::spawnCounter,
                      game->getElapsed(), hero.x, hero.y, hero.z, game->getHero() != nullptr ? 1 : 0,
                      static_cast<unsigned long long>(positionDigest));
        return text;
    }

    std::uint64_t positionDigest = 14695981039346656037ull;
};

TEST_F(ChaseGolden, ScriptedChaseEndsInTheStoredState)
{
    createGame(chaseLibrary());
    std::mt19937 random(20261208u); // the engine's output sequence is fixed by the standard
    const std::array<OIS::KeyCode, 4> steering{OIS::KC_Y, OIS::KC_H, OIS::KC_G, OIS::KC_J};
    int games = 0;
    int frames = 0;
    for (; frames < 6000; ++frames)
    {
        const float dt = 0.01f + static_cast<float>(random() % 40u) * 0.001f;
        if (frames % 12 == 0)
        {
            const unsigned bits = random();
            for (std::size_t k = 0; k < steering.size(); ++k)
            {
                (bits >> k & 1u) != 0 ? keyboard.press(steering[k]) : keyboard.release(steering[k]);
            }
        }
        const int state = game->getState();
        if (state != JeuTotal::StatePlaying && !keyboard.isKeyDown(OIS::KC_SPACE) && frames % 5 == 0)
        {
            games += state == JeuTotal::StateStart ? 1 : 0;
            keyboard.press(OIS::KC_SPACE);
            keyboard.releaseAfterCaptures(OIS::KC_SPACE, 2);
        }
        ASSERT_NE(frame(dt), 0);
        addRunnerPositions();
    }
    // Seventeen games: sixteen lost (the hero cannot outrun the runners beyond the picture's edges), the last one
    // running.
    EXPECT_EQ(summary(games, frames), "frames=6000 games=17 state=2 runners=4 counter=3 elapsed=1.09900003 "
                                      "hero=(-8.35000038, 2.5, 0) alive=1 positions=81dde8a234f29eeb");
}

} // namespace
