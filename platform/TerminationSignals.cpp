#include "platform/TerminationSignals.h"

#include <SDL.h>

#include <csignal>
#include <initializer_list>

namespace platform
{

namespace
{
volatile std::sig_atomic_t receivedSignal = 0;

void noteSignal(int signalNumber)
{
    receivedSignal = signalNumber;
}

bool ignored(int signalNumber)
{
    struct sigaction current
    {
    };
    return ::sigaction(signalNumber, nullptr, &current) != 0 || current.sa_handler == SIG_IGN;
}
} // namespace

void catchTerminationSignals()
{
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP})
    {
        if (ignored(signalNumber))
        {
            continue;
        }
        struct sigaction handler
        {
        };
        handler.sa_handler = noteSignal;
        sigemptyset(&handler.sa_mask);
        // Blocking calls go on: the request is read where the program looks for it, not where it was waiting.
        handler.sa_flags = SA_RESTART;
        ::sigaction(signalNumber, &handler, nullptr);
    }
}

int terminationSignal()
{
    return receivedSignal;
}

} // namespace platform
