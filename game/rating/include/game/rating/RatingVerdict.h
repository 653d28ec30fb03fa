#pragma once

#include "game/rating/LibraryRating.h"

#include <string>

/// How hard a library is, from the figures of a rating, against the targets a fair library meets: standing still
/// lasts a median of at most 20 s, holding one key never wins, the bots reacting in 0.25 s last a median of at
/// least 60 s and win at least 10 % of their games, the instant bots win at least half of theirs.
enum class Grade
{
    Trivial, ///< doing nothing does as well as a bot should: standing still or a key held lasts a median of 60 s
             ///< or wins 10 % of its games
    Easy,    ///< not trivial, but standing still lasts over 20 s, or holding one key wins a game
    Fair,    ///< every target met
    Hard,    ///< doing nothing loses and the bots miss a target, but the instant bots last a median of 60 s or win
             ///< 10 %
    Unfair   ///< doing nothing loses, and even the instant bots last a median under 60 s and win under 10 %
};

Grade gradeOf(const RatingFigures& figures);
const char* gradeName(Grade grade);

/// The verdict a person reads at a glance: one line per way of playing with its target, then the grade and why.
std::string verdictText(const std::string& libraryName, int trajectoryCount, const RatingFigures& figures);
