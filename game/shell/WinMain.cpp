#include "game/shell/AppliOgreFromScratch.h"
#include "game/shell/runScene.h"
#include "platform/WinApi.h"

#include <OgreException.h>
#include <OgreLogManager.h>

#include <memory>

// Brings the engine up step by step, runs the game and tears everything down; any engine exception ends
// the sequence here and is logged.
int WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try
    {
        auto appli = std::make_unique<AppliOgreFromScratch>();
        appli->setupLog("OgreTutos.log");
        appli->setupRoot();
        appli->loadPlugins("plugins.cfg");
        if (appli->setupWindow("tutos_Ogre"))
        {
            appli->setupResources("resources.cfg");
            appli->setupInput();
            runScene(*appli);
        }
        appli.reset();
        Ogre::LogManager::getSingleton().logMessage("Ended!", Ogre::LML_NORMAL, false);
    }
    catch (Ogre::Exception& exception)
    {
        if (Ogre::LogManager* logManager = Ogre::LogManager::getSingletonPtr())
        {
            logManager->logMessage(exception.getFullDescription(), Ogre::LML_NORMAL, false);
        }
    }
    delete Ogre::LogManager::getSingletonPtr();
    return 0;
}
