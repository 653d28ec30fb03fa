#pragma once

#include "tool/DrawingWindow.h"

#include <memory>

/// The drawing window on the display library (CImg): a black RGB image of the drawing frame shown unscaled in a window
/// titled "Draw Trajectory". CImg handles the window's X events on its own thread and wakes waitForEvent.
class CImgDrawingWindow : public DrawingWindow
{
public:
    /// Opens the window; null when no window can be opened (no X display).
    static std::unique_ptr<CImgDrawingWindow> open();

    ~CImgDrawingWindow() override;

    void waitForEvent() override;
    int pointerX() const override;
    int pointerY() const override;
    unsigned int buttons() const override;
    bool isEscapeHeld() const override;
    bool isLHeld() const override;
    bool isSpaceHeld() const override;
    bool isPHeld() const override;
    bool isGHeld() const override;
    bool isUHeld() const override;
    bool isVHeld() const override;
    bool isRHeld() const override;
    bool isClosed() const override;
    void close() override;
    void lightPixel(int x, int y, DotInk ink) override;
    void clearImage() override;
    void setGuides(const Guides& guides) override;
    void ignoreHeldInput() override;
    bool waitForPressOrClose(unsigned int milliseconds) override;
    void drawTrail(int x0, int y0, int x1, int y1) override;
    void showWithDot(int x, int y) override;

private:
    struct Display;

    explicit CImgDrawingWindow(std::unique_ptr<Display> openedDisplay);

    std::unique_ptr<Display> display;
};
