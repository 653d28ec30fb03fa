#pragma once

#include <vector>

/// What a dot of a stroke shows: plain white, or the runner's speed there against the hero's.
enum class DotInk
{
    White,
    Slower,
    AboutAsFast,
    Faster
};

/// Lines and circles that the window draws under everything else while they are set: what the game's camera
/// shows, the hero's start place and the drawings kept so far. In image pixels, like the pointer.
struct Guides
{
    enum class Ink
    {
        CameraView, ///< the outline of what the camera shows, and the mark of the game picture's top edge
        HeroStart,
        KeptDrawing
    };
    struct Line
    {
        int x0;
        int y0;
        int x1;
        int y1;
        Ink ink;
    };
    struct Circle
    {
        int x;
        int y;
        int radius;
        Ink ink;
    };

    /// Drawn in this order, the circles last.
    std::vector<Line> lines;
    std::vector<Circle> circles;
};

/// The drawing tool's window as the drawing session sees it: an image of the drawing frame (DrawingFrame) shown
/// unscaled, with the pointer, button and key state of the window. Pointer coordinates are image pixels (x to the
/// right, y downward, origin top-left), both -1 while the pointer is outside the window.
class DrawingWindow
{
public:
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
    virtual bool isPHeld() const = 0;
    virtual bool isGHeld() const = 0;
    virtual bool isUHeld() const = 0;
    virtual bool isVHeld() const = 0;
    virtual bool isRHeld() const = 0;
    virtual bool isClosed() const = 0;

    /// Hides the window; it then reports itself closed.
    virtual void close() = 0;

    /// Lights the pixel (x, y) in the dot's colour and shows the image again; pixels outside the image are ignored.
    /// A coloured dot may light the pixels around it too.
    virtual void lightPixel(int x, int y, DotInk ink) = 0;

    /// Makes the whole image black, draws the guides over it if any are set, and shows it again.
    virtual void clearImage() = 0;

    /// The guides drawn by every later clearImage; empty ones leave the image black.
    virtual void setGuides(const Guides& guides) = 0;

    // Playback of a path, which draws without taking samples and must notice presses while it runs.

    /// Forgets the keys and buttons held now: they read as released, and do not count as pressed, until they are
    /// pressed again.
    virtual void ignoreHeldInput() = 0;

    /// Waits the given time, or less once a key or mouse button has been pressed since the last ignoreHeldInput
    /// or the window is closed; returns whether either happened.
    virtual bool waitForPressOrClose(unsigned int milliseconds) = 0;

    /// Draws a line of the playback trail from (x0, y0) to (x1, y1) into the image, clipped to it, without
    /// showing it yet.
    virtual void drawTrail(int x0, int y0, int x1, int y1) = 0;

    /// Shows the image with the playback dot centred on (x, y) over it; the dot is not kept in the image.
    virtual void showWithDot(int x, int y) = 0;
};
