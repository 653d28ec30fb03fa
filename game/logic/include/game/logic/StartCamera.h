#pragma once

namespace Ogre
{
class SceneNode;
}

namespace Sarna
{

/// Puts the top camera's node in its start place (StartView.h), kStartCameraHeight units above the ground and
/// kStartCameraZ towards +z, looking straight down with world +z at the top of the picture, whatever was done to
/// it before. The game's scene, its view keys and the headless game all start the camera here.
void placeStartCamera(Ogre::SceneNode& node);

} // namespace Sarna
