#include "ShellLog.h"
#include "game/shell/AppliOgreFromScratch.h"
#include "game/shell/runScene.h"
#include "platform/TerminationSignals.h"
#include "platform/WinApi.h"

#include <OgreException.h>
#include <OgreLogManager.h>

#include <iostream>
#include <memory>
#include <string>

namespace
{
constexpr int kEngineFailed = 1; // exit status after an engine exception

void startAndRun(AppliOgreFromScratch& appli)
{
    appli.setupLog("OgreTutos.log");
    appli.setupRoot();
    appli.loadPlugins("plugins.cfg");
    if (appli.setupWindow("tutos_Ogre"))
    {
        // From here on a termination signal ends the game as Escape does, before any sound starts SDL. Until then
        // (the settings dialog) it ends the program at once, with nothing of the game to save yet.
        platform::catchTerminationSignals();
        appli.setupResources("resources.cfg");
        appli.setupInput();
        runScene(appli);
    }
}
} // namespace

// Brings the engine up step by step, runs the game and tears everything down. An engine exception ends the
// sequence; its description is logged after the teardown and shown on standard error (the log file may be
// where nobody looks, or impossible to create), and the exit status tells the caller the game failed.
int WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    auto appli = std::make_unique<AppliOgreFromScratch>();
    bool failed = false;
    std::string failure;
    try
    {
        startAndRun(*appli);
    }
    catch (Ogre::Exception& exception)
    {
        // The description points into the code that threw, which may be a plug-in that the teardown
        // unloads: read it while the engine is still up.
        failed = true;
        failure = exception.getFullDescription();
    }
    appli.reset();
    if (const int signalNumber = platform::terminationSignal())
    {
        logShellLine("quit on signal " + std::to_string(signalNumber));
    }
    logShellLine(failed ? failure : std::string("Ended!"));
    delete Ogre::LogManager::getSingletonPtr();
    if (failed)
    {
        std::cerr << "dunestride stopped on an engine error: " << failure << std::endl;
        return kEngineFailed;
    }
    return 0;
}
