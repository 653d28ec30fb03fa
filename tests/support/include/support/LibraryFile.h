#pragma once

#include "trajectory/Trajectory.h"

#include <string>
#include <vector>

/// Writes the trajectories as a library file with the library's own writer (KelTrajectoryLibrary::outPutToFile),
/// so that tests and benchmarks read what the drawing tool would have saved. Returns whether it was written.
bool writeLibraryFile(const std::string& fileName, const std::vector<Trajectory>& trajectories);

/// The engine log line of every library read that is refused, whatever the reason.
constexpr const char* kLibraryLoadFailedLine = "impossible de LoadFile. erreur lors parsing fichier xml";
