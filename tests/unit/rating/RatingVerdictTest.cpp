#include "game/rating/RatingVerdict.h"

#include "game/rating/BotFamily.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

// Every expected figure here is worked out by hand from the grade table dunestride-rate publishes (README.md, its
// manual page): standing still lasts a median of at most 20 s, holding one key never wins, the 0.25-s bots last a
// median of at least 60 s and win at least 10 %, the instant bots win at least half; doing nothing that lasts a
// median of 60 s or wins 10 % is trivial.
namespace
{
constexpr double kWonSeconds = 180.0; // a won game lasts the whole game

/// `lost` games lasting `seconds` each, then `won` games won.
SurvivalSummary games(int lost, double seconds, int won = 0)
{
    SurvivalSummary summary;
    for (int game = 0; game < lost; ++game)
        summary.add(seconds, false);
    for (int game = 0; game < won; ++game)
        summary.add(kWonSeconds, true);
    return summary;
}

template <typename... Seconds>
SurvivalSummary gamesLasting(Seconds... seconds)
{
    SurvivalSummary summary;
    (summary.add(seconds, false), ...);
    return summary;
}

/// Every target met with room to spare, 10 games per way of playing.
RatingFigures fairFigures()
{
    RatingFigures figures;
    figures.games = 10;
    figures.still = games(10, 8.0);
    figures.keyNames = {"Y", "H", "G", "J"};
    figures.held = {games(10, 5.0), games(10, 12.0), games(10, 6.0), games(10, 7.0)};
    figures.medianVariant = "steady";
    figures.botsAtTarget = games(6, 100.0, 4);
    figures.botsInstant = games(2, 100.0, 8);
    return figures;
}

/// The 0.25-s bots last 60 s but win nothing, so they miss their target and the instant bots alone tell hard from
/// unfair.
std::function<void(RatingFigures&)> botsMissAndInstant(const SurvivalSummary& instant)
{
    return [instant](RatingFigures& figures)
    {
        figures.botsAtTarget = games(3, 60.0);
        figures.botsInstant = instant;
    };
}

struct GradeCase
{
    const char* what;
    std::function<void(RatingFigures&)> change;
    Grade expected;
};

// Quantiles by hand: the median of an even count is the mean of the middle two; won games count as 180 s.
TEST(SurvivalSummary, QuantilesInterpolateBetweenTheNearestGamesAndCountWonGamesAsTheirLength)
{
    const SurvivalSummary none;
    EXPECT_EQ(none.games(), 0);
    EXPECT_EQ(none.quantile(0.5), 0.0);
    EXPECT_EQ(none.inSight(), 1.0);

    const SurvivalSummary one = gamesLasting(7.0);
    for (const double q : {0.0, 0.5, 1.0})
        EXPECT_EQ(one.quantile(q), 7.0) << q;

    const SurvivalSummary odd = gamesLasting(30.0, 10.0, 20.0);
    EXPECT_EQ(odd.quantile(0.0), 10.0);
    EXPECT_EQ(odd.quantile(0.5), 20.0);
    EXPECT_EQ(odd.quantile(1.0), 30.0);

    const SurvivalSummary even = gamesLasting(40.0, 10.0, 30.0, 20.0);
    EXPECT_EQ(even.quantile(0.5), 25.0);
    EXPECT_EQ(even.quantile(0.25), 17.5); // three quarters of the way from 10 to 20

    SurvivalSummary mixed = games(1, 12.0, 2);
    EXPECT_EQ(mixed.games(), 3);
    EXPECT_EQ(mixed.wins(), 2);
    EXPECT_EQ(mixed.quantile(0.5), 180.0);
    EXPECT_EQ(games(1, 12.0, 1).quantile(0.5), 96.0);

    mixed.add(30.0, false, 100, 25);
    mixed.add(40.0, false, 300, 275);
    EXPECT_EQ(mixed.inSight(), 0.75); // 300 of 400 frames
}

TEST(RatingVerdict, EachGradeBeginsExactlyAtItsPublishedTarget)
{
    const std::vector<GradeCase> cases = {
        {"every target met with room", [](RatingFigures&) {}, Grade::Fair},
        // Standing still: a median of at most 20 s; 60 s or 10 % won is trivial.
        {"standing still, median 20 s (19 s and 21 s)", [](RatingFigures& f) { f.still = gamesLasting(19.0, 21.0); },
         Grade::Fair},
        {"standing still, median 20.001 s", [](RatingFigures& f) { f.still = gamesLasting(19.0, 21.002); },
         Grade::Easy},
        {"standing still, median 60 s", [](RatingFigures& f) { f.still = games(3, 60.0); }, Grade::Trivial},
        {"standing still, median 59.999 s", [](RatingFigures& f) { f.still = games(3, 59.999); }, Grade::Easy},
        {"standing still wins 1 of 10", [](RatingFigures& f) { f.still = games(9, 8.0, 1); }, Grade::Trivial},
        {"standing still wins 1 of 11: only a key held must never win",
         [](RatingFigures& f) { f.still = games(10, 8.0, 1); }, Grade::Fair},
        // Holding one key: one game won is easy; 60 s or 10 % won is trivial.
        {"a key held wins 1 of 11", [](RatingFigures& f) { f.held[2] = games(10, 5.0, 1); }, Grade::Easy},
        {"a key held wins 1 of 10", [](RatingFigures& f) { f.held[3] = games(9, 5.0, 1); }, Grade::Trivial},
        {"a key held lasts a median of 60 s", [](RatingFigures& f) { f.held[0] = games(3, 60.0); }, Grade::Trivial},
        {"a key held lasts a median of 59.999 s", [](RatingFigures& f) { f.held[0] = games(3, 59.999); }, Grade::Fair},
        // The 0.25-s bots: a median of 60 s and 10 % won, both.
        {"0.25-s bots: median 60 s, 1 of 10 won", [](RatingFigures& f) { f.botsAtTarget = games(9, 60.0, 1); },
         Grade::Fair},
        {"0.25-s bots: median 59.999 s, 1 of 10 won", [](RatingFigures& f) { f.botsAtTarget = games(9, 59.999, 1); },
         Grade::Hard},
        {"0.25-s bots: median 60 s, 1 of 11 won", [](RatingFigures& f) { f.botsAtTarget = games(10, 60.0, 1); },
         Grade::Hard},
        // The instant bots: half won; once the bots miss, a median of 60 s or 10 % won is hard, less unfair.
        {"instant bots win 5 of 10", [](RatingFigures& f) { f.botsInstant = games(5, 10.0, 5); }, Grade::Fair},
        {"instant bots win 5 of 11", [](RatingFigures& f) { f.botsInstant = games(6, 10.0, 5); }, Grade::Hard},
        {"bots miss, instant median 60 s, no win", botsMissAndInstant(games(3, 60.0)), Grade::Hard},
        {"bots miss, instant median 59.999 s, no win", botsMissAndInstant(games(3, 59.999)), Grade::Unfair},
        {"bots miss, instant wins 1 of 10", botsMissAndInstant(games(9, 10.0, 1)), Grade::Hard},
        {"bots miss, instant wins 1 of 11", botsMissAndInstant(games(10, 10.0, 1)), Grade::Unfair},
    };
    for (const GradeCase& gradeCase : cases)
    {
        RatingFigures figures = fairFigures();
        gradeCase.change(figures);
        EXPECT_STREQ(gradeName(gradeOf(figures)), gradeName(gradeCase.expected)) << gradeCase.what;
    }
    EXPECT_STREQ(gradeName(Grade::Trivial), "trivial");
    EXPECT_STREQ(gradeName(Grade::Unfair), "unfair");
}

/// The last word of the verdict's line that starts with `who`.
std::string mark(const std::string& verdict, const std::string& who)
{
    std::istringstream lines(verdict);
    for (std::string line; std::getline(lines, line);)
    {
        if (line.rfind(who, 0) == 0)
            return line.substr(line.find_last_of(' ') + 1);
    }
    return "no line for " + who;
}

TEST(RatingVerdict, ReadsEveryTargetAsMetAtItsEdgeAndMissedJustPastIt)
{
    RatingFigures atEdge = fairFigures();
    atEdge.still = gamesLasting(19.0, 21.0);
    atEdge.botsAtTarget = games(9, 60.0, 1);
    atEdge.botsInstant = games(5, 10.0, 5);
    EXPECT_EQ(verdictText("lib.xml", 12, atEdge),
              "lib.xml: 12 trajectories, 10 games per way of playing\n"
              "standing still   lasts a median of 20.0 s                           median <= 20 s               met\n"
              "holding one key  wins 0 of 40 games (H lasts longest: median 12.0 s) no win                       met\n"
              "bots, 0.25 s     median 60.0 s, 1 of 10 won (10 %)                  median >= 60 s, >= 10 % won  met\n"
              "bots, instant    median 95.0 s, 5 of 10 won (50 %)                  >= 50 % won                  met\n"
              "(bots: the family's median variant, steady)\n"
              "grade: fair (every target met)\n");

    RatingFigures pastEdge = atEdge;
    pastEdge.still = gamesLasting(19.0, 21.002);
    pastEdge.held[1] = games(10, 12.0, 1);
    pastEdge.botsAtTarget = games(10, 60.0, 1);
    pastEdge.botsInstant = games(6, 10.0, 5);
    const std::string verdict = verdictText("lib.xml", 12, pastEdge);
    for (const char* who : {"standing still", "holding one key", "bots, 0.25 s", "bots, instant"})
        EXPECT_EQ(mark(verdict, who), "MISSED") << who << "\n" << verdict;
    EXPECT_NE(verdict.find("grade: easy (a player who does nothing lasts too long or wins)\n"), std::string::npos)
        << verdict;
}

// The bots are represented by the middle variant by median survival at 0.25 s, equal medians ordered by wins.
TEST(BotFamily, TheMedianVariantIsTheMiddleOneByMedianThenByWins)
{
    EXPECT_EQ(medianVariant({games(1, 30.0), games(1, 10.0), games(1, 50.0), games(1, 20.0), games(1, 40.0)}), 0u);
    // Medians 20 (1 win), 20 (none), 10, 15, 30: in order 2, 3, 1, 0, 4.
    EXPECT_EQ(medianVariant({games(3, 20.0, 1), games(3, 20.0), games(1, 10.0), games(1, 15.0), games(1, 30.0)}), 1u);
}
} // namespace
