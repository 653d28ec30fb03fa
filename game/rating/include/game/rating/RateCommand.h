#pragma once

#include "game/rating/LibraryRating.h"

#include <string>
#include <vector>

/// What the dunestride-rate command line asks for.
struct RateCommand
{
    RatingOptions rating;
    std::string libraryName; ///< empty: the game's library
    bool help = false;
};

/// Reads the arguments (without the program's name); gamesFromEnvironment is DUNESTRIDE_RATE_GAMES (nullptr when
/// unset). On a mistake, says what is wrong in `mistake` and returns false.
bool parseRateCommand(const std::vector<std::string>& arguments, const char* gamesFromEnvironment, RateCommand& command,
                      std::string& mistake);
