// Plays seeded games of dunestride on the headless engine with a few ways of playing and prints how long the hero
// lasts and how often he wins. Run by hand to judge a trajectory library; see bench/README.md.

#include "game/logic/JeuTotal.h"
#include "game/rating/BotFamily.h"
#include "game/rating/EvasiveBot.h"
#include "game/rating/HeadlessPlay.h"
#include "game/rating/HoldOneKey.h"
#include "game/rating/LibraryRating.h"
#include "game/rating/StandStill.h"
#include "game/rating/SurvivalSummary.h"

#include <OgreException.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace
{

struct Options
{
    int games = 40;
    unsigned seed = 1;
    std::string library = std::string(DUNESTRIDE_RUN_DIR "/") + Sarna::JeuTotal::kLibraryFile;
    std::string media = DUNESTRIDE_MEDIA_DIR;
    std::string policies = "still,hold,bot,instant,family";
    double reactionSeconds = 0.25;
    bool everyStart = false;
    bool verbose = false;
};

const char* const kUsage =
    "usage: difficulty [--games N] [--seed S] [--library FILE] [--media DIR] [--policies LIST]\n"
    "                  [--reaction SECONDS] [--every-start] [--verbose] [--help]\n"
    "  --games N          games per policy (default 40)\n"
    "  --seed S           seed of the spawn counter's start value in each game (default 1)\n"
    "  --library FILE     trajectory library to play (default: the game's library1.xml in the build's run folder)\n"
    "  --media DIR        the game data (default: the build's run folder's media)\n"
    "  --policies LIST    comma-separated, of still, hold (each of the four keys in turn), bot, instant,\n"
    "                     family (five bot variants, each at its own reaction time, at 0.25 s and instant,\n"
    "                     then the family's median variant) (default: all)\n"
    "  --reaction SECONDS the reaction time of the bot policy (default 0.25)\n"
    "  --every-start      start values 0, 1, 2 ... in turn instead of seeded random ones: with frames of a fixed\n"
    "                     length a game is decided by its policy and its start value, so N games with N the\n"
    "                     number of trajectories play every different game once\n"
    "  --verbose          one line per game: start counter, survival, result, the trajectory that caught the hero\n";

enum class Request
{
    Play,
    Help,
    Mistake
};

/// The whole text must be the number.
template <typename Number>
bool readNumber(const std::string& text, Number& number)
{
    std::istringstream in(text);
    return static_cast<bool>(in >> number) && (in >> std::ws).eof();
}

Request parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string option = argv[i];
        if (option == "--help")
            return Request::Help;
        if (option == "--verbose" || option == "--every-start")
        {
            (option == "--verbose" ? options.verbose : options.everyStart) = true;
            continue;
        }
        if (i + 1 >= argc)
            return Request::Mistake;
        const std::string value = argv[++i];
        bool understood = true;
        if (option == "--games")
            understood = readNumber(value, options.games) && options.games > 0;
        else if (option == "--seed")
            understood = readNumber(value, options.seed);
        else if (option == "--reaction")
            understood = readNumber(value, options.reactionSeconds) && options.reactionSeconds >= 0.0;
        else if (option == "--library")
            options.library = value;
        else if (option == "--media")
            options.media = value;
        else if (option == "--policies")
            options.policies = value;
        else
            understood = false;
        if (!understood)
            return Request::Mistake;
    }
    return Request::Play;
}

/// The policies named in the options, but the family, which is played apart; nothing for an unknown name.
std::optional<std::vector<std::unique_ptr<Policy>>> makePolicies(const Options& options, const HeadlessPlay& play)
{
    std::vector<std::unique_ptr<Policy>> policies;
    std::istringstream list(options.policies);
    std::string name;
    while (std::getline(list, name, ','))
    {
        if (name == "still")
            policies.push_back(std::make_unique<StandStill>());
        else if (name == "hold")
        {
            for (const SteeringKey& key : kSteeringKeys)
                policies.push_back(std::make_unique<HoldOneKey>(key.letter, key.direction));
        }
        else if (name == "bot" || name == "instant")
        {
            BotTraits plain;
            plain.reactionSeconds = name == "bot" ? static_cast<float>(options.reactionSeconds) : 0.0f;
            policies.push_back(std::make_unique<EvasiveBot>(play.view(), play.heroArea(), plain, kRatingFrameSeconds));
        }
        else if (name == "family")
            continue; // played apart, see playFamily
        else
        {
            std::cerr << "difficulty: unknown policy \"" << name << "\"\n" << kUsage;
            return std::nullopt;
        }
    }
    return policies;
}

void printCatchers(const std::map<std::string, int>& catchers)
{
    std::cout << "    caught by:";
    for (const auto& [trajectory, count] : catchers)
        std::cout << ' ' << trajectory << " x" << count;
    std::cout << '\n';
}

