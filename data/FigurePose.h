#pragma once

#include "FigureRig.h"

#include <array>

/// How far one bone is turned and moved away from the bind pose, in its parent's space. Angles are degrees:
/// pitch about X (positive takes +Y towards +Z), yaw about Y, roll about Z; they apply roll first, then pitch,
/// then yaw.
struct BoneOffset
{
    float pitch = 0.0f;
    float yaw = 0.0f;
    float roll = 0.0f;
    Ogre::Vector3 translate = Ogre::Vector3::ZERO;
};

/// A whole-body pose as offsets of every bone from the bind pose.
struct FigurePose
{
    std::array<BoneOffset, BoneCount> bones{};

    BoneOffset& operator[](FigureBone bone) { return bones[bone]; }
    const BoneOffset& operator[](FigureBone bone) const { return bones[bone]; }

    /// The pose a fraction weight of the way from this pose to other, angle by angle.
    FigurePose blendedTowards(const FigurePose& other, float weight) const;
};
