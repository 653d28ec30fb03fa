#pragma once

#include "trajectory/Trajectory.h"

#include <map>
#include <string>
#include <vector>

/// A named collection of trajectories, ordered by byte-wise comparison of their names, and its XML file.
/// Problems are reported as single lines to the engine's log manager; nothing here throws.
class KelTrajectoryLibrary
{
public:
    using TrajectoryMap = std::map<std::string, Trajectory>;

    /// Merges the trajectories of an XML library file into this library (a trajectory of the same name is
    /// replaced): all of them, or none when the read fails. Returns false when the file cannot be read, is not a
    /// regular file, is too large, too deeply nested or otherwise too costly to parse, or is not a library. A
    /// trajectory with a coordinate beyond the reader's bound is left out, so that every position of a trajectory
    /// read, turned, shifted and interpolated is finite.
    bool parseFileForTraj(const std::string& fileName);

    /// The same, and collects in refusals (also logged) a line for each limit that refused the file or one of
    /// its trajectories, naming the limit and what was found.
    bool parseFileForTraj(const std::string& fileName, std::vector<std::string>& refusals);

    /// The same, and also names in leftOut each trajectory of the file that a limit left out of the read.
    bool parseFileForTraj(const std::string& fileName, std::vector<std::string>& refusals,
                          std::vector<std::string>& leftOut);

    /// Writes the whole library to fileName as well-formed UTF-8 (see replaceFileContents for how the file is
    /// replaced). On failure the previous file stays as it was and false is returned.
    bool outPutToFile(const std::string& fileName) const;

    /// A copy of the trajectory at place index in name order. A negative index or an empty library gives an
    /// empty trajectory, an index past the end the last trajectory; both are logged.
    Trajectory getTraj(int index) const;

    /// Stores a copy of the trajectory under its name, replacing one of the same name.
    void addTrajectory(const Trajectory& trajectory);

    /// Shifts every key of every trajectory by (dx, dy) drawing pixels.
    void translateAll(float dx, float dy);

    int count() const { return static_cast<int>(trajectories.size()); }
    void clear() { trajectories.clear(); }

    /// Read-only access in name order: a trajectory renamed in place would break the order getTraj relies on.
    TrajectoryMap::const_iterator begin() const { return trajectories.begin(); }
    TrajectoryMap::const_iterator end() const { return trajectories.end(); }

private:
    void mergeWithoutAllocating(TrajectoryMap& fromFile);

    TrajectoryMap trajectories;
};
