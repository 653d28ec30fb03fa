#pragma once

namespace OIS
{
class Keyboard;
class Mouse;
} // namespace OIS

namespace Sarna
{

class JeuTotal;

/// The game's part of one frame, in the order the frame loop runs it: the controller's key presses start a new
/// frame and the keyboard is captured, which counts the presses since the last capture, then the mouse
/// when there is one, then the controller takes its step of the rules and advances what it owns, both with the
/// same dt in seconds. Returns the result of the rules' step: 0 when there is nothing to play. The game, its
/// tests and its benchmarks all step it through here.
int stepGame(JeuTotal& game, OIS::Keyboard& keyboard, OIS::Mouse* mouse, float dt);

} // namespace Sarna
