#include "EulerAngles.h"

#include <OgreVector.h>

namespace Sarna
{

EulerAngles::EulerAngles(float yawRadians, float pitchRadians, float rollRadians)
    : yaw(yawRadians), pitch(pitchRadians), roll(rollRadians)
{
}

const Ogre::Quaternion& EulerAngles::toQuaternion()
{
    if (changed)
    {
        cached = Ogre::Quaternion(Ogre::Radian(yaw), Ogre::Vector3::NEGATIVE_UNIT_Y) *
                 Ogre::Quaternion(Ogre::Radian(pitch), Ogre::Vector3::UNIT_X) *
                 Ogre::Quaternion(Ogre::Radian(roll), Ogre::Vector3::NEGATIVE_UNIT_Z);
        changed = false;
    }
    return cached;
}

} // namespace Sarna
