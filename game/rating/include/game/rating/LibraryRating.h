#pragma once

#include "game/rating/EvasiveBot.h"
#include "game/rating/ScreenObservation.h"
#include "game/rating/SurvivalSummary.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class HeadlessPlay;
class Policy;

/// Every rated game runs in frames of exactly this length, so that a game is decided by its policy and its start.
constexpr float kRatingFrameSeconds = 1.0f / 60.0f;
/// The reaction time of the bots the targets of a fair library are set for.
constexpr float kTargetReactionSeconds = 0.25f;

/// The start values of the spawn counter for `games` games on a library of trajectoryCount trajectories, drawn from
/// the seed: the same for every policy, so that policies are compared on the same games.
std::vector<int> seededStarts(unsigned seed, int games, int trajectoryCount);

/// One way of playing that a rating plays: standing still, holding one key, or a bot.
struct PolicyChoice
{
    enum class Kind
    {
        StandStill,
        HoldOneKey,
        Bot
    };

    Kind kind = Kind::StandStill;
    std::string keyName; ///< of the key held
    Steering held;
    BotTraits traits;

    std::unique_ptr<Policy> make(const HeadlessPlay& play) const;
};

/// What the rating found: standing still, each key held, and the bot family's median variant at 0.25 s and
/// instantly.
struct RatingFigures
{
    int games = 0;
    SurvivalSummary still;
    std::vector<std::string> keyNames;
    std::vector<SurvivalSummary> held; ///< in the order of keyNames
    std::string medianVariant;
    SurvivalSummary botsAtTarget;
    SurvivalSummary botsInstant;
};

/// The most games per way of playing a rating plays: hours of processor time already.
constexpr int kMaxRatingGames = 10000;

struct RatingOptions
{
    std::string library;
    std::string media;
    int trajectoryCount = 0;
    int games = 40;
    unsigned seed = 1;
    int workers = 2;
};

/// Games played so far and games to play in all; called as games end.
using RatingProgress = std::function<void(int played, int total)>;

/// Why a rating gave no figures.
struct RatingFailure
{
    std::string reason;
    bool gameDataNotLoaded = false;
    int stopSignal = 0; ///< SIGTERM, SIGHUP or SIGINT when one stopped the rating
};

/// Plays the rating's games on the headless game, split over worker processes that each bring up an engine of their
/// own (the engine allows one per process) in a temporary folder of their own: first standing still, each key held
/// and every bot variant at 0.25 s, then the median variant instantly. The figures do not depend on the number of
/// workers. Nothing, and why in `failure`, when a worker failed or the rating was stopped; no worker or folder of
/// the rating is left then.
std::optional<RatingFigures> rateLibrary(const RatingOptions& options, const RatingProgress& progress,
                                         RatingFailure& failure);
