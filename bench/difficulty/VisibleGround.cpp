#include "VisibleGround.h"

#include <OgreCamera.h>
#include <OgrePlane.h>
#include <OgreRay.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>

#include <algorithm>
#include <limits>

namespace
{
// The window the game is measured in; the viewport covers the middle 60 % of its width and all of its height.
constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;
constexpr float kViewportWidthShare = 0.6f;
const Ogre::Vector3 kCameraPosition(0.0f, 65.0f, 20.0f);
} // namespace

VisibleGround VisibleGround::ofGameCamera(Ogre::SceneManager* sceneManager)
{
    Ogre::Camera* camera = sceneManager->createCamera("VisibleGroundCamera");
    Ogre::SceneNode* node = sceneManager->getRootSceneNode()->createChildSceneNode();
    node->attachObject(camera);
    node->setPosition(kCameraPosition);
    node->pitch(Ogre::Degree(-90), Ogre::Node::TS_LOCAL);
    node->roll(Ogre::Degree(180), Ogre::Node::TS_LOCAL);
    node->_update(true, false);
    // The engine sizes a viewport in whole pixels.
    const int viewportWidth = static_cast<int>(kViewportWidthShare * kWindowWidth);
    camera->setAspectRatio(static_cast<Ogre::Real>(static_cast<double>(viewportWidth) / kWindowHeight));

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
