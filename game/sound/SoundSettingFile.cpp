#include "game/sound/SoundSettingFile.h"

#include "trajectory/FileContents.h"

namespace Sarna
{

namespace
{
constexpr std::size_t kMaxFileBytes = 64; // "off" and some blanks
const char* const kBlanks = " \t\r\n";
const char* const kOff = "off";
const char* const kOn = "on";
} // namespace

SoundSettingFile::SoundSettingFile(std::string filePath) : path(std::move(filePath)) {}

bool SoundSettingFile::loadMuted() const
{
    std::string contents;
    if (!readFileContents(path, kMaxFileBytes, contents))
        return false;
    const std::size_t first = contents.find_first_not_of(kBlanks);
    const std::size_t last = contents.find_last_not_of(kBlanks);
    return first != std::string::npos && contents.compare(first, last + 1 - first, kOff) == 0;
}

bool SoundSettingFile::saveMuted(bool muted) const
{
    // Never written through a link, even one put there after the file was read.
    return replaceFileContents(path, std::string(muted ? kOff : kOn) + "\n", LinkPolicy::Refuse);
}

} // namespace Sarna
