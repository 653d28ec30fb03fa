#pragma once

#include "game/rating/Policy.h"

#include <array>
#include <string>

/// Holds one steering key for the whole game: the hero runs to the middle of one of the picture's edges and stays
/// there.
class HoldOneKey : public Policy
{
public:
    /// keyName is the key's letter (Y, H, G or J), held is its direction.
    HoldOneKey(const std::string& letter, const Steering& direction) : keyName(letter), held(direction) {}

    std::string name() const override { return "hold " + keyName; }
    void startGame(int) override {}
    Steering steer(const ScreenObservation&) override { return held; }

private:
    std::string keyName;
    Steering held;
};

/// The four steering keys, each with the direction it moves the hero: Y, H, G, J.
struct SteeringKey
{
    const char* letter;
    Steering direction;
};
inline constexpr std::array<SteeringKey, 4> kSteeringKeys = {
    {{"Y", {0, 1}}, {"H", {0, -1}}, {"G", {1, 0}}, {"J", {-1, 0}}}};
