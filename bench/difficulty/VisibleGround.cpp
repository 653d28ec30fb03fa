#include "VisibleGround.h"

#include "game/shell/GameScene.h"

#include <OgreCamera.h>
#include <OgrePlane.h>
#include <OgreRay.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>

#include <algorithm>
#include <limits>

namespace
{
// The window the game is measured in (the shipped configuration's video mode).
constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;
} // namespace

VisibleGround VisibleGround::ofGameCamera(Ogre::SceneManager* sceneManager)
{
    Ogre::Camera* camera = sceneManager->createCamera("VisibleGroundCamera");
    Ogre::SceneNode* node = sceneManager->getRootSceneNode()->createChildSceneNode();
    node->attachObject(camera);
    GameScene::placeCamera(*node);
    node->_update(true, false);
    // The engine sizes a viewport in whole pixels.
    const int viewportWidth = static_cast<int>(GameScene::kViewportWidth * kWindowWidth);
    const int viewportHeight = static_cast<int>(GameScene::kViewportHeight * kWindowHeight);
    camera->setAspectRatio(static_cast<Ogre::Real>(static_cast<double>(viewportWidth) / viewportHeight));

    const Ogre::Plane ground(Ogre::Vector3::UNIT_Y, 0.0f);
    float minX = std::numeric_limits<float>::max();
    float maxX = std::numeric_limits<float>::lowest();
    float minZ = minX;
    float maxZ = maxX;
    for (const float screenX : {0.0f, 1.0f})
    {
        for (const float screenY : {0.0f, 1.0f})
        {
            const Ogre::Ray ray = camera->getCameraToViewportRay(screenX, screenY);
            const Ogre::Vector3 point = ray.getPoint(ray.intersects(ground).second);
            minX = std::min(minX, point.x);
            maxX = std::max(maxX, point.x);
            minZ = std::min(minZ, point.z);
            maxZ = std::max(maxZ, point.z);
        }
    }
    node->detachObject(camera);
    sceneManager->destroySceneNode(node);
    sceneManager->destroyCamera(camera);
    return VisibleGround{minX, maxX, minZ, maxZ};
}
