#pragma once

// Collects the lines written to the engine's log manager during a test.

#include <OgreLog.h>
#include <OgreLogManager.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

class LogCapture : public Ogre::LogListener
{
public:
    /// Makes a log manager with an in-memory default log (no file) and listens to it.
    LogCapture() : logManager(std::make_unique<Ogre::LogManager>())
    {
        Ogre::Log* log = logManager->createLog("capture", true, false, true);
        log->addListener(this);
    }

    ~LogCapture() override { logManager->getDefaultLog()->removeListener(this); }

    void messageLogged(const Ogre::String& message, Ogre::LogMessageLevel, bool, const Ogre::String&, bool&) override
    {
        lines.push_back(message);
    }

    std::size_t countOf(const std::string& line) const { return std::count(lines.begin(), lines.end(), line); }
    bool contains(const std::string& line) const { return countOf(line) > 0; }
    void clear() { lines.clear(); }

    std::vector<std::string> lines;

private:
    std::unique_ptr<Ogre::LogManager> logManager;
};
