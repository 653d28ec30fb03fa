#pragma once

#include <string>
#include <vector>

/// A trajectory for a test library file, in drawing-area pixels and milliseconds.
struct TestTrajectory
{
    struct Key
    {
        double time;
        float px;
        float py;
    };
    std::string name;
    std::vector<Key> keys;
};

/// A trajectory that stays at one drawing point from time 0 to lastTime.
TestTrajectory standingTrajectory(const std::string& name, float px, float py, double lastTime);

/// Writes the trajectories as "library1.xml" in the current directory, in the library file format.
void writeLibraryFile(const std::vector<TestTrajectory>& trajectories);
