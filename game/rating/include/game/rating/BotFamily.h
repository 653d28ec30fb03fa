#pragma once

#include "game/rating/EvasiveBot.h"
#include "game/rating/SurvivalSummary.h"

#include <vector>

/// Five screen-limited players who differ in how far ahead they look (0.5 to 1.5 s), how close a runner comes
/// before it worries them (5 to 9 units), how fast they react (0.15 to 0.35 s) and how late and uneven their key
/// presses are (up to 0.05 to 0.15 s), so that a library is not judged by one player alone.
std::vector<BotTraits> botFamily();

/// The family's median variant: the one whose median survival with a reaction of 0.25 s is the median of the
/// family's (the middle one when they are ordered by that median, equal medians by their wins). The summaries are
/// those of the family's variants at 0.25 s, in family order; returns the median's place among them.
std::size_t medianVariant(const std::vector<SurvivalSummary>& atQuarterSecond);
