#pragma once

#include "game/headless/VisibleGround.h"
#include "game/logic/StartView.h"
#include "game/rating/Policy.h"

#include <deque>
#include <random>
#include <string>
#include <vector>

/// How one player plays. The defaults are the program's plain bot: no noise on the keys.
struct BotTraits
{
    std::string name = "bot";
    float lookAheadSeconds = 1.0f;
    float comfortDistance = 7.0f; ///< world units: runners closer than this worry the player
    float reactionSeconds = 0.25f;
    /// A person's keys: each change of keys comes up to this many seconds late, and a press, once made, is held
    /// up to this long whatever the player then wants; both drawn anew for every change.
    float keyNoiseSeconds = 0.0f;
    unsigned noiseSeed = 0;
};

/// A player who sees only the screen and reacts after a delay: in every frame it judges the screen as it was
/// reactionFrames frames ago, guesses where each runner on it is now and will be over the next second (straight
/// on at the speed it was seen moving), and picks the one of the nine key combinations (none, four keys, four
/// diagonals) that keeps the hero furthest from them, away from the screen's edges (runners come in from there
/// unseen) and near the screen's middle. It knows where its hero is from the screen and the keys it has held
/// since, and it keeps the hero a few units inside the picture. Its keys can be late and uneven, as a person's are.
class EvasiveBot : public Policy
{
public:
    /// heroArea is where the game lets the hero's centre go; the traits' reaction time is rounded to whole frames.
    EvasiveBot(const VisibleGround& view, const Sarna::GroundRect& heroArea, const BotTraits& traits,
               float frameSeconds);

    std::string name() const override;
    void startGame(int gameIndex) override;
    Steering steer(const ScreenObservation& latest) override;

private:
    struct Threat
    {
        GroundPoint position; ///< where the runner is guessed to be when the next frame's catch test runs
        GroundPoint velocity; ///< world units per second
    };

    const ScreenObservation& judged() const;
    GroundPoint heroNow();
    std::vector<Threat> threatsNow() const;
    float risk(const Steering& steering, GroundPoint hero, const std::vector<Threat>& threats) const;
    float edgeRisk(GroundPoint hero) const;
    GroundPoint moved(GroundPoint from, const Steering& steering, float seconds) const;
    GroundPoint steered(GroundPoint from, const Steering& steering) const;
    Steering keptInZone(Steering steering, GroundPoint hero) const;
    /// What the hand holds this frame while the player wants `wanted`.
    Steering pressedByHand(const Steering& wanted);
    int noiseFrames();

    BotTraits traits;
    VisibleGround view;
    VisibleGround zone; ///< where the bot lets its hero go: the picture less a margin
    Sarna::GroundRect heroArea;
    int reactionFrames;
    float frameSeconds;
    std::deque<ScreenObservation> seen; ///< latest at the back
    std::deque<Steering> held;          ///< the keys of the last reactionFrames frames, latest at the back
    GroundPoint believedHero;
    Steering lastSteering; ///< what the player last wanted

    // The hand on the keys.
    std::mt19937 noise;
    Steering wantedByHand;
    Steering pressed;
    int frameIndex = 0;
    int changeAt = 0;  ///< the frame from which the hand may follow a change of what is wanted
    int heldUntil = 0; ///< the frame from which the hand may let go of what it presses
};
