#pragma once

#include <string>

namespace Sarna
{

/// Whether the player muted the game's sound, kept between runs in a small text file beside the best time: "on"
/// or "off" and a newline. A missing, unreadable or unknown file means sound on.
class SoundSettingFile
{
public:
    /// The file's name in the game's working folder.
    static constexpr const char* kFileName = "sound.txt";

    explicit SoundSettingFile(std::string path = kFileName);

    /// True only when the file says "off" (blanks around it allowed).
    bool loadMuted() const;
    /// Replaces the file with the choice, so that it holds the old or the new choice in full at every moment.
    /// A symbolic link at the path is left alone and nothing is written through it. False when nothing was written.
    bool saveMuted(bool muted) const;

    const std::string& getPath() const { return path; }

private:
    std::string path;
};

} // namespace Sarna
