#include "game/rating/RatingVerdict.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{
constexpr double kStillMedianAtMost = 20.0;
constexpr double kBotMedianAtLeast = 60.0;
constexpr double kBotWinShareAtLeast = 0.10;
constexpr double kInstantWinShareAtLeast = 0.50;

double winShare(const SurvivalSummary& summary)
{
    return summary.games() > 0 ? static_cast<double>(summary.wins()) / summary.games() : 0.0;
}

/// The 0.25-s bots' target: a median of a minute and one game in ten won.
bool meetsBotTarget(const SurvivalSummary& summary)
{
    return summary.quantile(0.5) >= kBotMedianAtLeast && winShare(summary) >= kBotWinShareAtLeast;
}

bool meetsBotTargetInPart(const SurvivalSummary& summary)
{
    return summary.quantile(0.5) >= kBotMedianAtLeast || winShare(summary) >= kBotWinShareAtLeast;
}

int heldWins(const RatingFigures& figures)
{
    int wins = 0;
    for (const SurvivalSummary& held : figures.held)
        wins += held.wins();
    return wins;
}

/// The key held longest, by median survival.
std::size_t bestHeldKey(const RatingFigures& figures)
{
    std::size_t best = 0;
    for (std::size_t key = 1; key < figures.held.size(); ++key)
    {
        if (figures.held[key].quantile(0.5) > figures.held[best].quantile(0.5))
            best = key;
    }
    return best;
}

std::string format(const char* pattern, double a, double b = 0.0, double c = 0.0, double d = 0.0)
{
    char text[160];
    std::snprintf(text, sizeof text, pattern, a, b, c, d);
    return text;
}

std::string row(const std::string& who, const std::string& figures, const std::string& target, bool met)
{
    char text[200];
    std::snprintf(text, sizeof text, "%-16s %-50s %-28s %s\n", who.c_str(), figures.c_str(), target.c_str(),
                  met ? "met" : "MISSED");
    return text;
}

std::string botFigures(const SurvivalSummary& summary)
{
    return format("median %.1f s, %.0f of %.0f won (%.0f %%)", summary.quantile(0.5), summary.wins(), summary.games(),
                  100.0 * winShare(summary));
}

std::string why(Grade grade)
{
    switch (grade)
    {
    case Grade::Trivial:
        return "a player who does nothing does as well as the bots should";
    case Grade::Easy:
        return "a player who does nothing lasts too long or wins";
    case Grade::Fair:
        return "every target met";
    case Grade::Hard:
        return "the bots miss a target, but quick ones still survive";
    case Grade::Unfair:
        return "even bots that react instantly hardly survive";
    }
    return {};
}
} // namespace

Grade gradeOf(const RatingFigures& figures)
{
    bool effortlessMeetsBotTarget = meetsBotTargetInPart(figures.still);
    for (const SurvivalSummary& held : figures.held)
        effortlessMeetsBotTarget = effortlessMeetsBotTarget || meetsBotTargetInPart(held);
    if (effortlessMeetsBotTarget)
        return Grade::Trivial;
    if (figures.still.quantile(0.5) > kStillMedianAtMost || heldWins(figures) > 0)
        return Grade::Easy;
    if (meetsBotTarget(figures.botsAtTarget) && winShare(figures.botsInstant) >= kInstantWinShareAtLeast)
        return Grade::Fair;
    return meetsBotTargetInPart(figures.botsInstant) ? Grade::Hard : Grade::Unfair;
}

const char* gradeName(Grade grade)
{
    static const char* const kNames[] = {"trivial", "easy", "fair", "hard", "unfair"};
    return kNames[static_cast<int>(grade)];
}

std::string verdictText(const std::string& libraryName, int trajectoryCount, const RatingFigures& figures)
{
    std::string text = libraryName + ": " + std::to_string(trajectoryCount) + " trajectories, " +
                       std::to_string(figures.games) + " games per way of playing\n";
    const double stillMedian = figures.still.quantile(0.5);
    text += row("standing still", format("lasts a median of %.1f s", stillMedian), "median <= 20 s",
                stillMedian <= kStillMedianAtMost);
    const std::size_t best = bestHeldKey(figures);
    const int wins = heldWins(figures);
    const std::string held =
        format("wins %.0f of %.0f games", wins, static_cast<double>(figures.games) * figures.held.size()) + " (" +
        figures.keyNames[best] + format(" lasts longest: median %.1f s)", figures.held[best].quantile(0.5));
    text += row("holding one key", held, "no win", wins == 0);
    text += row("bots, 0.25 s", botFigures(figures.botsAtTarget), "median >= 60 s, >= 10 % won",
                meetsBotTarget(figures.botsAtTarget));
    text += row("bots, instant", botFigures(figures.botsInstant), ">= 50 % won",
                winShare(figures.botsInstant) >= kInstantWinShareAtLeast);
    text += "(bots: the family's median variant, " + figures.medianVariant + ")\n";
    const Grade grade = gradeOf(figures);
    text += std::string("grade: ") + gradeName(grade) + " (" + why(grade) + ")\n";
    return text;
}
