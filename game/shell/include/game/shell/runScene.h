#pragma once

class AppliOgreFromScratch;

/// Builds the game's scene in the shell's engine, creates the game controller and runs the frame loop until
/// Escape, the controller's end or the window's close; then deletes the controller. The scene objects stay
/// with the engine until the shell destroys the root.
void runScene(AppliOgreFromScratch& appli);
