#include "game/logic/BestTimeFile.h"

#include "game/logic/GameWorld.h"
#include "trajectory/FileContents.h"

#include <OgreLogManager.h>

#include <cassert>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <sys/stat.h>
#include <unistd.h>

namespace Sarna
{

namespace
{
constexpr std::size_t kMaxFileBytes = 256; // far more than one number and some blanks
constexpr int kWrittenDecimals = 3;        // milliseconds: two games one frame apart stay apart
const char* const kBlanks = " \t\r\n";

void logLine(const std::string& line)
{
    if (Ogre::LogManager* logManager = Ogre::LogManager::getSingletonPtr())
    {
        logManager->logMessage(line, Ogre::LML_NORMAL, false);
    }
}
} // namespace

BestTimeFile::BestTimeFile(std::string filePath) : path(std::move(filePath)) {}

void BestTimeFile::load()
{
    bestSeconds.reset();
    const std::string problem = readOwnFile();
    writable = problem.empty();
    if (!writable)
    {
        logLine("best time file " + path + " " + problem + ": left as it is, no best time kept");
    }
}

std::string BestTimeFile::readOwnFile()
{
    struct stat status
    {
    };
    if (::lstat(path.c_str(), &status) != 0)
    {
        // A missing file is the normal first run.
        return errno == ENOENT ? "" : "cannot be looked at";
    }
    if (S_ISLNK(status.st_mode))
    {
        return "is a symbolic link";
    }
    if (!S_ISREG(status.st_mode) || status.st_uid != ::geteuid())
    {
        return "is not a regular file of this user";
    }
    std::string contents;
    if (!readFileContents(path, kMaxFileBytes, contents))
    {
        return "unreadable";
    }
    bestSeconds = parse(contents);
    return bestSeconds ? "" : "holds no time";
}

bool BestTimeFile::record(double seconds)
{
    if (bestSeconds && seconds <= *bestSeconds)
    {
        return false;
    }
    bestSeconds = seconds;
    // A link put in the file's place since load is refused too: the write never goes through one.
    if (writable && !replaceFileContents(path, format(seconds), LinkPolicy::Refuse))
    {
        logLine("best time file " + path + " not written");
    }
    return true;
}

std::optional<double> BestTimeFile::parse(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
    {
        return std::nullopt;
    }
    const std::size_t last = text.find_last_not_of(kBlanks);
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    double seconds = 0.0;
    const auto [stop, error] = std::from_chars(begin, end, seconds);
    if (error != std::errc() || stop != end || !std::isfinite(seconds) || seconds < 0.0 || seconds > kWinningPlayTime)
    {
        return std::nullopt;
    }
    return seconds;
}

std::string BestTimeFile::format(double seconds)
{
    char buffer[32];
    const auto [stop, error] =
        std::to_chars(buffer, buffer + sizeof(buffer), seconds, std::chars_format::fixed, kWrittenDecimals);
    assert(error == std::errc());
    (void)error;
    return std::string(buffer, stop) + "\n";
}

} // namespace Sarna
