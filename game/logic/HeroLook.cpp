#include "game/logic/HeroLook.h"

#include <OgreEntity.h>
#include <OgreMaterialManager.h>
#include <OgrePass.h>
#include <OgreSubEntity.h>
#include <OgreTechnique.h>
#include <OgreTextureUnitState.h>

namespace Sarna
{
namespace
{
Ogre::MaterialPtr heroClone(const Ogre::MaterialPtr& figure)
{
    const std::string name = figure->getName() + HeroLook::kMaterialSuffix;
    Ogre::MaterialPtr hero = Ogre::MaterialManager::getSingleton().getByName(name, figure->getGroup());
    if (hero)
    {
        return hero;
    }
    hero = figure->clone(name);
    for (Ogre::Technique* technique : hero->getTechniques())
    {
        for (Ogre::Pass* pass : technique->getPasses())
        {
            for (Ogre::TextureUnitState* unit : pass->getTextureUnitStates())
            {
                if (unit->getTextureName() == HeroLook::kFigureTexture)
                {
                    unit->setTextureName(HeroLook::kHeroTexture);
                }
            }
        }
    }
    // As every figure material: the man never shows the shadows of others on himself.
    hero->setReceiveShadows(false);
    return hero;
}
} // namespace

void HeroLook::dress(Ogre::Entity& hero)
{
    for (unsigned int i = 0; i < hero.getNumSubEntities(); ++i)
    {
        Ogre::SubEntity* part = hero.getSubEntity(i);
        part->setMaterial(heroClone(part->getMaterial()));
    }
}

} // namespace Sarna
