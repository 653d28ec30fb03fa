#pragma once

#include <cstdint>
#include <vector>

/// A point of the ground: world x and world z.
struct GroundPoint
{
    float x = 0.0f;
    float z = 0.0f;
};

/// A runner on the screen. The id follows one runner from frame to frame, as a player's eye does.
struct SeenRunner
{
    std::uint32_t id;
    GroundPoint position;
};

/// What the game's screen shows after a frame: the hero and the runners inside the visible rectangle of ground.
struct ScreenObservation
{
    bool heroVisible = false;
    GroundPoint hero;
    std::vector<SeenRunner> runners;
};

/// The steering keys held during a frame, as world directions: dx = +1 is G (+x), -1 is J; dz = +1 is Y (+z),
/// -1 is H.
struct Steering
{
    int dx = 0;
    int dz = 0;
};
