#pragma once

#include <OgreQuaternion.h>

namespace Sarna
{

/// An orientation given as yaw, pitch and roll in radians, with the quaternion cached until an angle changes.
/// Yaw turns about -Y, pitch about +X, roll about -Z, applied in that order.
class EulerAngles
{
public:
    EulerAngles(float yawRadians, float pitchRadians, float rollRadians);

    const Ogre::Quaternion& toQuaternion();

private:
    float yaw;
    float pitch;
    float roll;
    Ogre::Quaternion cached = Ogre::Quaternion::IDENTITY;
    bool changed = true;
};

} // namespace Sarna
