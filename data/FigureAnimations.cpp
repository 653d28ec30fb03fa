#include "FigureAnimations.h"

#include <OgreAnimation.h>
#include <OgreAnimationTrack.h>
#include <OgreBone.h>
#include <OgreKeyFrame.h>
#include <OgreMath.h>
#include <OgreSkeleton.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr int kRunKeyFrames = 16;
constexpr int kDyingKeyFrames = 40;

/// How far the front of the body (toes, nose) reaches ahead of the spine; lifted so it lies on the ground.
constexpr float kFrontDepth = 0.26f;
constexpr float kRollOverLift = 0.15f;

float smooth(float edge0, float edge1, float t)
{
    const float x = std::clamp((t - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return x * x * (3.0f - 2.0f * x);
}

Ogre::Quaternion rotationOf(const BoneOffset& offset)
{
    const Ogre::Quaternion pitch(Ogre::Degree(offset.pitch), Ogre::Vector3::UNIT_X);
    const Ogre::Quaternion yaw(Ogre::Degree(offset.yaw), Ogre::Vector3::UNIT_Y);
    const Ogre::Quaternion roll(Ogre::Degree(offset.roll), Ogre::Vector3::UNIT_Z);
    return yaw * pitch * roll;
}

/// Upright and balanced: where the dying animation starts.
FigurePose standingPose()
{
    FigurePose pose;
    pose[BoneChest].pitch = 8.0f;
    pose[BoneUpperArmLeft].roll = 8.0f;
    pose[BoneUpperArmRight].roll = -8.0f;
    pose[BoneForeArmLeft].pitch = -40.0f;
    pose[BoneForeArmRight].pitch = -40.0f;
    pose[BoneShinLeft].pitch = 8.0f;
    pose[BoneShinRight].pitch = 8.0f;
    return pose;
}

/// Thrown back by the blow, arms flung up.
FigurePose hitPose()
{
    FigurePose pose;
    pose[BoneChest].pitch = -22.0f;
    pose[BoneHead].pitch = -30.0f;
    pose[BoneUpperArmLeft].pitch = -120.0f;
    pose[BoneUpperArmLeft].roll = 40.0f;
    pose[BoneUpperArmRight].pitch = -110.0f;
    pose[BoneUpperArmRight].roll = -45.0f;
    pose[BoneForeArmLeft].pitch = -25.0f;
    pose[BoneForeArmRight].pitch = -30.0f;
    pose[BoneThighLeft].pitch = -10.0f;
    pose[BoneShinLeft].pitch = 15.0f;
    pose[BoneShinRight].pitch = 5.0f;
    return pose;
}

/// Knees giving way, body slumping forward.
FigurePose buckledPose()
{
    FigurePose pose;
    pose[BoneHips].translate = Ogre::Vector3(0.0f, -0.24f, 0.0f);
    pose[BoneChest].pitch = 30.0f;
    pose[BoneChest].roll = 6.0f;
    pose[BoneHead].pitch = 25.0f;
    pose[BoneUpperArmLeft].pitch = -25.0f;
    pose[BoneUpperArmLeft].roll = 20.0f;
    pose[BoneUpperArmRight].pitch = -15.0f;
    pose[BoneUpperArmRight].roll = -15.0f;
    pose[BoneForeArmLeft].pitch = -30.0f;
    pose[BoneForeArmRight].pitch = -20.0f;
    pose[BoneThighLeft].pitch = -40.0f;
    pose[BoneShinLeft].pitch = 65.0f;
    pose[BoneFootLeft].pitch = -25.0f;
    pose[BoneThighRight].pitch = -30.0f;
    pose[BoneShinRight].pitch = 55.0f;
    pose[BoneFootRight].pitch = -25.0f;
    return pose;
}

/// Face down, one arm stretched out above the head, the other along the side, face turned aside. The root's turn and
/// lift are set by dyingPose.
FigurePose lyingPose()
{
    FigurePose pose;
    pose[BoneHead].yaw = 65.0f;
    pose[BoneHead].pitch = -15.0f;
    pose[BoneUpperArmLeft].pitch = -172.0f;
    pose[BoneUpperArmLeft].roll = 25.0f;
    pose[BoneUpperArmRight].pitch = 12.0f;
    pose[BoneUpperArmRight].roll = -18.0f;
    pose[BoneForeArmLeft].pitch = 5.0f;
    pose[BoneForeArmRight].pitch = 8.0f;
    pose[BoneThighLeft].roll = 8.0f;
    pose[BoneThighRight].roll = -6.0f;
    pose[BoneShinRight].pitch = 25.0f;
    pose[BoneFootLeft].pitch = 60.0f;
    pose[BoneFootRight].pitch = 45.0f;
    return pose;
}
} // namespace

FigurePose FigureAnimations::runPose(float t)
{
    const float phase = Ogre::Math::TWO_PI * t / kRunLength;
    const float s = std::sin(phase);
    const float c = std::cos(phase);
    // Left leg forward when s > 0; each knee folds most while its leg swings forward (c > 0 for the left).
    FigurePose pose;
    pose[BoneHips].translate = Ogre::Vector3(0.0f, 0.02f - 0.05f * std::cos(2.0f * phase), 0.0f);
    pose[BoneHips].yaw = -6.0f * s;
    pose[BoneChest].pitch = 12.0f;
    pose[BoneChest].yaw = 10.0f * s;
    pose[BoneHead].pitch = -8.0f;
    pose[BoneHead].yaw = -6.0f * s;

    pose[BoneThighLeft].pitch = -38.0f * s;
    pose[BoneThighRight].pitch = 38.0f * s;
    pose[BoneShinLeft].pitch = 12.0f + 80.0f * std::pow(std::max(0.0f, c), 1.5f);
    pose[BoneShinRight].pitch = 12.0f + 80.0f * std::pow(std::max(0.0f, -c), 1.5f);
    // Soles stay level with the ground while a foot carries the body, toes push off behind, lift in front.
    pose[BoneFootLeft].pitch = -(pose[BoneThighLeft].pitch + pose[BoneShinLeft].pitch) * 0.8f +
                               30.0f * std::max(0.0f, -s) - 10.0f * std::max(0.0f, s);
    pose[BoneFootRight].pitch = -(pose[BoneThighRight].pitch + pose[BoneShinRight].pitch) * 0.8f +
                                30.0f * std::max(0.0f, s) - 10.0f * std::max(0.0f, -s);

    // Arms swing against the legs, elbows bent, folding more on the forward swing.
    pose[BoneUpperArmLeft].pitch = 40.0f * s;
    pose[BoneUpperArmRight].pitch = -40.0f * s;
    pose[BoneUpperArmLeft].roll = 8.0f;
    pose[BoneUpperArmRight].roll = -8.0f;
    pose[BoneForeArmLeft].pitch = -65.0f - 30.0f * std::max(0.0f, -s);
    pose[BoneForeArmRight].pitch = -65.0f - 30.0f * std::max(0.0f, s);
    return pose;
}

FigurePose FigureAnimations::dyingPose(float t)
{
    const float time = std::clamp(t, 0.0f, kDyingLength);
    FigurePose pose = standingPose().blendedTowards(hitPose(), smooth(0.0f, 0.25f, time));
    pose = pose.blendedTowards(buckledPose(), smooth(0.25f, 0.8f, time));
    pose = pose.blendedTowards(lyingPose(), smooth(0.85f, 1.55f, time));

    // The fall speeds up like a real one and ends with a small rebound off the ground.
    const float fall = std::clamp((time - 0.75f) / 0.8f, 0.0f, 1.0f);
    const float rebound = 5.0f * std::sin(Ogre::Math::PI * std::clamp((time - 1.55f) / 0.35f, 0.0f, 1.0f));
    const float angle = 90.0f * fall * fall - rebound;
    pose[BoneRoot].pitch = angle;
    // The root pivots at the soles; lifting it keeps the front of the body above the ground as it tips over,
    // and a little more half way, where the body rolls over the toes rather than the heels.
    const float radians = Ogre::Math::DegreesToRadians(angle);
    pose[BoneRoot].translate =
        Ogre::Vector3(0.0f, kFrontDepth * std::sin(radians) + kRollOverLift * std::sin(2.0f * radians), 0.0f);
    return pose;
}

void FigureAnimations::addTo(Ogre::Skeleton& skeleton)
{
    addAnimation(skeleton, kRunName, kRunLength, kRunKeyFrames, &FigureAnimations::runPose);
    addAnimation(skeleton, kDyingName, kDyingLength, kDyingKeyFrames, &FigureAnimations::dyingPose);
}

void FigureAnimations::addAnimation(Ogre::Skeleton& skeleton, const char* name, float length, int keyFrames,
                                    FigurePose (*poseAt)(float))
{
    Ogre::Animation* animation = skeleton.createAnimation(name, length);
    animation->setInterpolationMode(Ogre::Animation::IM_LINEAR);
    for (unsigned short bone = 0; bone < BoneCount; ++bone)
    {
        Ogre::NodeAnimationTrack* track = animation->createNodeTrack(bone, skeleton.getBone(bone));
        // The last key repeats the pose at the full length, so a looping animation closes on itself.
        for (int key = 0; key <= keyFrames; ++key)
        {
            const float time = length * static_cast<float>(key) / static_cast<float>(keyFrames);
            const FigurePose pose = poseAt(time);
            const BoneOffset& offset = pose[static_cast<FigureBone>(bone)];
            Ogre::TransformKeyFrame* frame = track->createNodeKeyFrame(time);
            frame->setRotation(rotationOf(offset));
            frame->setTranslate(offset.translate);
        }
    }
}
