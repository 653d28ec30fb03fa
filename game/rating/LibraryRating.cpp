#include "game/rating/LibraryRating.h"

#include "game/rating/BotFamily.h"
#include "game/rating/HeadlessPlay.h"
#include "game/rating/HoldOneKey.h"
#include "game/rating/StandStill.h"
#include "game/rating/WorkerProcesses.h"

#include <OgreException.h>

#include <cstdio>
#include <new>
#include <random>
#include <sstream>

namespace
{
/// One game's end, as a worker sends it: the policy's place in the phase, the game, its survival and result.
struct GameEnd
{
    std::size_t policy;
    int game;
    double survivalSeconds;
    bool won;
};

std::string encode(const GameEnd& end)
{
    char line[96];
    std::snprintf(line, sizeof line, "%zu %d %.17g %d", end.policy, end.game, end.survivalSeconds, end.won ? 1 : 0);
    return line;
}

bool decode(const std::string& line, GameEnd& end)
{
    std::istringstream in(line);
    int won = 0;
    if (!(in >> end.policy >> end.game >> end.survivalSeconds >> won) || end.game < 0)
        return false;
    end.won = won != 0;
    return true;
}

// A worker's exit status, when it could not play its share.
constexpr int kGameDataNotLoaded = 3;
constexpr int kLibraryNotRead = 4;
constexpr int kOutOfMemory = 5;
constexpr int kWorkerError = 6;

/// Plays this worker's share of every policy's games: the games whose number leaves `worker` when divided by the
/// number of workers. A game does not depend on the games before it, so the share changes no figure.
int playShare(const RatingOptions& options, const std::vector<PolicyChoice>& policies, int worker,
              const std::string& folder, const WorkerSend& send)
{
    try
    {
        HeadlessPlay play(options.media, options.library, folder);
        if (play.trajectoryCount() != options.trajectoryCount)
            return kLibraryNotRead;
        const std::vector<int> starts = seededStarts(options.seed, options.games, options.trajectoryCount);
        for (std::size_t index = 0; index < policies.size(); ++index)
        {
            const std::unique_ptr<Policy> policy = policies[index].make(play);
            for (int game = worker; game < options.games; game += options.workers)
            {
                policy->startGame(game);
                const GameOutcome outcome =
                    play.play(*policy, starts[static_cast<std::size_t>(game)], kRatingFrameSeconds);
                send(encode({index, game, outcome.survivalSeconds, outcome.won}));
            }
        }
        return 0;
    }
    catch (const Ogre::Exception&)
    {
        return kGameDataNotLoaded;
    }
    catch (const std::bad_alloc&)
    {
        return kOutOfMemory;
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "dunestride-rate: worker process %d: %s\n", worker + 1, error.what());
        return kWorkerError;
    }
}

/// Why the workers gave no figures, in words.
RatingFailure failureOf(const WorkersEnd& end, const RatingOptions& options)
{
    RatingFailure failure;
    if (end.kind == WorkersEnd::Kind::Stopped)
        failure.stopSignal = end.number;
    failure.reason = describeWorkersEnd(end);
    if (end.kind != WorkersEnd::Kind::Failed)
        return failure;
    const std::string worker = "worker process " + std::to_string(end.worker + 1);
    switch (end.number)
    {
    case kGameDataNotLoaded:
        failure.gameDataNotLoaded = true;
        failure.reason = "the game data in " + options.media + " could not be loaded";
        break;
    case kLibraryNotRead:
        failure.reason = worker + " did not read the " + std::to_string(options.trajectoryCount) + " trajectories of " +
                         options.library + " in its temporary folder";
        break;
    case kOutOfMemory:
        failure.reason = worker + " ran out of memory";
        break;
    default:
        break;
    }
    return failure;
}

