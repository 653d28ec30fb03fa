#include "platform/WinApi.h"
#include "tool/CImgDrawingWindow.h"
#include "tool/DrawingSession.h"

#include <OgreLogManager.h>

#include <cstdio>
#include <iostream>
#include <memory>

namespace
{

void attachConsole()
{
    AllocConsole();
    FILE* stream = nullptr;
    freopen_s(&stream, "CONIN$", "r", stdin);
    freopen_s(&stream, "CONOUT$", "w", stdout);
    freopen_s(&stream, "CONOUT$", "w", stderr);
    std::ios_base::sync_with_stdio(true);
}

void drawUntilClosed()
{
    std::unique_ptr<CImgDrawingWindow> window = CImgDrawingWindow::open();
    if (!window)
    {
        std::cout << "impossible d'ouvrir la fenetre Draw Trajectory" << std::endl;
        return;
    }
    DrawingSession session(*window, platform::sampleClockMilliseconds, std::cin, std::cout);
    session.run();
}

} // namespace

int WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    attachConsole();
    // The library logs through the engine's log manager; without a log attached its lines go nowhere.
    auto logManager = std::make_unique<Ogre::LogManager>();
    drawUntilClosed();
    logManager.reset();
    return platform::runSystemCommand("pause");
}
