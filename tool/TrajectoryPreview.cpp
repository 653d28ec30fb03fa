#include "TrajectoryPreview.h"

#include "PixelRounding.h"
#include "tool/DrawingWindow.h"
#include "trajectory/KelTrajectoryLibrary.h"
#include "trajectory/Trajectory.h"

#include <cstddef>
#include <ostream>
#include <vector>

namespace
{

// About sixty frames a second: smooth to the eye, light on the machine.
constexpr unsigned int kFrameMilliseconds = 16;
// How long a finished path stays on screen before the next one starts.
constexpr unsigned int kEndHoldMilliseconds = 700;

bool hasPath(const KelTrajectoryLibrary& library)
{
    for (const auto& entry : library)
    {
        if (!entry.second.getTrackPos().empty())
        {
            return true;
        }
    }
    return false;
}

} // namespace

TrajectoryPreview::TrajectoryPreview(DrawingWindow& drawingWindow, const SampleClock& sampleClock, std::ostream& out)
    : window(drawingWindow), clock(sampleClock), consoleOut(out)
{
}

void TrajectoryPreview::play(const KelTrajectoryLibrary& library, double speed)
{
    if (!hasPath(library))
    {
        consoleOut << "aucun dessin a montrer" << std::endl;
        return;
    }
    // The key that asked for the playback is still held: only later presses stop it.
    window.ignoreHeldInput();
    bool finished = true;
    for (const auto& [name, trajectory] : library)
    {
        if (trajectory.getTrackPos().empty())
        {
            continue;
        }
        consoleOut << "apercu de " << name << std::endl;
        if (!playOne(trajectory, speed))
        {
            finished = false;
            break;
        }
    }
    window.clearImage();
    if (!finished)
    {
        // The press that stopped the playback must not also start a stroke or act as a key.
        window.ignoreHeldInput();
    }
}

bool TrajectoryPreview::playOne(const Trajectory& trajectory, double speed)
{
    window.clearImage();
    const std::vector<PositionKey>& keys = trajectory.getTrackPos();
    std::size_t nextKey = 0;
    Pixel trailEnd{toPixel(keys.front().px), toPixel(keys.front().py)};
    const DWORD start = clock();
    for (;;)
    {
        const double time = elapsedSampleTime(start, clock()) * speed;
        float x = keys.front().px;
        float y = keys.front().py;
        const bool moving = trajectory.positionAt(time, x, y);
        // The trail goes through every key passed since the last frame, so that it keeps the path's corners.
        for (; nextKey < keys.size() && keys[nextKey].time <= time; ++nextKey)
        {
            trailEnd = trailTo(trailEnd, {toPixel(keys[nextKey].px), toPixel(keys[nextKey].py)});
        }
        trailEnd = trailTo(trailEnd, {toPixel(x), toPixel(y)});
        window.showWithDot(trailEnd.x, trailEnd.y);
        if (window.waitForPressOrClose(moving ? kFrameMilliseconds : kEndHoldMilliseconds))
        {
            return false;
        }
        if (!moving)
        {
            return true;
        }
    }
}

TrajectoryPreview::Pixel TrajectoryPreview::trailTo(Pixel from, Pixel to)
{
    window.drawTrail(from.x, from.y, to.x, to.y);
    return to;
}