// The warning leads of the catches are added to warningLeads when one is given: they are durations like the
// survival times, and the summary's quantiles serve for both.
SurvivalSummary playPolicy(HeadlessPlay& play, Policy& policy, const Options& options,
                           SurvivalSummary* warningLeads = nullptr)
{
    SurvivalSummary summary;
    std::map<std::string, int> catchers;
    const std::vector<int> starts = seededStarts(options.seed, options.games, play.trajectoryCount());
    for (int game = 0; game < options.games; ++game)
    {
        const int start = options.everyStart ? game % play.trajectoryCount() : starts[static_cast<std::size_t>(game)];
        policy.startGame(game);
        const GameOutcome outcome = play.play(policy, start, kRatingFrameSeconds);
        summary.add(outcome.survivalSeconds, outcome.won, outcome.playingFrames, outcome.framesInSight);
        if (outcome.caughtAt >= 0.0)
        {
            ++catchers[outcome.caughtBy];
            if (warningLeads != nullptr)
                warningLeads->add(outcome.warningLead, false);
        }
        if (options.verbose)
        {
            std::printf("    game %2d  start %2d  %6.1f s  %s", game + 1, start, outcome.survivalSeconds,
                        outcome.won ? "won " : "lost");
            if (outcome.caughtAt >= 0.0)
                std::printf("  caught at %.1f s at (%.1f, %.1f) by %s (%.0f units/s, on screen %.2f s)",
                            outcome.caughtAt, outcome.caughtWhere.x, outcome.caughtWhere.z, outcome.caughtBy.c_str(),
                            outcome.catcherSpeed, outcome.catcherOnScreen);
            std::printf("\n");
        }
    }
    if (options.verbose)
        printCatchers(catchers);
    return summary;
}
void printRow(const std::string& name, const SurvivalSummary& summary)
{
    std::printf("%-20s %7.1f %7.1f %7.1f %7.1f %7.1f %4d/%-3d %6.1f %%\n", name.c_str(), summary.quantile(0.0),
                summary.quantile(0.25), summary.quantile(0.5), summary.quantile(0.75), summary.quantile(1.0),
                summary.wins(), summary.games(), 100.0 * summary.inSight());
    std::fflush(stdout);
}

SurvivalSummary playBot(HeadlessPlay& play, const BotTraits& traits, const Options& options)
{
    EvasiveBot bot(play.view(), play.heroArea(), traits, kRatingFrameSeconds);
    if (options.verbose)
        std::printf("%s\n", bot.name().c_str());
    const SurvivalSummary summary = playPolicy(play, bot, options);
    printRow(bot.name(), summary);
    return summary;
}

/// Every variant at its own reaction time (when it is not 0.25 s), at 0.25 s and instant; then the median variant.
void playFamily(HeadlessPlay& play, const Options& options)
{
    const std::vector<BotTraits> family = botFamily();
    std::vector<SurvivalSummary> atTarget;
    std::vector<SurvivalSummary> instant;
    for (const BotTraits& variant : family)
    {
        BotTraits traits = variant;
        if (traits.reactionSeconds != kTargetReactionSeconds)
            playBot(play, traits, options);
        traits.reactionSeconds = kTargetReactionSeconds;
        atTarget.push_back(playBot(play, traits, options));
        traits.reactionSeconds = 0.0f;
        instant.push_back(playBot(play, traits, options));
    }
    const std::size_t median = medianVariant(atTarget);
    std::printf("\nthe family's median variant: %s\n", family[median].name.c_str());
    printRow("median, 0.25 s", atTarget[median]);
    printRow("median, instant", instant[median]);
}

int play(const Options& options)
{
    HeadlessPlay play(options.media, options.library);
    if (play.trajectoryCount() == 0)
    {
        std::cerr << "difficulty: no trajectory read from " << options.library << '\n';
        return 2;
    }
    const VisibleGround& view = play.view();
    const auto policies = makePolicies(options, play);
    const bool family = ("," + options.policies + ",").find(",family,") != std::string::npos;
    if (!policies || (policies->empty() && !family))
        return 2;

    std::printf("%s: %d trajectories; %d games per policy, %s, frames of 1/60 s\n", options.library.c_str(),
                play.trajectoryCount(), options.games,
                options.everyStart ? "every start value in turn" : ("seed " + std::to_string(options.seed)).c_str());
    std::printf("visible ground: x %.2f .. %.2f, z %.2f .. %.2f\n\n", view.minX, view.maxX, view.minZ, view.maxZ);
    std::printf("%-20s %7s %7s %7s %7s %7s %8s %8s\n", "policy", "min", "q1", "median", "q3", "max", "wins",
                "in sight");
    for (const auto& policy : *policies)
    {
        if (options.verbose)
            std::printf("%s\n", policy->name().c_str());
        SurvivalSummary leads;
        printRow(policy->name(), playPolicy(play, *policy, options, &leads));
        std::printf("%-20s %7.2f %7.2f %7.2f %7.2f %7.2f  s of warning before %d catches\n", "", leads.quantile(0.0),
                    leads.quantile(0.25), leads.quantile(0.5), leads.quantile(0.75), leads.quantile(1.0),
                    leads.games());
        std::fflush(stdout);
    }
    if (family)
        playFamily(play, options);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    Options options;
    const Request request = parseOptions(argc, argv, options);
    if (request != Request::Play)
    {
        (request == Request::Help ? std::cout : std::cerr) << kUsage;
        return request == Request::Help ? 0 : 2;
    }
    if (!std::filesystem::is_regular_file(options.library) || !std::filesystem::is_directory(options.media))
    {
        std::cerr << "difficulty: no library file " << options.library << " or no game data in " << options.media
                  << '\n';
        return 2;
    }
    options.library = std::filesystem::absolute(options.library).string();
    options.media = std::filesystem::absolute(options.media).string();
    try
    {
        return play(options);
    }
    catch (const Ogre::Exception& error)
    {
        // Game data the engine cannot load.
        std::cerr << "difficulty: " << error.getDescription() << '\n';
        return 2;
    }
}
