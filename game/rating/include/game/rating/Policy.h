#pragma once

#include "game/rating/ScreenObservation.h"

#include <string>

/// A way of playing: decides the steering keys of each frame from what the screen showed after the last one.
class Policy
{
public:
    virtual ~Policy() = default;

    virtual std::string name() const = 0;
    /// Called before each game; gameIndex counts this policy's games from 0.
    virtual void startGame(int gameIndex) = 0;
    /// The keys to hold during the next frame.
    virtual Steering steer(const ScreenObservation& latest) = 0;
};
