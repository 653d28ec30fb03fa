#pragma once

// A drawing window driven by a script of window states: each waitForEvent moves to the next state. When the
// script runs out the window reports itself closed, so a session never waits forever. Playback waits pass on a
// clock of their own (now, in milliseconds), and presses during playback are scripted on that clock.

#include "tool/DrawingWindow.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <utility>
#include <vector>

struct WindowState
{
    int x = -1;
    int y = -1;
    unsigned int buttons = 0;
    bool escape = false;
    bool l = false;
    bool space = false;
    bool p = false;
    bool g = false;
    bool u = false;
    bool v = false;
    bool r = false;
};

/// What one playback frame showed: the dot and the trail drawn so far, at a time of the window's clock.
struct PlaybackFrame
{
    std::uint32_t time;
    std::pair<int, int> dot;
    std::size_t trailSegments;
};

class FakeDrawingWindow : public DrawingWindow
{
public:
    void script(const WindowState& state) { pending.push_back(state); }
    void press(int x, int y) { script({x, y, kLeftButton}); }
    void release(int x, int y) { script({x, y, 0}); }
    void holdKey(bool WindowState::*key)
    {
        WindowState state;
        state.*key = true;
        script(state);
    }

    void waitForEvent() override
    {
        if (pending.empty())
        {
            closed = true;
            current = WindowState();
            return;
        }
        current = pending.front();
        pending.pop_front();
    }

    int pointerX() const override { return current.x; }
    int pointerY() const override { return current.y; }
    unsigned int buttons() const override { return current.buttons; }
    bool isEscapeHeld() const override { return current.escape; }
    bool isLHeld() const override { return current.l; }
    bool isSpaceHeld() const override { return current.space; }
    bool isPHeld() const override { return current.p; }
    bool isGHeld() const override { return current.g; }
    bool isUHeld() const override { return current.u; }
    bool isVHeld() const override { return current.v; }
    bool isRHeld() const override { return current.r; }
    bool isClosed() const override { return closed; }
    void close() override { closed = true; }
    void lightPixel(int x, int y, DotInk ink) override
    {
        litPixels.insert({x, y});
        dotInks[{x, y}] = ink;
    }
    void clearImage() override
    {
        litPixels.clear();
        dotInks.clear();
        trail.clear();
        shownGuides = guides;
        ++clearCount;
    }
    void setGuides(const Guides& newGuides) override { guides = newGuides; }

    // Held keys are scripted per event, so there is nothing to forget.
    void ignoreHeldInput() override {}

    bool waitForPressOrClose(unsigned int milliseconds) override
    {
        if (!pressTimes.empty() && pressTimes.front() <= now + milliseconds)
        {
            now = std::max(now, pressTimes.front());
            pressTimes.pop_front();
            return true;
        }
        now += milliseconds;
        return closed;
    }

    void drawTrail(int x0, int y0, int x1, int y1) override
    {
        trail.push_back({{x0, y0}, {x1, y1}});
        trailPoints.insert({x0, y0});
        trailPoints.insert({x1, y1});
    }
    void showWithDot(int x, int y) override { frames.push_back({now, {x, y}, trail.size()}); }

    bool hasPending() const { return !pending.empty(); }

    std::set<std::pair<int, int>> litPixels;
    std::map<std::pair<int, int>, DotInk> dotInks;
    /// The guides set, and those drawn by the last clearImage.
    Guides guides;
    Guides shownGuides;
    int clearCount = 0;
    bool closed = false;

    std::uint32_t now = 0;
    /// Times on the playback clock at which a key or button is pressed.
    std::deque<std::uint32_t> pressTimes;
    /// The trail's segments in the image now, and the ends of every segment ever drawn.
    std::vector<std::pair<std::pair<int, int>, std::pair<int, int>>> trail;
    std::set<std::pair<int, int>> trailPoints;
    std::vector<PlaybackFrame> frames;

private:
    std::deque<WindowState> pending;
    WindowState current;
};
