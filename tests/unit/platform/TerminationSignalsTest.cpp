#include "platform/TerminationSignals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <initializer_list>

namespace
{

TEST(TerminationSignals, EachBecomesARequestUnlessTheProcessWasStartedIgnoringIt)
{
    // Started under nohup: SIGHUP stays ignored.
    std::signal(SIGHUP, SIG_IGN);
    platform::catchTerminationSignals();
    std::raise(SIGHUP);
    EXPECT_FALSE(platform::terminationRequested());

    std::signal(SIGHUP, SIG_DFL);
    platform::catchTerminationSignals();
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP})
    {
        std::raise(signalNumber);
        EXPECT_EQ(platform::terminationSignal(), signalNumber);
    }
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP})
    {
        std::signal(signalNumber, SIG_DFL);
    }
}

} // namespace
