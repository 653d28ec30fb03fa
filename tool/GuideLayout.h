#pragma once

#include "tool/DrawingWindow.h"

class KelTrajectoryLibrary;
struct PositionKey;

/// The guides over the drawing, from the game's own numbers: the outline of the ground the top camera shows from
/// its start place in the shipped window, with a mark on the edge that is the top of the game's picture (the game
/// shows the drawing turned half a turn: world +z, the drawing's downward, at the top), the hero's start place with
/// the catch distance around it, and the library's drawings as lines through their keys.
Guides guidesFor(const KelTrajectoryLibrary& library);

/// How fast a runner goes, in world units per second, from one key of its trajectory to the next as the game
/// plays it; infinite when the keys have the same time.
double runnerSpeed(const PositionKey& from, const PositionKey& to);

/// A runner's speed against the hero's: about as fast within a fifth of it either way.
DotInk speedInk(double worldUnitsPerSecond);
