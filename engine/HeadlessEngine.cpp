#include "engine/HeadlessEngine.h"

#include <OgreDefaultHardwareBufferManager.h>
#include <OgreLogManager.h>
#include <OgreMaterialManager.h>
#include <OgreRoot.h>
#include <OgreTextureManager.h>

HeadlessEngine::HeadlessEngine(const std::string& logFileName, bool echo, Buffers buffers,
                               const std::string& configFileName)
{
    logManager = std::make_unique<Ogre::LogManager>();
    const bool toFile = !logFileName.empty();
    logManager->createLog(toFile ? logFileName : "headless.log", true, echo, !toFile);
    root = std::make_unique<Ogre::Root>("", configFileName, "");
    if (buffers == Buffers::Software)
    {
        bufferManager = std::make_unique<Ogre::DefaultHardwareBufferManager>();
        textureManager = std::make_unique<Ogre::DefaultTextureManager>();
        // A render system would do this when the root is initialised; without it materials have no techniques.
        Ogre::MaterialManager::getSingleton().initialise();
    }
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
