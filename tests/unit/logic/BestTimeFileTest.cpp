#include "game/logic/BestTimeFile.h"

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

TEST(BestTimeFile, AFileThatCannotBeWrittenStillKeepsTheBestForThisRun)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("best-time.txt"));
    BestTimeFile store(dir.file("best-time.txt"));
    store.load();
    EXPECT_FALSE(store.best().has_value());

    EXPECT_TRUE(store.record(42.0));
    ASSERT_TRUE(store.best().has_value());
    EXPECT_EQ(*store.best(), 42.0);
    EXPECT_FALSE(store.record(41.0));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("best-time.txt"))) << "the folder is left alone";
}

} // namespace
