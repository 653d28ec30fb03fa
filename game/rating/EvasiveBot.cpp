#include "game/rating/EvasiveBot.h"

#include "game/logic/GameWorld.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace
{
constexpr float kHeroSpeed = static_cast<float>(Sarna::kHeroSpeed);
constexpr float kZoneMargin = 3.0f;         // world units between the hero and the picture's edge
constexpr int kVelocityFrames = 4;          // frames over which a runner's speed is judged
constexpr float kLookStep = 1.0f / 30.0f;   // seconds between the judged moments
constexpr float kCatchBuffer = 3.5f;        // world units: the catch distance, 2.5, and a little room
constexpr float kEdgeComfort = 6.0f;        // world units from the picture's edge
constexpr float kEdgeWeight = 0.3f;         // of an edge's closeness against a runner's
constexpr float kHomeWeight = 0.002f;       // per square unit from the picture's middle at the end of the look ahead
constexpr float kKeepSteeringBonus = 0.02f; // against dithering between two nearly equal choices

float square(float value)
{
    return value * value;
}

float distance(GroundPoint a, GroundPoint b)
{
    return std::hypot(a.x - b.x, a.z - b.z);
}
} // namespace

EvasiveBot::EvasiveBot(const VisibleGround& visible, const Sarna::GroundRect& area, const BotTraits& player,
                       float frame)
    : traits(player), view(visible), zone{visible.minX + kZoneMargin, visible.maxX - kZoneMargin,
                                          visible.minZ + kZoneMargin, visible.maxZ - kZoneMargin},
      heroArea(area), reactionFrames(static_cast<int>(std::lround(player.reactionSeconds / frame))), frameSeconds(frame)
{
}

std::string EvasiveBot::name() const
{
    if (reactionFrames == 0)
        return traits.name + ", instant";
    std::ostringstream text;
    text.precision(2);
    text << traits.name << ", " << reactionFrames * frameSeconds << " s";
    return text.str();
}

void EvasiveBot::startGame(int gameIndex)
{
    seen.clear();
    held.clear();
    believedHero = {};
    lastSteering = {};
    // Every game its own noise, the same in every run.
    noise.seed(traits.noiseSeed * 7919u + static_cast<unsigned>(gameIndex));
    wantedByHand = {};
    pressed = {};
    frameIndex = 0;
    changeAt = 0;
    heldUntil = 0;
}

Steering EvasiveBot::steer(const ScreenObservation& latest)
{
    seen.push_back(latest);
    while (static_cast<int>(seen.size()) > reactionFrames + kVelocityFrames + 1)
        seen.pop_front();

    const GroundPoint hero = heroNow();
    const std::vector<Threat> threats = threatsNow();
    Steering best = lastSteering;
    float bestRisk = risk(lastSteering, hero, threats) - kKeepSteeringBonus;
    for (int dx = -1; dx <= 1; ++dx)
    {
        for (int dz = -1; dz <= 1; ++dz)
        {
            const Steering candidate{dx, dz};
            const float candidateRisk = risk(candidate, hero, threats);
            if (candidateRisk < bestRisk)
            {
                bestRisk = candidateRisk;
                best = candidate;
            }
        }
    }

    lastSteering = keptInZone(best, hero);
    const Steering keys = pressedByHand(lastSteering);
    held.push_back(keys);
    while (static_cast<int>(held.size()) > reactionFrames)
        held.pop_front();
    return keys;
}

Steering EvasiveBot::pressedByHand(const Steering& wanted)
{
    const auto same = [](const Steering& a, const Steering& b) { return a.dx == b.dx && a.dz == b.dz; };
    if (!same(wanted, wantedByHand))
    {
        // The hand is late from the first change on: a change of mind while it is on its way does not delay it.
        if (same(pressed, wantedByHand))
            changeAt = frameIndex + noiseFrames();
        wantedByHand = wanted;
    }
    if (!same(pressed, wantedByHand) && frameIndex >= changeAt && frameIndex >= heldUntil)
    {
        pressed = wantedByHand;
        heldUntil = frameIndex + noiseFrames();
    }
    ++frameIndex;
    return pressed;
}

int EvasiveBot::noiseFrames()
{
    const int most = static_cast<int>(std::lround(traits.keyNoiseSeconds / frameSeconds));
    return most > 0 ? static_cast<int>(noise() % static_cast<unsigned>(most + 1)) : 0;
}

const ScreenObservation& EvasiveBot::judged() const
{
    const int index = static_cast<int>(seen.size()) - 1 - reactionFrames;
    return seen[static_cast<std::size_t>(std::max(index, 0))];
}

