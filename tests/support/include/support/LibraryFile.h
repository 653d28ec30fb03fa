#pragma once

#include "trajectory/Trajectory.h"

#include <string>
#include <vector>

/// Writes the trajectories as a library file with the library's own writer (KelTrajectoryLibrary::outPutToFile),
/// so that tests and benchmarks read what the drawing tool would have saved. Returns whether it was written.
bool writeLibraryFile(const std::string& fileName, const std::vector<Trajectory>& trajectories);
