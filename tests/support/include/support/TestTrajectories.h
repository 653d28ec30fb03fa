#pragma once

#include "trajectory/Trajectory.h"

#include <initializer_list>
#include <string>
#include <vector>

// Trajectories for tests and benchmarks, in drawing-area pixels and milliseconds.

/// A trajectory with the keys added one by one, as the drawing tool adds its samples.
Trajectory trajectoryOf(const std::string& name, std::initializer_list<PositionKey> keys);

/// A trajectory that stays at one drawing point from time 0 to lastTime.
Trajectory standingTrajectory(const std::string& name, float px, float py, double lastTime);

/// A trajectory that stays dx, dy drawing pixels away from the drawing's centre (where the game puts its world
/// origin and the hero starts) from time 0 to lastTime.
Trajectory standingOffCentre(const std::string& name, float dx, float dy, double lastTime);

/// A path round a circle about (centreX, centreY), one degree a key, keys spacingMs apart from time 0, in whole
/// pixels as the drawing tool records them.
Trajectory circlingTrajectory(const std::string& name, int keyCount, double spacingMs, float centreX, float centreY,
                              float radius);

/// Keys 16 ms apart that sweep the drawing area in long jumps, in ascending time: cheap to make in any number.
std::vector<PositionKey> sweepingKeys(int count);
