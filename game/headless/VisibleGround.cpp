#include "game/headless/VisibleGround.h"

#include "game/logic/StartCamera.h"

#include <OgreCamera.h>
#include <OgrePlane.h>
#include <OgreRay.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>

#include <algorithm>
#include <limits>

VisibleGround VisibleGround::ofGameCamera(Ogre::SceneManager* sceneManager, float aspectRatio, float height)
{
    Ogre::Camera* camera = sceneManager->createCamera("VisibleGroundCamera");
    Ogre::SceneNode* node = sceneManager->getRootSceneNode()->createChildSceneNode();
    node->attachObject(camera);
    Sarna::placeStartCamera(*node);
    node->_update(true, false);
    camera->setAspectRatio(aspectRatio);

    const Ogre::Plane plane(Ogre::Vector3::UNIT_Y, height);
    float minX = std::numeric_limits<float>::max();
    float maxX = std::numeric_limits<float>::lowest();
    float minZ = minX;
    float maxZ = maxX;
    for (const float screenX : {0.0f, 1.0f})
    {
        for (const float screenY : {0.0f, 1.0f})
        {
            const Ogre::Ray ray = camera->getCameraToViewportRay(screenX, screenY);
            const Ogre::Vector3 point = ray.getPoint(ray.intersects(plane).second);
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
