#include "ShellLog.h"
#include "game/shell/AppliOgreFromScratch.h"
#include "game/shell/runScene.h"
#include "platform/WinApi.h"

#include <OgreException.h>
#include <OgreLogManager.h>

#include <memory>
#include <string>

namespace
{
void startAndRun(AppliOgreFromScratch& appli)
{
    appli.setupLog("OgreTutos.log");
    appli.setupRoot();
    appli.loadPlugins("plugins.cfg");
    if (appli.setupWindow("tutos_Ogre"))
    {
        appli.setupResources("resources.cfg");
        appli.setupInput();
        runScene(appli);
    }
}
} // namespace

// Brings the engine up step by step, runs the game and tears everything down. An engine exception ends the
// sequence; its description is logged after the teardown.
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
    logShellLine(failed ? failure : std::string("Ended!"));
    delete Ogre::LogManager::getSingletonPtr();
    return 0;
}
