#pragma once

#include "trajectory/KelTrajectoryLibrary.h"

#include <string>
#include <vector>

/// The library file named on pathsketch's command line, read before the window opens.
struct StartLibrary
{
    enum class State
    {
        Read,      ///< read as L reads it
        Missing,   ///< no file of that name yet: an empty library that is to be saved there
        Unreadable ///< it exists (or may) but cannot be read as a library: the program refuses to start
    };

    State state = State::Missing;
    KelTrajectoryLibrary library;
    /// The reader's line for each limit that refused the file or left one of its trajectories out, as L shows them.
    std::vector<std::string> refusals;
    /// The names of the trajectories left out of a file read.
    std::vector<std::string> leftOut;
};

StartLibrary readStartLibrary(const std::string& fileName);
