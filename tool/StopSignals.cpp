#include "tool/StopSignals.h"

#include <csignal>
#include <cstdlib>
#include <mutex>
#include <pthread.h>
#include <thread>
#include <utility>

namespace
{
constexpr int kStopSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The watching thread lives as long as the process, so what it uses does too.
std::mutex tidyUpMutex;
std::function<void()> currentTidyUp;

sigset_t stopSignalSet()
{
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : kStopSignals)
        sigaddset(&signals, signal);
    return signals;
}

/// Ends the process by the signal, as its default action does, so that the parent sees what ended it.
[[noreturn]] void endBy(int signal)
{
    std::signal(signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    std::raise(signal);
    std::_Exit(128 + signal); // a signal whose default is not to end the process: not one of ours
}

[[noreturn]] void watch(sigset_t signals)
{
    for (;;)
    {
        int received = 0;
        if (sigwait(&signals, &received) != 0)
            continue;
        {
            std::lock_guard<std::mutex> lock(tidyUpMutex);
            if (currentTidyUp)
                currentTidyUp();
        }
        endBy(received);
    }
}
} // namespace

bool takeStopSignals()
{
    const sigset_t signals = stopSignalSet();
    sigset_t previous;
    if (pthread_sigmask(SIG_BLOCK, &signals, &previous) != 0)
        return false;
    std::thread watcher;
    try
    {
        watcher = std::thread(watch, signals);
    }
    catch (...)
    {
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        return false;
    }
    watcher.detach();
    return true;
}

void setStopTidyUp(std::function<void()> tidyUp)
{
    std::lock_guard<std::mutex> lock(tidyUpMutex);
    currentTidyUp = std::move(tidyUp);
}
