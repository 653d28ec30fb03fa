#pragma once

#include <cmath>

namespace Sarna
{

/// The top camera's start place: this high above the ground and this far towards +z, looking straight down with
/// world +z at the top of the picture and world -x at its right.
constexpr float kStartCameraHeight = 65.0f;
constexpr float kStartCameraZ = 20.0f;

/// The camera's vertical field of view, in degrees: the engine's default, which the game keeps.
constexpr float kCameraFieldOfViewDegrees = 45.0f;

/// The viewport's width divided by its height in the window the game ships with: ogre.cfg's "Video Mode=1024 x 768",
/// of whose width the viewport takes the middle 60 %. Code that has no window to measure (the drawing tool's guides,
/// tools that play the game without rendering) takes this; the game itself measures its viewport.
constexpr float kShippedViewportAspect = 1024.0f * 0.6f / 768.0f;

/// A rectangle of a plane parallel to the ground, in world x and z.
struct GroundRect
{
    float minX;
    float maxX;
    float minZ;
    float maxZ;

    bool contains(float x, float z) const { return x >= minX && x <= maxX && z >= minZ && z <= maxZ; }
    /// The same rectangle with every side moved inwards by margin.
    GroundRect shrunkBy(float margin) const { return {minX + margin, maxX - margin, minZ + margin, maxZ - margin}; }
};

/// What the camera shows from its start place of the plane `height` world units above the ground, for a viewport
/// whose width divided by its height is aspectRatio.
inline GroundRect startViewAt(float aspectRatio, float height = 0.0f)
{
    constexpr float kDegreesToRadians = 3.14159265358979f / 180.0f;
    const float halfDepth =
        (kStartCameraHeight - height) * std::tan(0.5f * kCameraFieldOfViewDegrees * kDegreesToRadians);
    const float halfWidth = halfDepth * aspectRatio;
    return {-halfWidth, halfWidth, kStartCameraZ - halfDepth, kStartCameraZ + halfDepth};
}

} // namespace Sarna
