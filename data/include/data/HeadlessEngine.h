#pragma once

#include <memory>
#include <string>

namespace Ogre
{
class DefaultHardwareBufferManager;
class DefaultTextureManager;
class LogManager;
class Root;
} // namespace Ogre

/// The engine without a render system or a display: enough to build meshes, skeletons and materials in memory,
/// write them with the engine's serialisers and load them back. Builds up in the constructor, tears down in the
/// destructor in the only order the engine accepts.
class HeadlessEngine
{
public:
    /// With an empty logFileName no log file is written; echo copies every log line to the standard output.
    explicit HeadlessEngine(const std::string& logFileName = "", bool echo = false);
    ~HeadlessEngine();

    HeadlessEngine(const HeadlessEngine&) = delete;
    HeadlessEngine& operator=(const HeadlessEngine&) = delete;

private:
    std::unique_ptr<Ogre::LogManager> logManager;
    std::unique_ptr<Ogre::Root> root;
    std::unique_ptr<Ogre::DefaultHardwareBufferManager> bufferManager;
    std::unique_ptr<Ogre::DefaultTextureManager> textureManager;
};
