#include "game/logic/BestTimeFile.h"

#include "game/logic/GameWorld.h"
#include "trajectory/FileContents.h"

#include <OgreLogManager.h>

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Sarna
{

namespace
{
constexpr std::size_t kMaxFileBytes = 256; // far more than one number and some blanks
constexpr int kWrittenDecimals = 3;        // milliseconds: two games one frame apart stay apart
const char* const kBlanks = " \t\r\n";
// Another game holds the lock only to read and replace a small file; past this, a stuck holder (some other
// program locking the folder) is not waited for.
constexpr int kLockTries = 100;
constexpr useconds_t kLockRetryMicroseconds = 2000;

void logLine(const std::string& line)
{
    if (Ogre::LogManager* logManager = Ogre::LogManager::getSingletonPtr())
    {
        logManager->logMessage(line, Ogre::LML_NORMAL, false);
    }
}

/// An exclusive lock on the folder of a file, held for the object's life: games sharing the folder read, compare
/// and replace their best time one after another. The folder itself is locked, so no lock file is left beside
/// the best time. Where the lock cannot be had, the holder goes on without it.
class FolderLock
{
public:
    explicit FolderLock(const std::string& filePath)
    {
        const std::string folder = std::filesystem::path(filePath).parent_path().string();
        descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        for (int tries = 0; descriptor >= 0 && tries < kLockTries; ++tries)
        {
            locked = ::flock(descriptor, LOCK_EX | LOCK_NB) == 0;
            if (locked || (errno != EWOULDBLOCK && errno != EINTR))
            {
                break;
            }
            ::usleep(kLockRetryMicroseconds);
        }
    }
    ~FolderLock()
    {
        if (descriptor >= 0)
        {
            ::close(descriptor);
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool held() const { return locked; }

private:
    int descriptor = -1;
    bool locked = false;
};
} // namespace

BestTimeFile::BestTimeFile(std::string filePath) : path(std::move(filePath)) {}

void BestTimeFile::load()
{
    bestSeconds.reset();
    const std::string problem = readOwnFile(bestSeconds);
    writable = problem.empty();
    if (!writable)
    {
        logLine("best time file " + path + " " + problem + ": left as it is, no best time kept");
    }
}

std::string BestTimeFile::readOwnFile(std::optional<double>& stored) const
{
    stored.reset();
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
    stored = parse(contents);
    return stored ? "" : "holds no time";
}

bool BestTimeFile::record(double seconds)
{
    if (!writable)
    {
        return beatsBestOfTheRun(seconds);
    }
    const FolderLock lock(path);
    if (!lock.held())
    {
        logLine("best time file " + path + " compared and replaced without the folder's lock");
    }
    // Another game on this folder may have stored a longer time since this one read the file: the time to beat
    // is the longer of this run's best and what the file holds now.
    std::optional<double> stored;
    const std::string problem = readOwnFile(stored);
    if (!problem.empty())
    {
        // Something else was put in the file's place since load (a link is never written through): left alone.
        writable = false;
        logLine("best time file " + path + " " + problem + ": left as it is, no best time kept");
        return beatsBestOfTheRun(seconds);
    }
    if (stored && (!bestSeconds || *stored > *bestSeconds))
    {
        bestSeconds = stored;
    }
    if (!beatsBestOfTheRun(seconds))
    {
        return false;
    }
    if (!replaceFileContents(path, format(seconds), LinkPolicy::Refuse))
    {
        logLine("best time file " + path + " not written");
    }
    return true;
}

bool BestTimeFile::beatsBestOfTheRun(double seconds)
{
    if (bestSeconds && seconds <= *bestSeconds)
    {
        return false;
    }
    bestSeconds = seconds;
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
