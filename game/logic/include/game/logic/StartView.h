#pragma once

#include <algorithm>
#include <cmath>

namespace Sarna
{

/// The top camera's start place: this high above the ground and this far towards +z, looking straight down with
/// world +z at the top of the picture and world -x at its right.
constexpr float kStartCameraHeight = 65.0f;
constexpr float kStartCameraZ = 20.0f;

/// The camera's vertical field of view, in degrees: the engine's default, which the game keeps.
constexpr float kCameraFieldOfViewDegrees = 45.0f;

/// The name of the top camera, whose viewport sets its aspect ratio.
constexpr const char* kTopCameraName = "CameraTop";

/// The share of the window the viewport covers: the middle of its width, all of its height.
constexpr float kViewportWidthShare = 0.6f;
constexpr float kViewportHeightShare = 1.0f;

/// The window of the shipped engine configuration ("Video Mode=1024 x 768"), in pixels.
constexpr int kShippedWindowWidth = 1024;
constexpr int kShippedWindowHeight = 768;

/// The viewport's width over its height in the shipped window; the engine sizes a viewport in whole pixels.
constexpr float kShippedViewportAspectRatio =
    static_cast<float>(static_cast<int>(kViewportWidthShare * kShippedWindowWidth)) /
    static_cast<float>(static_cast<int>(kViewportHeightShare * kShippedWindowHeight));

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
    /// The part of this rectangle that lies inside the other too.
    GroundRect intersectedWith(const GroundRect& other) const
    {
        return {std::max(minX, other.minX), std::min(maxX, other.maxX), std::max(minZ, other.minZ),
                std::min(maxZ, other.maxZ)};
    }
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
