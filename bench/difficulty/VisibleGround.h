#pragma once

namespace Ogre
{
class SceneManager;
}

/// The rectangle of ground (world x and z, y = 0) that the game's top camera shows in its viewport. World +z is
/// the top of the picture and world -x its right.
struct VisibleGround
{
    /// Places a camera as the game's scene does (GameScene: its node's place, the engine's default field of view,
    /// the viewport's share of a 1024 x 768 window) and casts the rays through the
    /// viewport's corners onto the ground. The camera is removed again before returning.
    static VisibleGround ofGameCamera(Ogre::SceneManager* sceneManager);

    bool contains(float x, float z) const { return x >= minX && x <= maxX && z >= minZ && z <= maxZ; }
    float centreX() const { return 0.5f * (minX + maxX); }
    float centreZ() const { return 0.5f * (minZ + maxZ); }

    float minX;
    float maxX;
    float minZ;
    float maxZ;
};
