#include "GuideLayout.h"

#include "PixelRounding.h"
#include "game/logic/GameWorld.h"
#include "game/logic/StartView.h"
#include "trajectory/DrawingFrame.h"
#include "trajectory/GameSpeed.h"
#include "trajectory/KelTrajectoryLibrary.h"
#include "trajectory/Trajectory.h"

#include <cmath>
#include <limits>
#include <vector>

namespace
{

// Within a fifth of the hero's speed a runner neither gains on him nor falls behind by much over a stroke's length.
constexpr double kAboutAsFastBand = 0.2;
// Half the width of the mark on the game picture's top edge, in pixels.
constexpr int kTopMarkHalfWidth = 8;

int drawingX(float worldX)
{
    return toPixel(DrawingFrame::kCentreX + worldX / Sarna::kWorldUnitsPerTrajectoryUnit);
}

int drawingY(float worldZ)
{
    return toPixel(DrawingFrame::kCentreY + worldZ / Sarna::kWorldUnitsPerTrajectoryUnit);
}

void addKeptDrawing(const Trajectory& trajectory, std::vector<Guides::Line>& lines)
{
    const std::vector<PositionKey>& keys = trajectory.getTrackPos();
    for (std::size_t key = 0; key < keys.size(); ++key)
    {
        const PositionKey& from = keys[key == 0 ? 0 : key - 1];
        lines.push_back({toPixel(from.px), toPixel(from.py), toPixel(keys[key].px), toPixel(keys[key].py),
                         Guides::Ink::KeptDrawing});
    }
}

void addCameraView(std::vector<Guides::Line>& lines)
{
    const Sarna::GroundRect view = Sarna::startViewAt(Sarna::kShippedViewportAspectRatio);
    const int left = drawingX(view.minX);
    const int right = drawingX(view.maxX);
    const int top = drawingY(view.minZ);
    const int bottom = drawingY(view.maxZ);
    constexpr Guides::Ink kInk = Guides::Ink::CameraView;
    lines.push_back({left, top, right, top, kInk});
    lines.push_back({right, top, right, bottom, kInk});
    lines.push_back({right, bottom, left, bottom, kInk});
    lines.push_back({left, bottom, left, top, kInk});
    // The game's picture has world +z at its top: the drawing's bottom edge. A notch pointing out of it.
    const int middle = (left + right) / 2;
    lines.push_back({middle - kTopMarkHalfWidth, bottom, middle, bottom + kTopMarkHalfWidth, kInk});
    lines.push_back({middle, bottom + kTopMarkHalfWidth, middle + kTopMarkHalfWidth, bottom, kInk});
}

} // namespace

Guides guidesFor(const KelTrajectoryLibrary& library)
{
    Guides guides;
    // The drawings first, so that the outline and the hero's place stay visible where drawings cross them.
    for (const auto& entry : library)
    {
        addKeptDrawing(entry.second, guides.lines);
    }
    addCameraView(guides.lines);
    // The hero starts at the world's origin.
    guides.circles.push_back({drawingX(0.0f), drawingY(0.0f),
                              toPixel(Sarna::kCatchDistance / Sarna::kWorldUnitsPerTrajectoryUnit),
                              Guides::Ink::HeroStart});
    return guides;
}

double runnerSpeed(const PositionKey& from, const PositionKey& to)
{
    const double seconds = (to.time - from.time) / kGameTrajectoryMsPerSecond;
    const double pixels = std::hypot(static_cast<double>(to.px) - from.px, static_cast<double>(to.py) - from.py);
    if (!(seconds > 0.0))
    {
        return std::numeric_limits<double>::infinity();
    }
    return Sarna::kWorldUnitsPerTrajectoryUnit * pixels / seconds;
}

DotInk speedInk(double worldUnitsPerSecond)
{
    if (worldUnitsPerSecond < (1.0 - kAboutAsFastBand) * Sarna::kHeroSpeed)
    {
        return DotInk::Slower;
    }
    if (worldUnitsPerSecond > (1.0 + kAboutAsFastBand) * Sarna::kHeroSpeed)
    {
        return DotInk::Faster;
    }
    return DotInk::AboutAsFast;
}
