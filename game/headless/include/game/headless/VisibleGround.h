#pragma once

#include "game/logic/StartView.h"

namespace Ogre
{
class SceneManager;
}

/// The rectangle of a plane parallel to the ground (world x and z) that the game's top camera shows in its
/// viewport from its start place. World +z is the top of the picture and world -x its right.
struct VisibleGround
{
    /// Places a camera as the game's scene does (placeStartCamera: its node's place, the engine's default field of
    /// view) with the viewport's aspect ratio, and casts the rays through the viewport's corners onto the plane height
    /// units above the ground. The camera is removed again before returning.
    static VisibleGround ofGameCamera(Ogre::SceneManager* sceneManager,
                                      float aspectRatio = Sarna::kShippedViewportAspectRatio, float height = 0.0f);

    bool contains(float x, float z) const { return x >= minX && x <= maxX && z >= minZ && z <= maxZ; }
    float centreX() const { return 0.5f * (minX + maxX); }
    float centreZ() const { return 0.5f * (minZ + maxZ); }

    float minX;
    float maxX;
    float minZ;
    float maxZ;
};