/// Plays every game of the policies; one summary per policy, in their order.
std::optional<std::vector<SurvivalSummary>> playPhase(const RatingOptions& options,
                                                      const std::vector<PolicyChoice>& policies, int& played, int total,
                                                      const RatingProgress& progress, RatingFailure& failure)
{
    std::vector<std::vector<GameEnd>> ends(policies.size());
    std::string notUnderstood;
    const WorkersEnd end = runInWorkerProcesses(
        options.workers,
        [&](int worker, const std::string& folder, const WorkerSend& send)
        { return playShare(options, policies, worker, folder, send); },
        [&](const std::string& line)
        {
            GameEnd gameEnd{};
            if (!notUnderstood.empty() || !decode(line, gameEnd) || gameEnd.policy >= policies.size())
            {
                notUnderstood = notUnderstood.empty() ? line : notUnderstood;
                return;
            }
            ends[gameEnd.policy].push_back(gameEnd);
            if (progress)
                progress(++played, total);
        });
    if (end.kind != WorkersEnd::Kind::Finished)
    {
        failure = failureOf(end, options);
        return std::nullopt;
    }
    std::vector<SurvivalSummary> summaries(policies.size());
    for (std::size_t index = 0; index < policies.size(); ++index)
    {
        if (!notUnderstood.empty() || ends[index].size() != static_cast<std::size_t>(options.games))
        {
            failure.reason = "the workers did not send every game's end (" +
                             (notUnderstood.empty() ? "some missing" : "\"" + notUnderstood + "\"") + ")";
            return std::nullopt;
        }
        for (const GameEnd& gameEnd : ends[index])
            summaries[index].add(gameEnd.survivalSeconds, gameEnd.won, 0, 0);
    }
    return summaries;
}

PolicyChoice botAt(BotTraits traits, float reactionSeconds)
{
    PolicyChoice choice;
    choice.kind = PolicyChoice::Kind::Bot;
    choice.traits = std::move(traits);
    choice.traits.reactionSeconds = reactionSeconds;
    return choice;
}
} // namespace

std::vector<int> seededStarts(unsigned seed, int games, int trajectoryCount)
{
    std::mt19937 draw(seed);
    std::vector<int> starts;
    for (int game = 0; game < games; ++game)
        starts.push_back(static_cast<int>(draw() % static_cast<unsigned>(trajectoryCount)));
    return starts;
}

std::unique_ptr<Policy> PolicyChoice::make(const HeadlessPlay& play) const
{
    switch (kind)
    {
    case Kind::HoldOneKey:
        return std::make_unique<HoldOneKey>(keyName, held);
    case Kind::Bot:
        return std::make_unique<EvasiveBot>(play.view(), play.heroArea(), traits, kRatingFrameSeconds);
    case Kind::StandStill:
        break;
    }
    return std::make_unique<StandStill>();
}

std::optional<RatingFigures> rateLibrary(const RatingOptions& options, const RatingProgress& progress,
                                         RatingFailure& failure)
{
    const std::vector<BotTraits> family = botFamily();
    std::vector<PolicyChoice> first(1); // standing still
    RatingFigures figures;
    figures.games = options.games;
    for (const SteeringKey& key : kSteeringKeys)
    {
        PolicyChoice hold;
        hold.kind = PolicyChoice::Kind::HoldOneKey;
        hold.keyName = key.letter;
        hold.held = key.direction;
        first.push_back(hold);
        figures.keyNames.push_back(key.letter);
    }
    const std::size_t firstBot = first.size();
    for (const BotTraits& variant : family)
        first.push_back(botAt(variant, kTargetReactionSeconds));

    const int total = options.games * static_cast<int>(first.size() + 1);
    int played = 0;
    const auto firstFigures = playPhase(options, first, played, total, progress, failure);
    if (!firstFigures)
        return std::nullopt;
    figures.still = (*firstFigures)[0];
    figures.held.assign(firstFigures->begin() + 1, firstFigures->begin() + static_cast<std::ptrdiff_t>(firstBot));
    const std::vector<SurvivalSummary> atTarget(firstFigures->begin() + static_cast<std::ptrdiff_t>(firstBot),
                                                firstFigures->end());
    const std::size_t median = medianVariant(atTarget);
    figures.medianVariant = family[median].name;
    figures.botsAtTarget = atTarget[median];

    const auto instant = playPhase(options, {botAt(family[median], 0.0f)}, played, total, progress, failure);
    if (!instant)
        return std::nullopt;
    figures.botsInstant = (*instant)[0];
    return figures;
}
