// The hero wears his own colours in every game; the runners, made of the same mesh, keep the figure's.

#include "game/logic/HeroLook.h"

#include "EngineFixture.h"
#include "game/logic/RunningMan.h"

#include <OgreEntity.h>
#include <OgreMaterial.h>
#include <OgreMesh.h>
#include <OgrePass.h>
#include <OgreSubEntity.h>
#include <OgreTechnique.h>
#include <OgreTextureUnitState.h>

#include <set>

namespace
{

using Sarna::HeroLook;
using Sarna::JeuTotal;

// Every runner stands where the hero starts: the first one catches him.
const Trajectory kAtOrigin = standingOffCentre("origin", 0.0f, 0.0f, 30000.0);

/// The colour textures that the entity's materials show.
std::set<std::string> texturesOf(const Ogre::Entity& entity)
{
    std::set<std::string> textures;
    for (unsigned int i = 0; i < entity.getNumSubEntities(); ++i)
    {
        const Ogre::Pass* pass = entity.getSubEntity(i)->getMaterial()->getTechnique(0)->getPass(0);
        for (const Ogre::TextureUnitState* unit : pass->getTextureUnitStates())
            textures.insert(unit->getTextureName());
    }
    return textures;
}

bool receivesShadows(const Ogre::Entity& entity)
{
    for (unsigned int i = 0; i < entity.getNumSubEntities(); ++i)
    {
        if (entity.getSubEntity(i)->getMaterial()->getReceiveShadows())
            return true;
    }
    return false;
}

class HeroLookTest : public EngineFixture
{
protected:
    void expectHeroInHisColours()
    {
        const Ogre::Entity& hero = *game->getHero()->getEntity();
        EXPECT_EQ(texturesOf(hero), std::set<std::string>{HeroLook::kHeroTexture});
        EXPECT_FALSE(receivesShadows(hero));
        EXPECT_EQ(hero.getMesh()->getName(), "Ogre.mesh");
    }
};

TEST_F(HeroLookTest, HeroWearsHisShirtInEveryGameWhileRunnersKeepTheFigures)
{
    createGame({kAtOrigin});
    expectHeroInHisColours();

    startPlaying(0.1f);
    frame(0.1f);
    ASSERT_FALSE(game->getRunners().empty());
    const Ogre::Entity& runnerFigure = *runner(0).getMan()->getEntity();
    EXPECT_EQ(texturesOf(runnerFigure), std::set<std::string>{HeroLook::kFigureTexture});
    EXPECT_FALSE(receivesShadows(runnerFigure));
    for (unsigned int i = 0; i < runnerFigure.getNumSubEntities(); ++i)
        EXPECT_NE(runnerFigure.getSubEntity(i)->getMaterial(),
                  game->getHero()->getEntity()->getSubEntity(i)->getMaterial());

    // Caught, lost, and back to a new game with a new hero.
    runUntil([&] { return game->getState() == JeuTotal::StateLost; }, 0.1f, 100);
    ASSERT_EQ(game->getState(), JeuTotal::StateLost);
    keyboard.press(OIS::KC_SPACE);
    keyboard.releaseAfterCaptures(OIS::KC_SPACE, 2);
    frame(0.1f);
    ASSERT_EQ(frame(0.1f), JeuTotal::StateStart);
    expectHeroInHisColours();
}

} // namespace
