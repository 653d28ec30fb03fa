#pragma once

#include <OgreLogManager.h>

#include <string>

/// Writes one line to the engine's default log at the normal level, once the log manager exists.
inline void logShellLine(const std::string& message)
{
    if (Ogre::LogManager* logManager = Ogre::LogManager::getSingletonPtr())
    {
        logManager->logMessage(message, Ogre::LML_NORMAL, false);
    }
}
