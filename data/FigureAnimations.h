#pragma once

#include "FigurePose.h"

#include <OgrePrerequisites.h>

/// The figure's two animations, "Run" and "Dying", as poses over time and as engine animations of its skeleton.
class FigureAnimations
{
public:
    static constexpr const char* kRunName = "Run";
    static constexpr const char* kDyingName = "Dying";
    /// One full stride of both legs, in seconds; the animation loops.
    static constexpr float kRunLength = 0.8f;
    /// From the hit to lying still face down on the ground, in seconds; played once.
    static constexpr float kDyingLength = 2.0f;

    /// The running pose at time t (seconds, wraps every kRunLength).
    static FigurePose runPose(float t);
    /// The dying pose at time t (seconds, held at its end after kDyingLength).
    static FigurePose dyingPose(float t);

    /// Adds both animations to a skeleton whose bones FigureRig::buildBones made.
    static void addTo(Ogre::Skeleton& skeleton);

private:
    static void addAnimation(Ogre::Skeleton& skeleton, const char* name, float length, int keyFrames,
                             FigurePose (*poseAt)(float));
};
