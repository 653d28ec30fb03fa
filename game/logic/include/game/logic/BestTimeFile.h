#pragma once

#include <optional>
#include <string>

namespace Sarna
{

/// The longest time a player has lasted in a game, in seconds of play, kept in a small text file between runs.
/// The file holds one number of seconds (written with three decimals and a newline). A missing, unreadable or
/// garbage file means no best time yet; it never stops the game.
class BestTimeFile
{
public:
    /// The file's name in the game's working folder.
    static constexpr const char* kFileName = "best-time.txt";

    explicit BestTimeFile(std::string path = kFileName);

    /// Reads the file; anything but one time of a game (0 to 180 s, blanks around it allowed) leaves no best time.
    void load();

    /// Counts a finished game: a time longer than the best becomes the best and is written to the file at once.
    /// Returns true when it did. A failed write is logged; the new best still holds for this run.
    bool record(double seconds);

    const std::optional<double>& best() const { return bestSeconds; }

    /// The time held in a file's text, or nothing when the text is not one time of a game.
    static std::optional<double> parse(const std::string& text);
    /// The file's text for a time.
    static std::string format(double seconds);

private:
    std::string path;
    std::optional<double> bestSeconds;
};

} // namespace Sarna
