// A hundred games in a row on one controller: restarts, random steering, random frame steps and a large library.
// After every game the scene and the timed-object registry are back where the first game started, and resident
// memory does not grow from the tenth game to the hundredth. Needs the engine and the game data only.
#include "EngineFixture.h"
#include "support/ResidentMemory.h"
#include "trajectory/DrawingFrame.h"

#include <OgreSceneManager.h>
#include <OgreSceneNode.h>

#include <algorithm>
#include <malloc.h>
#include <random>

namespace
{

using Sarna::JeuTotal;
using Sarna::TimedObject;

constexpr int kGames = 100;
constexpr int kMeasuredFromGame = 10;
constexpr int kLibraryPaths = 60;
constexpr double kMaxResidentGrowthMiB = 2.0; // measured: 0.2 MiB

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentMemoryMeaningful = false; // the sanitizer keeps freed memory in quarantine
#else
constexpr bool kResidentMemoryMeaningful = true;
#endif

// Random walks over the drawing area, 16 ms a key: many short paths, some long ones, and one of 200,000 keys.
std::vector<Trajectory> largeLibrary(std::mt19937& random)
{
    std::vector<Trajectory> library;
    for (int i = 0; i < kLibraryPaths; ++i)
    {
        const int keys = i == 0 ? 200000 : 10 + static_cast<int>(random() % (i % 10 == 0 ? 20000 : 1500));
        const double spacing = i == 0 ? 4.0 : 16.0; // the long one drawn fast
        Trajectory path;
        path.setName("walk" + std::to_string(i));
        float px = static_cast<float>(random() % DrawingFrame::kWidth);
        float py = static_cast<float>(random() % DrawingFrame::kHeight);
        for (int k = 0; k < keys; ++k)
        {
            px = std::clamp(px + static_cast<float>(random() % 13) - 6.0f, 0.0f, float(DrawingFrame::kWidth));
            py = std::clamp(py + static_cast<float>(random() % 13) - 6.0f, 0.0f, float(DrawingFrame::kHeight));
            path.addPositionKey({px, py, k * spacing});
        }
        library.push_back(std::move(path));
    }
    return library;
}

std::size_t sceneNodeCount(const Ogre::Node* node)
{
    std::size_t count = 1;
    for (const Ogre::Node* child : node->getChildren())
        count += sceneNodeCount(child);
    return count;
}

double residentMiB()
{
    malloc_trim(0); // what the allocator keeps free is not the game's
    return static_cast<double>(residentMemory().now) / kBytesPerMiB;
}

class Soak : public EngineFixture
{
protected:
    struct Baseline
    {
        std::size_t entities;
        std::size_t sceneNodes;
        std::size_t registered;
    };

    Baseline now() const
    {
        EXPECT_EQ(TimedObject::registeredByNumber(), TimedObject::registeredByObject());
        return {entityCount(), sceneNodeCount(sceneManager->getRootSceneNode()), TimedObject::registeredByNumber()};
    }

    // Plays from the start screen to the next start screen: space, steering until the game is lost or won, space
    // again. Returns false when the game did not end in time.
    bool playOneGame(bool fleeToTheCorner)
    {
        startPlaying(frameStep());
        for (int frames = 0; game->getState() == JeuTotal::StatePlaying; ++frames)
        {
            if (frames > 5000)
                return false;
            if (fleeToTheCorner)
                keepToTheCorner();
            else if (frames % 8 == 0)
                steerAtRandom();
            frame(frameStep());
        }
        keyboard.releaseAll();
        keyboard.press(OIS::KC_SPACE);
        keyboard.releaseAfterCaptures(OIS::KC_SPACE, 2);
        frame(frameStep()); // the won or lost screen waits for the release
        frame(frameStep()); // the reset
        return game->getState() == JeuTotal::StateStart;
    }

    float frameStep() { return 0.04f + static_cast<float>(random() % 80) * 0.001f; }

    // The corner of the ground lies farther from the centre than any point of the drawing area turned and shifted
    // for a burst, so a hero who gets there alive wins, with the most runners a game can have.
    void keepToTheCorner()
    {
        keyboard.press(OIS::KC_Y);
        keyboard.press(OIS::KC_G);
    }

    void steerAtRandom()
    {
        unsigned bits = random();
        for (OIS::KeyCode key : {OIS::KC_Y, OIS::KC_H, OIS::KC_G, OIS::KC_J})
        {
            (bits & 1u) != 0 ? keyboard.press(key) : keyboard.release(key);
            bits >>= 1;
        }
    }

    std::mt19937 random{20261209u};
};

TEST_F(Soak, AHundredGamesLeaveNothingBehind)
{
    createGame(largeLibrary(random));
    ASSERT_EQ(game->getLibrary().count(), kLibraryPaths);
    const Baseline start = now();

    double residentAtMeasureStart = 0.0;
    for (int played = 1; played <= kGames; ++played)
    {
        ASSERT_TRUE(playOneGame(played % 4 == 0)) << "game " << played << " did not come back to the start screen";
        const Baseline after = now();
        ASSERT_EQ(after.entities, start.entities) << "after game " << played;
        ASSERT_EQ(after.sceneNodes, start.sceneNodes) << "after game " << played;
        ASSERT_EQ(after.registered, start.registered) << "after game " << played;
        if (played == kMeasuredFromGame)
            residentAtMeasureStart = residentMiB();
    }
    if (kResidentMemoryMeaningful)
    {
        ASSERT_GT(residentAtMeasureStart, 0.0) << "no resident memory in /proc/self/status";
        const double growth = residentMiB() - residentAtMeasureStart;
        RecordProperty("resident_growth_kib", static_cast<int>(growth * 1024.0));
        EXPECT_LT(growth, kMaxResidentGrowthMiB)
            << "resident memory grew from game " << kMeasuredFromGame << " to " << kGames;
    }
}

} // namespace
