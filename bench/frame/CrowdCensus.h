#pragma once

#include <string>

/// What a library does in the real game when the hero stands still at his start: the game logic runs on the
/// engine without a render system (software buffers), in frames of a fixed length, from the press of the space bar
/// on. Counts the runners after a warm-up, and checks that none leaves the camera's view and that the hero is
/// never caught.
struct CrowdCensus
{
    double meanRunners = 0.0;
    int fewestRunners = 0;
    int mostRunners = 0;
    int runnersOutOfView = 0; ///< runner frames with the figure partly outside the picture
    bool heroCaught = false;

    /// Plays the library "library1.xml" of directory (which becomes the working directory meanwhile) for
    /// warmUpSeconds + countSeconds of play, counting during the last countSeconds.
    static CrowdCensus take(const std::string& directory, double warmUpSeconds, double countSeconds);
};
