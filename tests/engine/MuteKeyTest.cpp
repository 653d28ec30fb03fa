// The mute key acts once per press however long or short, and the choice reaches its file between games, never
// while one is played.

#include "EngineFixture.h"
#include "game/sound/SoundSettingFile.h"
#include "support/TempDir.h"

namespace
{

using Sarna::JeuTotal;
using Sarna::SoundSettingFile;

class MuteKey : public EngineFixture
{
protected:
    void holdMuteKey(int frames)
    {
        keyboard.press(OIS::KC_S);
        for (int i = 0; i < frames; ++i)
            frame(0.02f);
        keyboard.release(OIS::KC_S);
        frame(0.02f);
    }
};

TEST_F(MuteKey, EachPressTogglesOnceAndTheChoiceIsWrittenOnlyBetweenGames)
{
    // The runner stands where the hero starts: the game is lost two seconds in.
    createGame({standingOffCentre("origin", 0.0f, 0.0f, 30000.0)});
    keyboard.tap(OIS::KC_S);
    frame(0.02f);
    EXPECT_EQ(TempDir::read(SoundSettingFile::kFileName), "off\n") << "a tap between two frames is lost";

    startPlaying(0.02f);
    holdMuteKey(2);
    EXPECT_EQ(TempDir::read(SoundSettingFile::kFileName), "off\n") << "written while the game was played";
    runUntil([this] { return game->getState() == JeuTotal::StateLost; }, 0.1f, 100);
    ASSERT_EQ(game->getState(), JeuTotal::StateLost);
    EXPECT_EQ(TempDir::read(SoundSettingFile::kFileName), "on\n");
}

} // namespace
