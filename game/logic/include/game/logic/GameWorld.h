#pragma once

namespace Sarna
{

/// The playing field: the ground is a square of kGroundSize world units centred on the world origin, in the
/// x/z plane.
constexpr float kGroundSize = 200.0f;
constexpr float kGroundHalfSize = kGroundSize * 0.5f;

/// World units per drawing pixel: a trajectory point (x, y), shifted so that the drawing's centre is at the
/// origin, is placed at world (x, z) = (0.3 x, 0.3 y).
constexpr float kWorldUnitsPerTrajectoryUnit = 0.3f;

/// The hero's speed along each axis, in world units per second.
constexpr double kHeroSpeed = 25.0;

/// A runner whose centre comes closer than this to the hero's, in world units, catches him.
constexpr float kCatchDistance = 2.5f;

/// A runner that first comes closer than this to the running hero, in world units, sounds a warning: far enough
/// out that the hero can still get away from most runners when he hears it.
constexpr float kWarningDistance = 22.0f;

/// Half the running man's width across his arms, in world units: how close his centre comes to an edge.
constexpr float kFigureRadius = 0.6f;

/// How high a figure's node stands above the ground, in world units: the mesh's origin is this far above its feet.
constexpr float kFigureFeetHeight = 2.5f;

/// How tall a figure stands, from his soles to the top of his head, in world units.
constexpr float kFigureHeight = 4.0f;

/// A game is won after this many seconds of play; no game lasts longer.
constexpr double kWinningPlayTime = 180.0;

} // namespace Sarna
