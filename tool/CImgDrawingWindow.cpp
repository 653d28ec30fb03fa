#include "tool/CImgDrawingWindow.h"

#include "trajectory/DrawingFrame.h"

#include <CImg.h>
#include <X11/XKBlib.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace
{

constexpr const char* kTitle = "Draw Trajectory";
constexpr unsigned int kShowValuesAsStored = 3;
constexpr int kColourChannels = 3;
using Colour = unsigned char[kColourChannels];
constexpr Colour kWhite = {255, 255, 255};
constexpr Colour kSlowerColour = {70, 210, 90};
constexpr Colour kAboutAsFastColour = {245, 220, 40};
constexpr Colour kFasterColour = {255, 60, 40};
constexpr Colour kCameraViewColour = {80, 130, 200};
constexpr Colour kHeroStartColour = {0, 210, 230}; // the hero's cyan shirt
constexpr Colour kKeptDrawingColour = {85, 85, 85};
constexpr Colour kTrailColour = {235, 190, 100};
constexpr Colour kDotColour = {255, 70, 40};
constexpr int kDotRadius = 4;
constexpr int kColouredDotGrowth = 1;
// The display library's event thread takes one event every 8 ms; looking twice as often sees every press.
constexpr std::chrono::milliseconds kPressPollInterval{4};
constexpr unsigned int kRememberedKeyEvents = 128;

const unsigned char* colourOf(DotInk ink)
{
    switch (ink)
    {
    case DotInk::Slower:
        return kSlowerColour;
    case DotInk::AboutAsFast:
        return kAboutAsFastColour;
    case DotInk::Faster:
        return kFasterColour;
    case DotInk::White:
        break;
    }
    return kWhite;
}

const unsigned char* colourOf(Guides::Ink ink)
{
    switch (ink)
    {
    case Guides::Ink::HeroStart:
        return kHeroStartColour;
    case Guides::Ink::KeptDrawing:
        return kKeptDrawingColour;
    case Guides::Ink::CameraView:
        break;
    }
    return kCameraViewColour;
}

} // namespace

struct CImgDrawingWindow::Display
{
    Display()
        : image(DrawingFrame::kWidth, DrawingFrame::kHeight, 1, kColourChannels, 0),
          window(image, kTitle, kShowValuesAsStored)
    {
        // A held key repeats as release-press pairs; when the display's event thread lags it may take a repeated
        // release for the real one and report the key pressed twice. Repeats without releases avoid that.
        using namespace cimg_library; // the lock macros name cimg:: unqualified
        cimg_lock_display();
        XkbSetDetectableAutoRepeat(cimg_library::cimg::X11_attr().display, True, nullptr);
        cimg_unlock_display();
    }

    /// Whether a key or button went down since the last ignoreHeldInput. The display lists the key presses
    /// and releases since then, latest first. The key held at that time keeps repeating its press until it
    /// is released: only a press after its release is a new one.
    bool pressedSinceIgnore() const
    {
        if (window.button() != 0)
        {
            return true;
        }
        for (unsigned int event = 0; event < kRememberedKeyEvents; ++event)
        {
            const unsigned int key = window.key(event);
            if (key != 0 && key != heldKeyWhenIgnored)
            {
                return true;
            }
        }
        return heldKeyPressedAgain();
    }

    /// A press that follows a release puts an empty entry before that release in the display's list of releases.
    bool heldKeyPressedAgain() const
    {
        bool pressedSince = false;
        for (unsigned int event = 0; event < kRememberedKeyEvents; ++event)
        {
            const unsigned int released = window.released_key(event);
            if (released == heldKeyWhenIgnored)
            {
                return pressedSince;
            }
            pressedSince = pressedSince || released == 0;
        }
        return false;
    }

    cimg_library::CImg<unsigned char> image;
    /// The image with the playback dot over it, as last shown.
    cimg_library::CImg<unsigned char> frame;
    cimg_library::CImgDisplay window;
    /// The last key pressed, if no key was released after it, when held input was last ignored.
    unsigned int heldKeyWhenIgnored = 0;
    Guides guides;
};

