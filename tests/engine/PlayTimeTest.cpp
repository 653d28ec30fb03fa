#include "EngineFixture.h"
#include "game/logic/BestTimeFile.h"
#include "game/logic/PlayTimeDisplay.h"
#include "game/logic/TextPanel.h"
#include "support/TempDir.h"

#include <OgreResourceGroupManager.h>
#include <Overlay/OgreOverlay.h>
#include <Overlay/OgreOverlayManager.h>

#include <cstdlib>
#include <fstream>
#include <ostream>

namespace
{

using Sarna::JeuTotal;
using Sarna::PlayTimeDisplay;

// A runner standing far from the hero for a second of its life: the game lasts until it is won.
const Trajectory kFarAway = standingOffCentre("far", 100.0f, 0.0f, 300.0);
// Runners standing where the hero starts: the first one catches him.
const Trajectory kAtStart = standingOffCentre("start", 0.0f, 0.0f, 30000.0);

// Quarter seconds add up exactly, so the play time at each frame is known to the last digit.
constexpr float kQuarter = 0.25f;

class PlayTime : public EngineFixture
{
protected:
    // The time display's font, as "resources.cfg" declares it for the game.
    void SetUp() override
    {
        EngineFixture::SetUp();
        Ogre::ResourceGroupManager& resources = Ogre::ResourceGroupManager::getSingleton();
        resources.addResourceLocation(DUNESTRIDE_FONT_DIR, "FileSystem", PlayTimeDisplay::kFontGroup);
        resources.initialiseResourceGroup(PlayTimeDisplay::kFontGroup);
    }

    const Sarna::TextPanel& clock() const { return *game->getPlayTime().getClock(); }
    const Sarna::TextPanel& result() const { return *game->getPlayTime().getResult(); }

    void runQuarters(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            frame(kQuarter);
        }
    }

    void playUntilOver()
    {
        startPlaying(kQuarter);
        runUntil([&] { return game->getState() != JeuTotal::StatePlaying; }, kQuarter, 1000);
    }

    static void writeFile(const std::string& name, const std::string& contents)
    {
        std::ofstream(name, std::ios::binary) << contents;
    }
};

// The seconds written after the label of a line of the panel's text (line 0 or 1).
double secondsOnLine(const std::string& text, int line)
{
    const std::size_t start = line == 0 ? 0 : text.find('\n') + 1;
    return std::strtod(text.c_str() + text.find_first_of("0123456789", start), nullptr);
}

TEST_F(PlayTime, ClockCountsUpSurvivedAndDownToWinOnlyWhilePlaying)
{
    createGame({kFarAway});
    frame(kQuarter);
    EXPECT_FALSE(clock().isVisible()) << "no clock on the start picture";

    startPlaying(kQuarter);
    EXPECT_TRUE(clock().isVisible());
    EXPECT_EQ(clock().getText(), "Survived   0.2 s\nTo win   179.8 s");
    runQuarters(48);
    ASSERT_EQ(game->getElapsed(), 12.25);
    EXPECT_EQ(clock().getText(), "Survived  12.2 s\nTo win   167.8 s") << "tenths are cut, not rounded";
    runQuarters(670);
    ASSERT_EQ(game->getElapsed(), 179.75);
    EXPECT_EQ(clock().getText(), "Survived 179.7 s\nTo win     0.3 s");
    EXPECT_FALSE(result().isVisible());

    frame(kQuarter);
    ASSERT_EQ(game->getState(), JeuTotal::StateWon);
    EXPECT_FALSE(clock().isVisible());
    EXPECT_FALSE(result().isVisible()) << "the result waits for its picture";
    frame(kQuarter);
    EXPECT_TRUE(game->getOverlayWin()->isVisible());
    EXPECT_TRUE(result().isVisible());
    EXPECT_EQ(result().getText(), "Survived 180.0 s\nNew best 180.0 s");
    const Ogre::Overlay* resultOverlay = Ogre::OverlayManager::getSingleton().getByName("Overlay/Result");
    ASSERT_NE(resultOverlay, nullptr);
    EXPECT_GT(resultOverlay->getZOrder(), game->getOverlayWin()->getZOrder()) << "drawn over the picture";
    EXPECT_EQ(TempDir::read(Sarna::BestTimeFile::kFileName), "180.000\n");

    keyboard.press(OIS::KC_SPACE);
    keyboard.releaseAfterCaptures(OIS::KC_SPACE, 2);
    EXPECT_EQ(frame(kQuarter), JeuTotal::StateRestart);
    EXPECT_FALSE(result().isVisible());
    EXPECT_EQ(frame(kQuarter), JeuTotal::StateStart);
    EXPECT_FALSE(clock().isVisible());
    EXPECT_FALSE(result().isVisible());
}

