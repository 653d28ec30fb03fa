#include "game/logic/BestTimeFile.h"

#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

using Sarna::BestTimeFile;

TEST(BestTimeFile, ReadsOneTimeOfAGameWithBlanksAroundIt)
{
    const struct
    {
        const char* text;
        double seconds;
    } accepted[] = {{"93.437\n", 93.437}, {"  120 \r\n", 120.0}, {"\t7.5", 7.5}, {"0", 0.0}, {"180.000\n", 180.0}};
    for (const auto& file : accepted)
    {
        const std::optional<double> seconds = BestTimeFile::parse(file.text);
        ASSERT_TRUE(seconds.has_value()) << file.text;
        EXPECT_EQ(*seconds, file.seconds) << file.text;
    }
}

TEST(BestTimeFile, AnythingButOneTimeOfAGameIsNoBestTime)
{
    for (const char* text :
         {"", " \n", "abc", "93.4s", "93.4 12", "12,5", "-1", "180.001", "nan", "inf", "1e999", "0x10", "+5"})
    {
        EXPECT_FALSE(BestTimeFile::parse(text).has_value()) << '"' << text << '"';
    }
}

TEST(BestTimeFile, OnlyItsOwnFileIsEverReplacedAndTheBestStillHoldsForTheRun)
{
    // A link to another file used to be written through: that file became "9.204".
    TempDir dir;
    const std::string other = dir.write("other.txt", "someone else's text\n");
    std::filesystem::create_symlink("other.txt", dir.file("link"));
    std::filesystem::create_symlink("missing.txt", dir.file("dangling"));
    dir.write("garbled", "not a time\n");
    std::filesystem::create_directory(dir.file("folder"));
    for (const char* name : {"link", "dangling", "garbled", "folder"})
    {
        LogCapture log;
        BestTimeFile store(dir.file(name));
        store.load();
        EXPECT_FALSE(store.best().has_value()) << name;
        EXPECT_EQ(log.lines.size(), 1u) << name;
        EXPECT_TRUE(store.record(42.0)) << name;
        EXPECT_EQ(*store.best(), 42.0) << name;
        EXPECT_FALSE(store.record(41.0)) << name;
    }
    EXPECT_EQ(TempDir::read(other), "someone else's text\n");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.txt")));
    EXPECT_EQ(TempDir::read(dir.file("garbled")), "not a time\n");
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder")));

    // A link put in place of a missing file after the game read it is not written through either.
    BestTimeFile late(dir.file("late.txt"));
    late.load();
    std::filesystem::create_symlink("other.txt", dir.file("late.txt"));
    EXPECT_TRUE(late.record(50.0));
    EXPECT_EQ(TempDir::read(other), "someone else's text\n");

    BestTimeFile own(dir.file("best-time.txt"));
    own.load();
    EXPECT_TRUE(own.record(93.437));
    EXPECT_EQ(TempDir::read(dir.file("best-time.txt")), "93.437\n");
}

TEST(BestTimeFile, AGameReplacesTheStoredBestOnlyWhenLongerThanWhatTheFileHoldsThen)
{
    // Two windows on one folder: the one that read the file first used to replace the other's longer time.
    TempDir dir;
    const std::string path = dir.file("best-time.txt");
    BestTimeFile first(path);
    BestTimeFile second(path);
    first.load();
    second.load();
    EXPECT_TRUE(second.record(11.2));
    EXPECT_FALSE(first.record(5.168));
    EXPECT_EQ(TempDir::read(path), "11.200\n");
    EXPECT_EQ(*first.best(), 11.2) << "the picture shows the stored best";

    EXPECT_TRUE(first.record(12.5));
    EXPECT_FALSE(second.record(12.0));
    EXPECT_EQ(TempDir::read(path), "12.500\n");
    EXPECT_EQ(*second.best(), 12.5);
}

} // namespace
