#pragma once

#include "Policy.h"
#include "game/logic/StartView.h"
#include "support/VisibleGround.h"

#include <deque>
#include <vector>

/// A player who sees only the screen and reacts after a delay: in every frame it judges the screen as it was
/// reactionFrames frames ago, guesses where each runner on it is now and will be over the next second (straight
/// on at the speed it was seen moving), and picks the one of the nine key combinations (none, four keys, four
/// diagonals) that keeps the hero furthest from them, away from the screen's edges (runners come in from there
/// unseen) and near the screen's middle. It knows where its hero is from the screen and the keys it has held
/// since, and it keeps the hero a few units inside the picture.
class EvasiveBot : public Policy
{
public:
    /// heroArea is where the game lets the hero's centre go.
    EvasiveBot(const VisibleGround& view, const Sarna::GroundRect& heroArea, int reactionFrames, float frameSeconds);

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

    VisibleGround view;
    VisibleGround zone; ///< where the bot lets its hero go: the picture less a margin
    Sarna::GroundRect heroArea;
    int reactionFrames;
    float frameSeconds;
    std::deque<ScreenObservation> seen; ///< latest at the back
    std::deque<Steering> held;          ///< the keys of the last reactionFrames frames, latest at the back
    GroundPoint believedHero;
    Steering lastSteering;
};
