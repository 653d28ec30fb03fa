#pragma once

/// The drawing tool's window as the drawing session sees it: a 500 x 700 pixel image shown unscaled, with the
/// pointer, button and key state of the window. Pointer coordinates are image pixels (x to the right, y downward,
/// origin top-left), both -1 while the pointer is outside the window.
class DrawingWindow
{
public:
    static constexpr int kWidth = 500;
    static constexpr int kHeight = 700;

    /// Button state bit of the left button; the other buttons set other bits.
    static constexpr unsigned int kLeftButton = 1u;

    virtual ~DrawingWindow() = default;

    /// Blocks until the next window event that arrives after the call.
    virtual void waitForEvent() = 0;

    virtual int pointerX() const = 0;
    virtual int pointerY() const = 0;
    virtual unsigned int buttons() const = 0;
    virtual bool isEscapeHeld() const = 0;
    virtual bool isLHeld() const = 0;
    virtual bool isSpaceHeld() const = 0;
    virtual bool isClosed() const = 0;

    /// Hides the window; it then reports itself closed.
    virtual void close() = 0;

    /// Lights the pixel (x, y) white and shows the image again; pixels outside the image are ignored.
    virtual void lightPixel(int x, int y) = 0;

    /// Makes the whole image black and shows it again.
    virtual void clearToBlack() = 0;
};
