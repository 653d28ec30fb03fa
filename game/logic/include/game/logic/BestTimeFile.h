#pragma once

#include <optional>
#include <string>

namespace Sarna
{

/// The longest time a player has lasted in a game, in seconds of play, kept in a small text file between runs.
/// The file holds one number of seconds (written with three decimals and a newline). Only that file is ever
/// replaced: a missing one means no best time yet, and anything else at its place (a symbolic link, a file of
/// another user, a file that does not hold a time) is left as it is, with no best time kept beyond the run. It
/// never stops the game.
class BestTimeFile
{
public:
    /// The file's name in the game's working folder.
    static constexpr const char* kFileName = "best-time.txt";

    explicit BestTimeFile(std::string path = kFileName);

    /// Reads the file; anything but one time of a game (0 to 180 s, blanks around it allowed) leaves no best time,
    /// and anything but a missing file or a regular file of this user holding such a time is logged once and will
    /// not be written.
    void load();

    /// Counts a finished game: a time longer than the best becomes the best and is written to the file at once,
    /// when load found it the game's to write. The best to beat is the longer of this run's and what the file holds
    /// at that moment: other games on the same folder may have written it since, and the folder is locked while it
    /// is read, compared and replaced, so that a shorter game never replaces a longer one. Returns true when it
    /// became the best. A failed write is logged; the new best still holds for this run.
    bool record(double seconds);

    const std::optional<double>& best() const { return bestSeconds; }

    /// The time held in a file's text, or nothing when the text is not one time of a game.
    static std::optional<double> parse(const std::string& text);
    /// The file's text for a time.
    static std::string format(double seconds);

private:
    /// Reads the stored time when the file is the game's own; otherwise says why it is left alone.
    std::string readOwnFile(std::optional<double>& stored) const;
    /// Makes seconds this run's best when longer; true when it did.
    bool beatsBestOfTheRun(double seconds);

    std::string path;
    std::optional<double> bestSeconds;
    bool writable = false;
};

} // namespace Sarna
