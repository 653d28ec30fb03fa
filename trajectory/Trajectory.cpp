#include "trajectory/Trajectory.h"

#include "trajectory/PlaneTurn.h"
#include "trajectory/TrackCursor.h"

#include <algorithm>
#include <cmath>

void Trajectory::clear()
{
    name.clear();
    sharedTrackPos.reset();
    trackYaw.clear();
}

const std::vector<PositionKey>& Trajectory::getTrackPos() const
{
    static const std::vector<PositionKey> noKeys;
    return sharedTrackPos ? *sharedTrackPos : noKeys;
}

std::shared_ptr<const std::vector<PositionKey>> Trajectory::shareTrackPos() const
{
    if (!sharedTrackPos)
        return std::make_shared<const std::vector<PositionKey>>();
    return sharedTrackPos;
}

std::vector<PositionKey>& Trajectory::ownTrackPos()
{
    // Counting the holders is safe here: while this trajectory is the only one, nobody else can start to hold its
    // keys but through it.
    if (!sharedTrackPos)
        sharedTrackPos = std::make_shared<std::vector<PositionKey>>();
    else if (sharedTrackPos.use_count() > 1)
        sharedTrackPos = std::make_shared<std::vector<PositionKey>>(*sharedTrackPos);
    return *sharedTrackPos;
}

void Trajectory::addPositionKey(const PositionKey& key)
{
    std::vector<PositionKey>& trackPos = ownTrackPos();
    // Keys normally arrive in ascending time (a stroke being drawn, a file being read). The keys that compare
    // at all stay strictly ascending, so when the last key is such a key it is the latest one, and comparing
    // with it alone gives the same result as the walk from the front.
    if (!trackPos.empty())
    {
        PositionKey& last = trackPos.back();
        if (key.time > last.time)
        {
            trackPos.push_back(key);
            return;
        }
        if (key.time == last.time)
        {
            last.px = key.px;
            last.py = key.py;
            return;
        }
    }
    insertByWalk(key);
}

void Trajectory::insertByWalk(const PositionKey& key)
{
    std::vector<PositionKey>& trackPos = ownTrackPos();
    for (auto it = trackPos.begin(); it != trackPos.end(); ++it)
    {
        if (it->time > key.time)
        {
            trackPos.insert(it, key);
            return;
        }
        if (it->time == key.time)
        {
            it->px = key.px;
            it->py = key.py;
            return;
        }
    }
    trackPos.push_back(key);
}

void Trajectory::addPositionKeys(const std::vector<PositionKey>& keys)
{
    bool anyNaN = std::any_of(keys.begin(), keys.end(), [](const PositionKey& k) { return std::isnan(k.time); });
    if (!getTrackPos().empty() || anyNaN)
    {
        // NaN times do not order; only the key-by-key walk says where they end up.
        for (const PositionKey& key : keys)
            addPositionKey(key);
        return;
    }

    // Into an empty track: a stable sort keeps equal times in arrival order, so the first of each run gives
    // the time that stays and the last gives the position that wins, as with key-by-key insertion.
    auto earlier = [](const PositionKey& a, const PositionKey& b) { return a.time < b.time; };
    std::vector<PositionKey> sorted(keys);
    if (!std::is_sorted(sorted.begin(), sorted.end(), earlier))
        std::stable_sort(sorted.begin(), sorted.end(), earlier);
    std::vector<PositionKey>& trackPos = ownTrackPos();
    trackPos.reserve(sorted.size());
    for (const PositionKey& key : sorted)
    {
        if (!trackPos.empty() && trackPos.back().time == key.time)
        {
            trackPos.back().px = key.px;
            trackPos.back().py = key.py;
        }
        else
        {
            trackPos.push_back(key);
        }
    }
}

void Trajectory::addYawKey(const YawKey& key)
{
    trackYaw.push_back(key);
}

bool Trajectory::positionAt(double t, float& x, float& y) const
{
    TrackCursor fromTheFront;
    return fromTheFront.positionAt(
        getTrackPos(), t, [](const PositionKey& key) { return key; }, x, y);
}

void Trajectory::translatePositions(float dx, float dy)
{
    for (PositionKey& key : ownTrackPos())
    {
        key.px = key.px + dx;
        key.py = key.py + dy;
    }
}

void Trajectory::rotatePositions(float angleDegrees, float cx, float cy)
{
    const PlaneTurn turn(angleDegrees);
    for (PositionKey& key : ownTrackPos())
        turn.apply(key.px, key.py, cx, cy);
}
