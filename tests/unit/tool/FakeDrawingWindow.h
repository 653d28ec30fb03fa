#pragma once

// A drawing window driven by a script of window states: each waitForEvent moves to the next state. When the
// script runs out the window reports itself closed, so a session never waits forever.

#include "tool/DrawingWindow.h"

#include <deque>
#include <set>
#include <utility>

struct WindowState
{
    int x = -1;
    int y = -1;
    unsigned int buttons = 0;
    bool escape = false;
    bool l = false;
    bool space = false;
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
    bool isClosed() const override { return closed; }
    void close() override { closed = true; }
    void lightPixel(int x, int y) override { litPixels.insert({x, y}); }
    void clearToBlack() override
    {
        litPixels.clear();
        ++clearCount;
    }

    bool hasPending() const { return !pending.empty(); }

    std::set<std::pair<int, int>> litPixels;
    int clearCount = 0;
    bool closed = false;

private:
    std::deque<WindowState> pending;
    WindowState current;
};