std::unique_ptr<CImgDrawingWindow> CImgDrawingWindow::open()
{
    // CImg reports a missing X display by an exception; keep it quiet and turn it into a null result.
    cimg_library::cimg::exception_mode(0);
    try
    {
        return std::unique_ptr<CImgDrawingWindow>(new CImgDrawingWindow(std::make_unique<Display>()));
    }
    catch (const cimg_library::CImgException&)
    {
        return nullptr;
    }
}

CImgDrawingWindow::CImgDrawingWindow(std::unique_ptr<Display> openedDisplay) : display(std::move(openedDisplay)) {}

CImgDrawingWindow::~CImgDrawingWindow() = default;

void CImgDrawingWindow::waitForEvent()
{
    display->window.wait();
}

int CImgDrawingWindow::pointerX() const
{
    return display->window.mouse_x();
}

int CImgDrawingWindow::pointerY() const
{
    return display->window.mouse_y();
}

unsigned int CImgDrawingWindow::buttons() const
{
    return display->window.button();
}

bool CImgDrawingWindow::isEscapeHeld() const
{
    return display->window.is_keyESC();
}

bool CImgDrawingWindow::isLHeld() const
{
    return display->window.is_keyL();
}

bool CImgDrawingWindow::isSpaceHeld() const
{
    return display->window.is_keySPACE();
}

bool CImgDrawingWindow::isPHeld() const
{
    return display->window.is_keyP();
}

bool CImgDrawingWindow::isGHeld() const
{
    return display->window.is_keyG();
}

bool CImgDrawingWindow::isUHeld() const
{
    return display->window.is_keyU();
}

bool CImgDrawingWindow::isVHeld() const
{
    return display->window.is_keyV();
}

bool CImgDrawingWindow::isRHeld() const
{
    return display->window.is_keyR();
}

bool CImgDrawingWindow::isClosed() const
{
    return display->window.is_closed();
}

void CImgDrawingWindow::close()
{
    display->window.close();
}

void CImgDrawingWindow::lightPixel(int x, int y, DotInk ink)
{
    if (x < 0 || y < 0 || x >= DrawingFrame::kWidth || y >= DrawingFrame::kHeight)
    {
        return;
    }
    // A coloured dot is drawn a pixel wider on every side, so that its colour reads over the guides.
    const int grow = ink == DotInk::White ? 0 : kColouredDotGrowth;
    display->image.draw_rectangle(x - grow, y - grow, x + grow, y + grow, colourOf(ink));
    display->window.display(display->image);
}

void CImgDrawingWindow::clearImage()
{
    display->image.fill(0);
    for (const auto& line : display->guides.lines)
    {
        display->image.draw_line(line.x0, line.y0, line.x1, line.y1, colourOf(line.ink));
    }
    for (const auto& circle : display->guides.circles)
    {
        display->image.draw_circle(circle.x, circle.y, circle.radius, colourOf(circle.ink), 1.0f, ~0u);
    }
    display->window.display(display->image);
}

void CImgDrawingWindow::setGuides(const Guides& guides)
{
    display->guides = guides;
}

void CImgDrawingWindow::ignoreHeldInput()
{
    // The latest key entry is 0 once a release followed the last press.
    display->heldKeyWhenIgnored = display->window.key();
    display->window.set_key();
    display->window.set_button();
}

bool CImgDrawingWindow::waitForPressOrClose(unsigned int milliseconds)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;)
    {
        if (display->window.is_closed() || display->pressedSinceIgnore())
        {
            return true;
        }
        const Clock::time_point now = Clock::now();
        if (now >= deadline)
        {
            return false;
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(deadline - now, kPressPollInterval));
    }
}

void CImgDrawingWindow::drawTrail(int x0, int y0, int x1, int y1)
{
    display->image.draw_line(x0, y0, x1, y1, kTrailColour);
}

void CImgDrawingWindow::showWithDot(int x, int y)
{
    display->frame.assign(display->image);
    display->frame.draw_circle(x, y, kDotRadius, kDotColour);
    display->window.display(display->frame);
}
