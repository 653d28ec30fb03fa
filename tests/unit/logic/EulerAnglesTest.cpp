#include "EulerAngles.h"

#include <OgreMath.h>
#include <OgreVector.h>
#include <gtest/gtest.h>

namespace
{

void expectNear(const Ogre::Vector3& actual, const Ogre::Vector3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

TEST(EulerAngles, ZeroAnglesGiveIdentity)
{
    Sarna::EulerAngles angles(0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(angles.toQuaternion().equals(Ogre::Quaternion::IDENTITY, Ogre::Radian(1e-6f)));
}

TEST(EulerAngles, AxesPointTheWayTheGameExpects)
{
    const float quarter = 90.0f * Ogre::Math::fDeg2Rad;
    // Yaw turns about -Y: +X goes to +Z.
    expectNear(Sarna::EulerAngles(quarter, 0, 0).toQuaternion() * Ogre::Vector3::UNIT_X, Ogre::Vector3::UNIT_Z);
    // Pitch turns about +X: +Y goes to +Z.
    expectNear(Sarna::EulerAngles(0, quarter, 0).toQuaternion() * Ogre::Vector3::UNIT_Y, Ogre::Vector3::UNIT_Z);
    // Roll turns about -Z: +X goes to -Y.
    expectNear(Sarna::EulerAngles(0, 0, quarter).toQuaternion() * Ogre::Vector3::UNIT_X,
               Ogre::Vector3::NEGATIVE_UNIT_Y);
}

TEST(EulerAngles, PitchIsAppliedBeforeYaw)
{
    const float quarter = 90.0f * Ogre::Math::fDeg2Rad;
    Sarna::EulerAngles angles(quarter, quarter, 0.0f);
    // Pitch takes +Y to +Z, then yaw takes +Z to -X; the other order would leave +Z.
    expectNear(angles.toQuaternion() * Ogre::Vector3::UNIT_Y, Ogre::Vector3::NEGATIVE_UNIT_X);
}

} // namespace
