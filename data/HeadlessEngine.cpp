#include "data/HeadlessEngine.h"

#include <OgreDefaultHardwareBufferManager.h>
#include <OgreLogManager.h>
#include <OgreMaterialManager.h>
#include <OgreRoot.h>
#include <OgreTextureManager.h>

HeadlessEngine::HeadlessEngine(const std::string& logFileName, bool echo)
{
    logManager = std::make_unique<Ogre::LogManager>();
    const bool toFile = !logFileName.empty();
    logManager->createLog(toFile ? logFileName : "headless.log", true, echo, !toFile);
    root = std::make_unique<Ogre::Root>("", "", "");
    bufferManager = std::make_unique<Ogre::DefaultHardwareBufferManager>();
    textureManager = std::make_unique<Ogre::DefaultTextureManager>();
    // Without this the material manager hands out materials without techniques.
    Ogre::MaterialManager::getSingleton().initialise();
}

HeadlessEngine::~HeadlessEngine()
{
    // The texture manager must go while the resource group manager still exists, the buffer manager only after
    // the root has released every mesh.
    textureManager.reset();
    root.reset();
    bufferManager.reset();
    logManager.reset();
}
