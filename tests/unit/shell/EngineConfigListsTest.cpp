#include "game/shell/EngineConfigLists.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace
{
class ConfigFileTest : public ::testing::Test
{
protected:
    void TearDown() override { std::remove(fileName.c_str()); }

    const std::string& write(const std::string& content)
    {
        std::ofstream(fileName) << content;
        return fileName;
    }

    std::string fileName = ::testing::UnitTest::GetInstance()->current_test_info()->name() + std::string(".cfg");
};

using PluginListTest = ConfigFileTest;
using ResourceListTest = ConfigFileTest;
} // namespace

TEST_F(PluginListTest, OnlyPluginSettingsCountAndTheirValuesPassUnchanged)
{
    const auto names = pluginNamesInFile(write("PluginFolder=/opt/ogre/plugins\n"
                                               "Plugin = /usr/lib/OGRE/RenderSystem_GL\n"
                                               "Plugin:Codec_STBI\n"
                                               "plugin=Plugin_ParticleFX\n"
                                               "PLUGIN=Plugin_OctreeSceneManager\n"
                                               "Plugins=Plugin_BSPSceneManager\n"));
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "/usr/lib/OGRE/RenderSystem_GL");
    EXPECT_EQ(names[1], "Codec_STBI");
}

TEST_F(PluginListTest, SectionsComeInNameOrderAndEqualKeysInFileOrder)
{
    const auto names = pluginNamesInFile(write("[Zeta]\nPlugin=z1\n"
                                               "[Alpha]\nPlugin=a1\nPlugin=a2\n"));
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], "a1");
    EXPECT_EQ(names[1], "a2");
    EXPECT_EQ(names[2], "z1");
}

TEST_F(PluginListTest, CommentsAndEmptyFilesNameNoPlugin)
{
    EXPECT_TRUE(pluginNamesInFile(write("# Plugin=RenderSystem_GL\n\n")).empty());
    EXPECT_TRUE(pluginNamesInFile(write("")).empty());
}

TEST_F(ResourceListTest, EachSectionIsAGroupAndEachSettingALocation)
{
    const auto locations = resourceLocationsInFile(write("[OgreInternal]\n"
                                                         "FileSystem=/usr/share/OGRE/Media/ShadowVolume\n"
                                                         "[General]\n"
                                                         "Zip=packs/b.zip\n"
                                                         "FileSystem=media\n"
                                                         "Zip=packs/a.zip\n"
                                                         "FileSystem=more media\n"));
    ASSERT_EQ(locations.size(), 5u);
    // Within a group, locations of one archive type come before the next type, in file order.
    EXPECT_EQ(locations[0].group, "General");
    EXPECT_EQ(locations[0].archiveType, "FileSystem");
    EXPECT_EQ(locations[0].location, "media");
    EXPECT_EQ(locations[1].location, "more media");
    EXPECT_EQ(locations[2].archiveType, "Zip");
    EXPECT_EQ(locations[2].location, "packs/b.zip");
    EXPECT_EQ(locations[3].location, "packs/a.zip");
    EXPECT_EQ(locations[4].group, "OgreInternal");
    EXPECT_EQ(locations[4].location, "/usr/share/OGRE/Media/ShadowVolume");
}

TEST_F(ResourceListTest, SettingsBeforeTheFirstHeaderFormTheUnnamedGroup)
{
    const auto locations = resourceLocationsInFile(write("FileSystem=loose\n[General]\nFileSystem=media\n"));
    ASSERT_EQ(locations.size(), 2u);
    EXPECT_EQ(locations[0].group, "");
    EXPECT_EQ(locations[0].location, "loose");
    EXPECT_EQ(locations[1].group, "General");
}
