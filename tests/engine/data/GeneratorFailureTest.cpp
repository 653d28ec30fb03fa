// The generator runs inside the build: a directory it cannot write must make it report failure, never throw,
// and leave the engine able to try again.

#include "FigureMeshWriter.h"
#include "GameDataGenerator.h"
#include "engine/HeadlessEngine.h"
#include "game/logic/JeuTotal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

namespace
{
const char* const kMissingDirectory = "/nonexistent-dunestride-directory/media";

TEST(GeneratorFailureTest, UnwritableDirectoriesAreReportedNotThrown)
{
    HeadlessEngine engine;
    bool written = true;
    EXPECT_NO_THROW(written = GameDataGenerator::run(kMissingDirectory, kMissingDirectory));
    EXPECT_FALSE(written);
}

TEST(GeneratorFailureTest, FigureCanBeWrittenAgainAfterAFailedWrite)
{
    HeadlessEngine engine;
    EXPECT_FALSE(FigureMeshWriter::write(kMissingDirectory));
    // The mesh, skeleton and placeholder materials of the first attempt are gone, so their names are free.
    TempDir directory;
    EXPECT_TRUE(FigureMeshWriter::write(directory.path));
    EXPECT_TRUE(std::filesystem::exists(directory.file(FigureMeshWriter::kMeshName)));
    EXPECT_TRUE(std::filesystem::exists(directory.file(FigureMeshWriter::kSkeletonName)));
}

TEST(GeneratorFailureTest, WritesEveryFileTheGameLoads)
{
    HeadlessEngine engine;
    TempDir directory;
    std::filesystem::create_directory(directory.file("media"));
    ASSERT_TRUE(GameDataGenerator::run(directory.file("media"), directory.path));
    // The build's list of the generator's files, comma-separated.
    std::istringstream mediaFiles(GAME_MEDIA_FILES);
    int count = 0;
    for (std::string name; std::getline(mediaFiles, name, ','); ++count)
        EXPECT_TRUE(std::filesystem::exists(directory.file("media/" + name))) << name;
    EXPECT_GT(count, 0) << "no file list from the build";
    EXPECT_TRUE(std::filesystem::exists(directory.file(Sarna::JeuTotal::kLibraryFile)));
}
} // namespace
