#pragma once

#include <string>

/// A library file read as the game reads it at its start, before any game is played on it.
struct LibraryCheck
{
    enum class Verdict
    {
        Playable, ///< at least one trajectory
        Refused,  ///< the reader failed: missing, unreadable or not a library
        Empty     ///< read, but without a trajectory: the game would end at once
    };

    Verdict verdict = Verdict::Refused;
    int trajectoryCount = 0;
    /// Why the reader failed: its own log lines, joined by "; ", and whether the file exists at all.
    std::string reason;
};

/// Reads the file with the game's library reader under a log manager of its own, which is gone again on return
/// (the engine allows one at a time), and keeps the reader's failure lines.
LibraryCheck checkLibrary(const std::string& fileName);