GroundPoint EvasiveBot::heroNow()
{
    const ScreenObservation& screen = judged();
    if (screen.heroVisible)
    {
        // Seen then, and moved since by the keys held after that frame.
        const std::size_t keysSince = std::min(held.size(), seen.size() - 1);
        GroundPoint hero = screen.hero;
        for (std::size_t i = held.size() - keysSince; i < held.size(); ++i)
            hero = steered(hero, held[i]);
        believedHero = hero;
    }
    else if (!held.empty())
    {
        believedHero = steered(believedHero, held.back());
    }
    return believedHero;
}

std::vector<EvasiveBot::Threat> EvasiveBot::threatsNow() const
{
    const int judgedIndex = std::max(static_cast<int>(seen.size()) - 1 - reactionFrames, 0);
    // The next catch test sees the runners where the latest frame left them.
    const float sinceJudged = static_cast<float>(static_cast<int>(seen.size()) - 1 - judgedIndex) * frameSeconds;
    std::vector<Threat> threats;
    for (const SeenRunner& runner : seen[static_cast<std::size_t>(judgedIndex)].runners)
    {
        GroundPoint velocity;
        // The longest look back in which the runner was already on the screen.
        for (int back = std::min(kVelocityFrames, judgedIndex); back > 0; --back)
        {
            const auto& earlier = seen[static_cast<std::size_t>(judgedIndex - back)].runners;
            const auto match = std::find_if(earlier.begin(), earlier.end(),
                                            [&runner](const SeenRunner& other) { return other.id == runner.id; });
            if (match != earlier.end())
            {
                const float seconds = static_cast<float>(back) * frameSeconds;
                velocity = {(runner.position.x - match->position.x) / seconds,
                            (runner.position.z - match->position.z) / seconds};
                break;
            }
        }
        const GroundPoint now{runner.position.x + velocity.x * sinceJudged,
                              runner.position.z + velocity.z * sinceJudged};
        threats.push_back({now, velocity});
    }
    return threats;
}

float EvasiveBot::risk(const Steering& steering, GroundPoint hero, const std::vector<Threat>& threats) const
{
    float total = 0.0f;
    GroundPoint at = hero;
    for (float ahead = 0.0f; ahead <= traits.lookAheadSeconds; ahead += kLookStep)
    {
        at = moved(hero, steering, ahead + frameSeconds);
        const float weight = 1.0f / (1.0f + ahead / 0.3f);
        for (const Threat& threat : threats)
        {
            const GroundPoint runner{threat.position.x + threat.velocity.x * ahead,
                                     threat.position.z + threat.velocity.z * ahead};
            const float gap = distance(at, runner);
            if (gap < kCatchBuffer)
                total += weight * (100.0f + 50.0f * (kCatchBuffer - gap));
            else if (gap < traits.comfortDistance)
                total += weight * square(traits.comfortDistance - gap);
        }
        total += weight * kEdgeWeight * edgeRisk(at);
    }
    const GroundPoint home{view.centreX(), view.centreZ()};
    total += kHomeWeight * (square(at.x - home.x) + square(at.z - home.z));
    return total;
}

float EvasiveBot::edgeRisk(GroundPoint hero) const
{
    float total = 0.0f;
    for (const float gap : {hero.x - view.minX, view.maxX - hero.x, hero.z - view.minZ, view.maxZ - hero.z})
        total += square(std::max(0.0f, kEdgeComfort - gap));
    return total;
}

GroundPoint EvasiveBot::moved(GroundPoint from, const Steering& steering, float seconds) const
{
    // In its plans the bot stops at the edge of its zone, as keptInZone makes it do.
    const GroundPoint to{from.x + static_cast<float>(steering.dx) * kHeroSpeed * seconds,
                         from.z + static_cast<float>(steering.dz) * kHeroSpeed * seconds};
    return {std::clamp(to.x, zone.minX, zone.maxX), std::clamp(to.z, zone.minZ, zone.maxZ)};
}

GroundPoint EvasiveBot::steered(GroundPoint from, const Steering& steering) const
{
    // One frame of the game's own steering, which stops the hero at the edge of his area.
    const float step = kHeroSpeed * frameSeconds;
    return {std::clamp(from.x + static_cast<float>(steering.dx) * step, heroArea.minX, heroArea.maxX),
            std::clamp(from.z + static_cast<float>(steering.dz) * step, heroArea.minZ, heroArea.maxZ)};
}

Steering EvasiveBot::keptInZone(Steering steering, GroundPoint hero) const
{
    const GroundPoint next = steered(hero, steering);
    // Only a step further out is refused, so a hero outside the zone can still come back.
    if ((next.x < zone.minX && steering.dx < 0) || (next.x > zone.maxX && steering.dx > 0))
        steering.dx = 0;
    if ((next.z < zone.minZ && steering.dz < 0) || (next.z > zone.maxZ && steering.dz > 0))
        steering.dz = 0;
    return steering;
}
