#include "tool/CImgDrawingWindow.h"

#include <CImg.h>

namespace
{

constexpr const char* kTitle = "Draw Trajectory";
constexpr unsigned int kShowValuesAsStored = 3;
constexpr unsigned char kWhite = 255;
constexpr int kColourChannels = 3;

} // namespace

struct CImgDrawingWindow::Display
{
    Display() : image(kWidth, kHeight, 1, kColourChannels, 0), window(image, kTitle, kShowValuesAsStored) {}

    cimg_library::CImg<unsigned char> image;
    cimg_library::CImgDisplay window;
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

bool CImgDrawingWindow::isClosed() const
{
    return display->window.is_closed();
}

void CImgDrawingWindow::close()
{
    display->window.close();
}

void CImgDrawingWindow::lightPixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight)
    {
        return;
    }
    for (int channel = 0; channel < kColourChannels; ++channel)
    {
        display->image(x, y, 0, channel) = kWhite;
    }
    display->window.display(display->image);
}

void CImgDrawingWindow::clearToBlack()
{
    display->image.fill(0);
    display->window.display(display->image);
}
