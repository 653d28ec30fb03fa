#pragma once

namespace platform
{

/// Turns SIGTERM, SIGINT and SIGHUP into a request that the program reads at its own pace (its frame loop), so that
/// a desktop logging out, a service manager or Ctrl+C at the terminal ends it as its own quit does, with its files
/// saved. A signal that the process was started with ignored (nohup, a background job of a shell) stays ignored.
/// It also keeps SDL from installing its own handlers for SIGINT and SIGTERM, which only post an SDL_QUIT event
/// nobody reads: call it before anything starts SDL. Calling it again installs the handlers where they are missing.
void catchTerminationSignals();

/// The last termination signal received since catchTerminationSignals, or 0 when none came.
int terminationSignal();

inline bool terminationRequested()
{
    return terminationSignal() != 0;
}

} // namespace platform
