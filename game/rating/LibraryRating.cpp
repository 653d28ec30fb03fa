#include "game/rating/LibraryRating.h"

#include "game/rating/BotFamily.h"
#include "game/rating/HeadlessPlay.h"
#include "game/rating/HoldOneKey.h"
#include "game/rating/StandStill.h"
#include "game/rating/WorkerProcesses.h"

#include <OgreException.h>

#include <cstdio>
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

/// Plays this worker's share of every policy's games: the games whose number leaves `worker` when divided by the
/// number of workers. A game does not depend on the games before it, so the share changes no figure.
int playShare(const RatingOptions& options, const std::vector<PolicyChoice>& policies, int worker,
              const WorkerSend& send)
{
    try
    {
        HeadlessPlay play(options.media, options.library);
        if (play.trajectoryCount() != options.trajectoryCount)
            return 1;
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
        return 1; // game data the engine cannot load
    }
}

/// Plays every game of the policies; one summary per policy, in their order.
std::optional<std::vector<SurvivalSummary>> playPhase(const RatingOptions& options,
                                                      const std::vector<PolicyChoice>& policies, int& played, int total,
                                                      const RatingProgress& progress)
{
    std::vector<std::vector<GameEnd>> ends(policies.size());
    bool understood = true;
    const bool succeeded = runInWorkerProcesses(
        options.workers, [&](int worker, const WorkerSend& send) { return playShare(options, policies, worker, send); },
        [&](const std::string& line)
        {
            GameEnd end{};
            understood = understood && decode(line, end) && end.policy < policies.size();
            if (!understood)
                return;
            ends[end.policy].push_back(end);
            if (progress)
                progress(++played, total);
        });
    if (!succeeded || !understood)
        return std::nullopt;
    std::vector<SurvivalSummary> summaries(policies.size());
    for (std::size_t index = 0; index < policies.size(); ++index)
    {
        if (ends[index].size() != static_cast<std::size_t>(options.games))
            return std::nullopt;
        for (const GameEnd& end : ends[index])
            summaries[index].add(end.survivalSeconds, end.won, 0, 0);
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

std::optional<RatingFigures> rateLibrary(const RatingOptions& options, const RatingProgress& progress)
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
    const auto firstFigures = playPhase(options, first, played, total, progress);
    if (!firstFigures)
        return std::nullopt;
    figures.still = (*firstFigures)[0];
    figures.held.assign(firstFigures->begin() + 1, firstFigures->begin() + static_cast<std::ptrdiff_t>(firstBot));
    const std::vector<SurvivalSummary> atTarget(firstFigures->begin() + static_cast<std::ptrdiff_t>(firstBot),
                                                firstFigures->end());
    const std::size_t median = medianVariant(atTarget);
    figures.medianVariant = family[median].name;
    figures.botsAtTarget = atTarget[median];

    const auto instant = playPhase(options, {botAt(family[median], 0.0f)}, played, total, progress);
    if (!instant)
        return std::nullopt;
    figures.botsInstant = (*instant)[0];
    return figures;
}