struct StoredBest
{
    const char* label;
    const char* contents;
    bool beaten;   // by a game lost within seconds
    bool replaced; // by that game's time: only a file that holds a time is the game's to replace
};

// Names each case in the test list.
void PrintTo(const StoredBest& stored, std::ostream* out)
{
    *out << stored.label;
}

class BestTimeRule : public PlayTime, public ::testing::WithParamInterface<StoredBest>
{
};

TEST_P(BestTimeRule, OnlyALongerGameReplacesTheStoredBest)
{
    writeFile(Sarna::BestTimeFile::kFileName, GetParam().contents);
    createGame({kAtStart});
    playUntilOver();
    ASSERT_EQ(game->getState(), JeuTotal::StateLost);
    const double survived = game->getElapsed();
    frame(kQuarter);
    ASSERT_TRUE(result().isVisible());

    // The lost game counts until the hero's dying animation has ended.
    const std::string text = result().getText();
    EXPECT_NEAR(secondsOnLine(text, 0), survived, 0.1);
    EXPECT_LE(secondsOnLine(text, 0), survived);
    const std::string stored = TempDir::read(Sarna::BestTimeFile::kFileName);
    if (GetParam().beaten)
    {
        EXPECT_NE(text.find("New best"), std::string::npos) << text;
    }
    else
    {
        EXPECT_EQ(text.find("New best"), std::string::npos) << text;
        EXPECT_EQ(secondsOnLine(text, 1), 179.5);
    }
    if (GetParam().replaced)
    {
        EXPECT_NEAR(std::strtod(stored.c_str(), nullptr), survived, 0.0005);
    }
    else
    {
        EXPECT_EQ(stored, GetParam().contents) << "the file is left as it was";
    }
}

INSTANTIATE_TEST_SUITE_P(StoredFiles, BestTimeRule,
                         ::testing::Values(StoredBest{"storedLonger", "179.5\n", false, false},
                                           StoredBest{"storedShorter", "1.5", true, true},
                                           StoredBest{"garbage", "not a time\n", true, false},
                                           StoredBest{"empty", "", true, false}));

// A player without the font package: "resources.cfg" names a folder that does not exist. No time on screen, the
// same game, the best time still kept.
using PlayTimeWithoutFont = EngineFixture;

TEST_F(PlayTimeWithoutFont, GamePlaysAndKeepsItsBestTime)
{
    Ogre::ResourceGroupManager& resources = Ogre::ResourceGroupManager::getSingleton();
    resources.addResourceLocation(std::string(DUNESTRIDE_FONT_DIR) + "/missing", "FileSystem",
                                  PlayTimeDisplay::kFontGroup);
    resources.initialiseResourceGroup(PlayTimeDisplay::kFontGroup);
    createGame({kAtStart});
    EXPECT_EQ(game->getPlayTime().getClock(), nullptr);
    EXPECT_EQ(Ogre::OverlayManager::getSingleton().getByName("Overlay/PlayTime"), nullptr);

    startPlaying(kQuarter);
    runUntil([&] { return game->getState() != JeuTotal::StatePlaying; }, kQuarter, 1000);
    ASSERT_EQ(game->getState(), JeuTotal::StateLost);
    EXPECT_EQ(frame(kQuarter), JeuTotal::StateLost);
    EXPECT_NEAR(std::strtod(TempDir::read(Sarna::BestTimeFile::kFileName).c_str(), nullptr), game->getElapsed(),
                0.0005);
}

} // namespace
