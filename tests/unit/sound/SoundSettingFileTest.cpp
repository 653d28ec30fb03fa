#include "game/sound/SoundSettingFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

using Sarna::SoundSettingFile;

TEST(SoundSettingFile, OnlyAFileSayingOffMutes)
{
    TempDir dir;
    EXPECT_FALSE(SoundSettingFile(dir.file("sound.txt")).loadMuted()) << "missing";
    for (const char* text : {"", "on\n", "of", "offf", "off off", "OFF"})
        EXPECT_FALSE(SoundSettingFile(dir.write("sound.txt", text)).loadMuted()) << '"' << text << '"';
    for (const char* text : {"off", "off\n", " off \r\n"})
        EXPECT_TRUE(SoundSettingFile(dir.write("sound.txt", text)).loadMuted()) << '"' << text << '"';
}

TEST(SoundSettingFile, TheChoiceWrittenIsReadBack)
{
    TempDir dir;
    const SoundSettingFile setting(dir.file("sound.txt"));
    ASSERT_TRUE(setting.saveMuted(true));
    EXPECT_EQ(TempDir::read(dir.file("sound.txt")), "off\n");
    EXPECT_TRUE(setting.loadMuted());
    ASSERT_TRUE(setting.saveMuted(false));
    EXPECT_EQ(TempDir::read(dir.file("sound.txt")), "on\n");
}

TEST(SoundSettingFile, NothingIsWrittenThroughASymbolicLink)
{
    TempDir dir;
    const std::string elsewhere = dir.write("elsewhere.txt", "keep me");
    std::filesystem::create_symlink(elsewhere, dir.file("sound.txt"));
    EXPECT_FALSE(SoundSettingFile(dir.file("sound.txt")).saveMuted(true));
    EXPECT_EQ(TempDir::read(elsewhere), "keep me");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("sound.txt")));
}

} // namespace
