#include "support/LibraryFile.h"

#include "trajectory/KelTrajectoryLibrary.h"

bool writeLibraryFile(const std::string& fileName, const std::vector<Trajectory>& trajectories)
{
    KelTrajectoryLibrary library;
    for (const Trajectory& trajectory : trajectories)
        library.addTrajectory(trajectory);
    return library.outPutToFile(fileName);
}
