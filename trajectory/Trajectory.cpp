#include "trajectory/Trajectory.h"

#include <OgreMath.h>

#include <algorithm>
#include <cmath>

void Trajectory::clear()
{
    name.clear();
    trackPos.clear();
    trackYaw.clear();
}

void Trajectory::addPositionKey(const PositionKey& key)
{
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
    if (!trackPos.empty() || anyNaN)
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
    const std::size_t count = trackPos.size();
    if (count == 0)
        return false;

    const PositionKey& first = trackPos.front();
    const PositionKey& last = trackPos.back();
    if (count == 1)
    {
        x = first.px;
        y = first.py;
        return t <= first.time;
    }
    if (t > last.time)
    {
        x = last.px;
        y = last.py;
        return false;
    }
    if (t < first.time)
    {
        x = first.px;
        y = first.py;
        return true;
    }

    std::size_t bIndex = 1;
    while (bIndex < count - 1 && !(t <= trackPos[bIndex].time))
        ++bIndex;
    const PositionKey& a = trackPos[bIndex - 1];
    const PositionKey& b = trackPos[bIndex];
    if (a.time == b.time)
    {
        x = a.px;
        y = a.py;
        return true;
    }

    // Every product and sum is rounded to single precision on its own, as the game has always computed it.
    const float u = static_cast<float>((t - a.time) / (b.time - a.time));
    const float oneMinusU = 1.0f - u;
    const float ax = a.px * oneMinusU;
    const float bx = b.px * u;
    const float ay = a.py * oneMinusU;
    const float by = b.py * u;
    x = ax + bx;
    y = ay + by;
    return true;
}

void Trajectory::translatePositions(float dx, float dy)
{
    for (PositionKey& key : trackPos)
    {
        key.px = key.px + dx;
        key.py = key.py + dy;
    }
}

void Trajectory::rotatePositions(float angleDegrees, float cx, float cy)
{
    const float angle = angleDegrees * Ogre::Math::fDeg2Rad;
    const float s = Ogre::Math::Sin(angle, false);
    const float c = Ogre::Math::Cos(angle, false);
    for (PositionKey& key : trackPos)
    {
        const float dx = key.px - cx;
        const float dy = key.py - cy;
        const float dxc = dx * c;
        const float dys = dy * s;
        const float dxs = dx * s;
        const float dyc = dy * c;
        const float nx = dxc - dys;
        const float ny = dxs + dyc;
        key.px = nx + cx;
        key.py = ny + cy;
    }
}
