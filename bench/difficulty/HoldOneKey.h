#pragma once

#include "Policy.h"

/// Holds one steering key for the whole game: Y, H, G and J in turn from one game to the next, so the hero runs
/// to the middle of each of the ground's four edges and stays there.
class HoldOneKey : public Policy
{
public:
    std::string name() const override { return "hold one key"; }
    void startGame(int gameIndex) override;
    Steering steer(const ScreenObservation&) override { return held; }

private:
    Steering held;
};
