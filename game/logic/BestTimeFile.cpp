#include "game/logic/BestTimeFile.h"

#include "game/logic/GameWorld.h"
#include "trajectory/FileContents.h"

#include <OgreLogManager.h>

#include <cassert>
#include <charconv>
#include <cmath>
#include <filesystem>

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
    std::string contents;
    if (!readFileContents(path, kMaxFileBytes, contents))
    {
        // A missing file is the normal first run; anything else deserves a line.
        std::error_code ignored;
        if (std::filesystem::exists(path, ignored))
        {
            logLine("best time file " + path + " unreadable, no best time yet");
        }
        return;
    }
    bestSeconds = parse(contents);
    if (!bestSeconds)
    {
        logLine("best time file " + path + " holds no time, no best time yet");
    }
}

bool BestTimeFile::record(double seconds)
{
    if (bestSeconds && seconds <= *bestSeconds)
    {
        return false;
    }
    bestSeconds = seconds;
    if (!replaceFileContents(path, format(seconds)))
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
