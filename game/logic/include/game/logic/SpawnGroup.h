#pragma once

#include <cassert>
#include <vector>

namespace Sarna
{

/// One runner of a burst: when it is due and how its copy of the trajectory is placed.
struct SpawnGroupEntry
{
    float time;    ///< play time in seconds (the controller's elapsed clock) at which the runner is due
    float offsetX; ///< shift of the trajectory, in trajectory units (not world units)
    float offsetY;
    float angle; ///< turn of the trajectory about its origin, in degrees
};

/// A burst of runners that all follow the same library trajectory; entries are in ascending time, the first one
/// is the next runner due.
class SpawnGroup
{
public:
    explicit SpawnGroup(int libraryIndex) : trajectoryIndex(libraryIndex) {}

    /// Appends the fifteen entries of a burst formation, one every 0.3 s from t0 on. Pattern 0: single file;
    /// 1: along a line of the given width to the left of the path; 2: to the right; 3: to the right, each copy
    /// turned a further 24 degrees.
    void buildSpawnGroup(int pattern, float t0, float width);
    /// The number of burst formations: patterns are 0 to kPatterns - 1.
    static constexpr int kPatterns = 4;

    bool empty() const { return entries.empty(); }
    const SpawnGroupEntry& front() const
    {
        assert(!entries.empty());
        return entries.front();
    }
    void popFront();

    const std::vector<SpawnGroupEntry>& getEntries() const { return entries; }
    int getTrajectoryIndex() const { return trajectoryIndex; }

private:
    std::vector<SpawnGroupEntry> entries;
    int trajectoryIndex;
};

} // namespace Sarna
