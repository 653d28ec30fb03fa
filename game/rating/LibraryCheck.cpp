#include "game/rating/LibraryCheck.h"

#include "trajectory/KelTrajectoryLibrary.h"

#include <OgreLog.h>
#include <OgreLogManager.h>

#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace
{
/// The lines the reader logs while it works, but its progress lines: what is left says why it failed.
class FailureLines : public Ogre::LogListener
{
public:
    explicit FailureLines(const std::string& file) : fileName(file) {}

    void messageLogged(const Ogre::String& message, Ogre::LogMessageLevel, bool, const Ogre::String&, bool&) override
    {
        const bool progress = message.rfind(fileName + " : lecture du fichier", 0) == 0 ||
                              message.find(" : Ajout d'une trajectoire") != std::string::npos;
        if (!progress)
            lines.push_back(message);
    }

    std::string joined() const
    {
        std::string text;
        for (const std::string& line : lines)
            text += (text.empty() ? "" : "; ") + line;
        return text;
    }

private:
    std::string fileName;
    std::vector<std::string> lines;
};
} // namespace

LibraryCheck checkLibrary(const std::string& fileName)
{
    LibraryCheck check;
    FailureLines failures(fileName);
    KelTrajectoryLibrary library;
    bool read = false;
    {
        const auto logManager = std::make_unique<Ogre::LogManager>();
        Ogre::Log* log = logManager->createLog("library check", true, false, true);
        log->addListener(&failures);
        read = library.parseFileForTraj(fileName);
        log->removeListener(&failures);
    }
    check.trajectoryCount = library.count();
    if (!read)
    {
        std::error_code error;
        const bool missing = !std::filesystem::exists(fileName, error) && !error;
        check.reason = (missing ? "no such file: " : "") + failures.joined();
    }
    check.verdict = !read
                        ? LibraryCheck::Verdict::Refused
                        : (check.trajectoryCount == 0 ? LibraryCheck::Verdict::Empty : LibraryCheck::Verdict::Playable);
    return check;
}
