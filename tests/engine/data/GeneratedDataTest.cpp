// The game data as the build made it: loaded from the run directory through the engine's resource system the way
// the game loads it, without a render system.

#include "FigurePalette.h"
#include "engine/HeadlessEngine.h"
#include "game/logic/HeroLook.h"
#include "game/logic/JeuTotal.h"
#include "support/LogCapture.h"
#include "trajectory/KelTrajectoryLibrary.h"

#include <OgreEntity.h>
#include <OgreImage.h>
#include <OgreMaterialManager.h>
#include <OgrePass.h>
#include <OgreResourceGroupManager.h>
#include <OgreRoot.h>
#include <OgreSceneManager.h>
#include <OgreSubEntity.h>
#include <OgreTechnique.h>
#include <OgreTextureUnitState.h>
#include <gtest/gtest.h>

namespace
{
class GeneratedDataTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // FreeImage rather than the game's STBI codec: STBI frees its pixels with the wrong deallocator, which
        // the sanitizer build reports. Both read the same files.
        Ogre::Root::getSingleton().loadPlugin(std::string(OGRE_CODEC_DIR) + "/Codec_FreeImage");
        auto& resources = Ogre::ResourceGroupManager::getSingleton();
        resources.addResourceLocation(GAME_MEDIA_DIR, "FileSystem", Ogre::RGN_DEFAULT);
        resources.initialiseAllResourceGroups();
    }

    static Ogre::TextureUnitState* firstUnit(const std::string& material)
    {
        Ogre::MaterialPtr found = Ogre::MaterialManager::getSingleton().getByName(material);
        if (!found || !found->getTechnique(0) || found->getTechnique(0)->getPass(0)->getNumTextureUnitStates() == 0)
            return nullptr;
        return found->getTechnique(0)->getPass(0)->getTextureUnitState(0);
    }

    HeadlessEngine engine;
};

TEST_F(GeneratedDataTest, ManLoadsWithBothAnimations)
{
    Ogre::SceneManager* scene = Ogre::Root::getSingleton().createSceneManager();
    Ogre::Entity* man = scene->createEntity("Hero", "Ogre.mesh");
    EXPECT_GT(man->getAnimationState("Run")->getLength(), 0.5f);
    EXPECT_GT(man->getAnimationState("Dying")->getLength(), 1.4f);
    for (unsigned i = 0; i < man->getNumSubEntities(); ++i)
    {
        const Ogre::MaterialPtr& material = man->getSubEntity(i)->getMaterial();
        EXPECT_NE(material->getName(), "BaseWhite");
        EXPECT_TRUE(material->getTechnique(0)->getPass(0)->getLightingEnabled()) << material->getName();
    }
    scene->destroyEntity(man);
    Ogre::Root::getSingleton().destroySceneManager(scene);
}

TEST_F(GeneratedDataTest, GroundReceivesShadowsAndSkyIsACubeMap)
{
    Ogre::MaterialPtr ground = Ogre::MaterialManager::getSingleton().getByName("TerrainSarnavel");
    ASSERT_TRUE(ground);
    EXPECT_TRUE(ground->getReceiveShadows());
    ASSERT_NE(firstUnit("TerrainSarnavel"), nullptr);
    Ogre::Image sand;
    sand.load(firstUnit("TerrainSarnavel")->getTextureName(), Ogre::RGN_DEFAULT);
    EXPECT_EQ(sand.getWidth(), sand.getHeight());

    Ogre::TextureUnitState* sky = firstUnit("Examples/EveningSkyBox");
    ASSERT_NE(sky, nullptr);
    EXPECT_EQ(sky->getTextureType(), Ogre::TEX_TYPE_CUBE_MAP);
    EXPECT_FALSE(Ogre::MaterialManager::getSingleton()
                     .getByName("Examples/EveningSkyBox")
                     ->getTechnique(0)
                     ->getPass(0)
                     ->getDepthWriteEnabled());
}

TEST_F(GeneratedDataTest, SkyFacesAndPicturesLoadAsImages)
{
    for (const char* face : {"_rt", "_lf", "_up", "_dn", "_fr", "_bk"})
    {
        Ogre::Image image;
        image.load(std::string("EveningSky") + face + ".jpg", Ogre::RGN_DEFAULT);
        EXPECT_EQ(image.getWidth(), image.getHeight()) << face;
    }
    for (const char* picture : {"Debut.jpg", "Win.jpg", "Lost.jpg"})
    {
        Ogre::Image image;
        image.load(picture, Ogre::RGN_DEFAULT);
        EXPECT_GE(image.getWidth(), 640u) << picture;
        EXPECT_GE(image.getHeight(), 640u) << picture;
    }
}

TEST_F(GeneratedDataTest, HeroColoursDifferFromTheRunnersOnlyInAShirtOfTheOtherSideOfTheColourWheel)
{
    Ogre::Image figure;
    Ogre::Image hero;
    figure.load(Sarna::HeroLook::kFigureTexture, Ogre::RGN_DEFAULT);
    hero.load(Sarna::HeroLook::kHeroTexture, Ogre::RGN_DEFAULT);
    ASSERT_EQ(figure.getWidth(), hero.getWidth());
    ASSERT_EQ(figure.getHeight(), hero.getHeight());
    int differing = 0;
    for (unsigned y = 0; y < figure.getHeight(); ++y)
    {
        for (unsigned x = 0; x < figure.getWidth(); ++x)
        {
            const Ogre::ColourValue runnerColour = figure.getColourAt(x, y, 0);
            const Ogre::ColourValue heroColour = hero.getColourAt(x, y, 0);
            if (runnerColour == heroColour)
                continue;
            ++differing;
            // Red shirts on orange sand: the hero's is blue above all.
            EXPECT_GT(runnerColour.r, runnerColour.b + 0.4f);
            EXPECT_GT(heroColour.b, heroColour.r + 0.5f);
            EXPECT_GT(heroColour.b, heroColour.g);
        }
    }
    EXPECT_EQ(differing, FigurePalette::kCellSize * FigurePalette::kCellSize) << "one colour cell, the shirt's";
}

TEST(GeneratedLibraryTest, DefaultLibraryBesideTheGameReadsBack)
{
    LogCapture log;
    KelTrajectoryLibrary library;
    EXPECT_TRUE(library.parseFileForTraj(std::string(GAME_RUN_DIR) + "/" + Sarna::JeuTotal::kLibraryFile));
    EXPECT_GE(library.count(), 12);
}
} // namespace
