// The generator runs inside the build: a directory it cannot write must make it report failure, never throw,
// and leave the engine able to try again.

#include "FigureMeshWriter.h"
#include "GameDataGenerator.h"
#include "data/HeadlessEngine.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

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
    for (const char* name :
         {"Ogre.mesh", "Ogre.skeleton", "dunestride.material", "Debut.jpg", "Win.jpg", "Lost.jpg", "SarnavelSand.jpg",
          "EveningSky_fr.jpg", "EveningSky_bk.jpg", "EveningSky_lf.jpg", "EveningSky_rt.jpg", "EveningSky_up.jpg",
          "EveningSky_dn.jpg", "FigureColours.bmp", "HeroColours.bmp"})
        EXPECT_TRUE(std::filesystem::exists(directory.file(std::string("media/") + name))) << name;
    EXPECT_TRUE(std::filesystem::exists(directory.file("library1.xml")));
}
} // namespace
