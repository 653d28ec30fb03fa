// A scripted chase with seeded frame times and key presses, compared with the end state it produced when the
// rules were last reviewed. Any change of rule, order or rounding in the game logic shows up here.
#include "EngineFixture.h"
#include "game/logic/RunningMan.h"

#include <OgreSceneNode.h>

#include <array>
#include <cstdio>
#include <random>
#include <string>

namespace
{

using Sarna::JeuTotal;

// Paths across the drawing area, in pixels and milliseconds.
std::vector<TestTrajectory> chaseLibrary()
{
    return {
        {"cross", {{0.0, 0.0f, 0.0f}, {2000.0, 250.0f, 350.0f}, {4000.0, 500.0f, 700.0f}}},
        {"back", {{0.0, 500.0f, 0.0f}, {1500.0, 260.0f, 340.0f}, {3000.0, 0.0f, 700.0f}}},
        {"level", {{0.0, 0.0f, 360.0f}, {2500.0, 500.0f, 360.0f}}},
        {"loop",
         {{0.0, 250.0f, 300.0f},
          {500.0, 300.0f, 350.0f},
          {1000.0, 250.0f, 400.0f},
          {1500.0, 200.0f, 350.0f},
          {2000.0, 250.0f, 300.0f}}},
    };
}

class ChaseGolden : public EngineFixture
{
protected:
    std::string summary(int games, int frames) const
    {
        const Ogre::Vector3& hero = game->getHeroNode()->getPosition();
        char text[256];
        std::snprintf(text, sizeof text,
                      "frames=%d games=%d state=%d runners=%zu counter=%d elapsed=%.9g "
                      "hero=(%.9g, %.9g, %.9g) alive=%d",
                      frames, games, game->getState(), game->getRunners().size(), JeuTotal::spawnCounter,
                      game->getElapsed(), hero.x, hero.y, hero.z, game->getHero() != nullptr ? 1 : 0);
        return text;
    }
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
    }
    // Nine games: eight lost, the ninth still running.
    EXPECT_EQ(summary(games, frames), "frames=6000 games=9 state=2 runners=41 counter=0 elapsed=18.9870004 "
                                      "hero=(-2.049999, 2.5, 18.1249924) alive=1");
}

} // namespace
