#include "game/logic/StartCamera.h"

#include "game/logic/StartView.h"

#include <OgreSceneNode.h>

namespace Sarna
{

void placeStartCamera(Ogre::SceneNode& node)
{
    node.setOrientation(Ogre::Quaternion::IDENTITY);
    node.setPosition(0.0f, kStartCameraHeight, kStartCameraZ);
    node.pitch(Ogre::Degree(-90), Ogre::Node::TS_LOCAL);
    node.roll(Ogre::Degree(180), Ogre::Node::TS_LOCAL);
}

} // namespace Sarna
