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

/// The engine brought up by a program of ours without the game's shell: a log manager and a root, the one way
/// everything but the game itself starts the engine. By default it has no render system and no display: software
/// hardware buffers and textures, enough to build meshes, skeletons and materials in memory, write them with the
/// engine's serialisers, load them back and run the game logic on them. A caller that loads a render-system
/// plug-in itself asks for no software buffers, and may name the engine's configuration file to restore the render
/// system's options from. Builds up in the constructor and tears down in the destructor in the only order the
/// engine accepts.
class HeadlessEngine
{
public:
    enum class Buffers
    {
        Software,     ///< no render system: buffers and textures in memory
        RenderSystem, ///< the caller loads a render system and initialises the root
    };

    /// With an empty logFileName no log file is written; echo copies every log line to the standard output. An
    /// empty configFileName gives the root no configuration file.
    explicit HeadlessEngine(const std::string& logFileName = "", bool echo = false, Buffers buffers = Buffers::Software,
                            const std::string& configFileName = "");
    ~HeadlessEngine();

    HeadlessEngine(const HeadlessEngine&) = delete;
    HeadlessEngine& operator=(const HeadlessEngine&) = delete;

    Ogre::Root& getRoot() const { return *root; }

private:
    std::unique_ptr<Ogre::LogManager> logManager;
    std::unique_ptr<Ogre::Root> root;
    std::unique_ptr<Ogre::DefaultHardwareBufferManager> bufferManager;
    std::unique_ptr<Ogre::DefaultTextureManager> textureManager;
};
