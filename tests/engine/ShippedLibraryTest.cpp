// The library the game ships with, under the real rules. Frames are 1/60 s, so a game is decided by the spawn
// counter's value when it starts: every value is played.
#include "EngineFixture.h"

namespace
{

using Sarna::JeuTotal;

constexpr float kFrame = 1.0f / 60.0f;
constexpr int kGameFrames = 181 * 60;

class ShippedLibrary : public EngineFixture
{
protected:
    // Plays one game holding the key; returns the state it ends in.
    int playHolding(OIS::KeyCode key, int start)
    {
        JeuTotal::spawnCounter = start;
        startPlaying(kFrame);
        keyboard.press(key);
        for (int frames = 0; frames < kGameFrames && game->getState() == JeuTotal::StatePlaying; ++frames)
        {
            frame(kFrame);
        }
        keyboard.release(key);
        const int end = game->getState();
        keyboard.press(OIS::KC_SPACE);
        keyboard.releaseAfterCaptures(OIS::KC_SPACE, 2);
        frame(kFrame);
        frame(kFrame); // back to the start picture
        return end;
    }
};

// Holding one steering key runs the hero to the middle of one of the picture's edges: no edge is out of reach.
TEST_F(ShippedLibrary, HoldingOneKeyNeverWins)
{
    createGameOnShippedLibrary();
    ASSERT_GE(game->getLibrary().count(), 12);
    for (const OIS::KeyCode key : {OIS::KC_Y, OIS::KC_H, OIS::KC_G, OIS::KC_J})
    {
        for (int start = 0; start < game->getLibrary().count(); ++start)
            EXPECT_EQ(playHolding(key, start), JeuTotal::StateLost) << "key " << key << ", counter at " << start;
    }
}

} // namespace
