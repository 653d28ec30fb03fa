#pragma once

namespace Ogre
{
class Entity;
}

namespace Sarna
{

/// The hero's own colours, so that the player finds him in a crowd of runners of the same figure: the figure's
/// materials, cloned once per material with the colour texture in which the shirt has the hero's colour. The
/// runners keep the figure's materials.
class HeroLook
{
public:
    /// The figure's colour texture and the hero's, both part of the game data.
    static constexpr const char* kFigureTexture = "FigureColours.bmp";
    static constexpr const char* kHeroTexture = "HeroColours.bmp";
    /// Appended to a figure material's name to name the hero's clone of it.
    static constexpr const char* kMaterialSuffix = "/Hero";

    /// Gives every sub-entity of the hero's entity the hero's clone of its material, made on first use.
    static void dress(Ogre::Entity& hero);
};

} // namespace Sarna
