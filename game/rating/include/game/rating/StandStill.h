#pragma once

#include "game/rating/Policy.h"

/// Never touches a key.
class StandStill : public Policy
{
public:
    std::string name() const override { return "still"; }
    void startGame(int) override {}
    Steering steer(const ScreenObservation&) override { return {}; }
};
