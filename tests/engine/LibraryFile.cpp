#include "LibraryFile.h"

#include <fstream>

TestTrajectory standingTrajectory(const std::string& name, float px, float py, double lastTime)
{
    return TestTrajectory{name, {{0.0, px, py}, {lastTime, px, py}}};
}

void writeLibraryFile(const std::vector<TestTrajectory>& trajectories)
{
    std::ofstream out("library1.xml");
    out << "<?xml version=\"1.0\" ?>\n<Trajectories>\n";
    for (const TestTrajectory& trajectory : trajectories)
    {
        out << "<Trajectory name=\"" << trajectory.name << "\" >\n\t<TrackPos>\n";
        for (const TestTrajectory::Key& key : trajectory.keys)
        {
            out << "\t\t<Elem time=\"" << key.time << "\"  px=\"" << key.px << "\"  py=\"" << key.py << "\" />\n";
        }
        out << "</TrackPos><TrackYaw>\n</TrackYaw></Trajectory>\n";
    }
    out << "\n</Trajectories>\n";
}
