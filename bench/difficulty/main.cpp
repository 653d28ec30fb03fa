// Plays seeded games of dunestride on the headless engine with a few ways of playing and prints how long the hero
// lasts and how often he wins. Run by hand to judge a trajectory library; see bench/README.md.

#include "EvasiveBot.h"
#include "HeadlessPlay.h"
#include "HoldOneKey.h"
#include "StandStill.h"
#include "SurvivalSummary.h"
#include "game/logic/JeuTotal.h"

#include <OgreException.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace
{
constexpr float kFrameSeconds = 1.0f / 60.0f;

struct Options
{
    int games = 40;
    unsigned seed = 1;
    std::string library = std::string(DUNESTRIDE_RUN_DIR "/") + Sarna::JeuTotal::kLibraryFile;
    std::string media = DUNESTRIDE_MEDIA_DIR;
    std::string policies = "still,hold,bot,instant";
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
    "  --policies LIST    comma-separated, of still, hold (each of the four keys in turn), bot, instant\n"
    "                     (default: all)\n"
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

std::vector<std::unique_ptr<Policy>> makePolicies(const Options& options, const VisibleGround& view)
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
            policies.push_back(std::make_unique<HoldOneKey>("Y", Steering{0, 1}));
            policies.push_back(std::make_unique<HoldOneKey>("H", Steering{0, -1}));
            policies.push_back(std::make_unique<HoldOneKey>("G", Steering{1, 0}));
            policies.push_back(std::make_unique<HoldOneKey>("J", Steering{-1, 0}));
        }
        else if (name == "bot")
        {
            const int frames = static_cast<int>(std::lround(options.reactionSeconds / kFrameSeconds));
            policies.push_back(std::make_unique<EvasiveBot>(view, frames, kFrameSeconds));
        }
        else if (name == "instant")
            policies.push_back(std::make_unique<EvasiveBot>(view, 0, kFrameSeconds));
        else
        {
            std::cerr << "difficulty: unknown policy \"" << name << "\"\n" << kUsage;
            return {};
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

// The warning leads are durations like the survival times: the summary's quantiles serve for both.
SurvivalSummary playPolicy(HeadlessPlay& play, Policy& policy, const Options& options, SurvivalSummary& warningLeads)
{
    SurvivalSummary summary;
    std::map<std::string, int> catchers;
    // The same start values for every policy, so that policies are compared on the same games.
    std::mt19937 starts(options.seed);
    for (int game = 0; game < options.games; ++game)
    {
        const int random = static_cast<int>(starts() % static_cast<unsigned>(play.trajectoryCount()));
        const int start = options.everyStart ? game % play.trajectoryCount() : random;
        policy.startGame(game);
        const GameOutcome outcome = play.play(policy, start, kFrameSeconds);
        summary.add(outcome.survivalSeconds, outcome.won);
        if (outcome.caughtAt >= 0.0)
        {
            ++catchers[outcome.caughtBy];
            warningLeads.add(outcome.warningLead, false);
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
int play(const Options& options)
{
    HeadlessPlay play(options.media, options.library);
    if (play.trajectoryCount() == 0)
    {
        std::cerr << "difficulty: no trajectory read from " << options.library << '\n';
        return 2;
    }
    const VisibleGround& view = play.view();
    std::vector<std::unique_ptr<Policy>> policies = makePolicies(options, view);
    if (policies.empty())
        return 2;

    std::printf("%s: %d trajectories; %d games per policy, %s, frames of 1/60 s\n", options.library.c_str(),
                play.trajectoryCount(), options.games,
                options.everyStart ? "every start value in turn" : ("seed " + std::to_string(options.seed)).c_str());
    std::printf("visible ground: x %.2f .. %.2f, z %.2f .. %.2f\n\n", view.minX, view.maxX, view.minZ, view.maxZ);
    std::printf("%-14s %7s %7s %7s %7s %7s %8s\n", "policy", "min", "q1", "median", "q3", "max", "wins");
    for (const auto& policy : policies)
    {
        if (options.verbose)
            std::printf("%s\n", policy->name().c_str());
        SurvivalSummary leads;
        const SurvivalSummary summary = playPolicy(play, *policy, options, leads);
        std::printf("%-14s %7.1f %7.1f %7.1f %7.1f %7.1f %4d/%-3d\n", policy->name().c_str(), summary.quantile(0.0),
                    summary.quantile(0.25), summary.quantile(0.5), summary.quantile(0.75), summary.quantile(1.0),
                    summary.wins(), summary.games());
        std::printf("%-14s %7.2f %7.2f %7.2f %7.2f %7.2f  s of warning before %d catches\n", "", leads.quantile(0.0),
                    leads.quantile(0.25), leads.quantile(0.5), leads.quantile(0.75), leads.quantile(1.0),
                    leads.games());
        std::fflush(stdout);
    }
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
