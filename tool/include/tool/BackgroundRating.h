#pragma once

#include "tool/LibraryRater.h"

#include <atomic>
#include <functional>
#include <string>
#include <sys/types.h>
#include <thread>

/// Rates a library with the dunestride-rate command in a process of its own: the library goes to a file in a fresh
/// temporary folder, never to the author's file, and a thread waits for the command, hands its whole output to
/// report as one text and removes the folder. Destroying the object stops a rating that still runs, without a
/// report.
class BackgroundRating : public LibraryRater
{
public:
    using Report = std::function<void(const std::string& text)>;

    /// command is the program to run, a path or a name looked up on PATH.
    BackgroundRating(std::string command, Report report);
    ~BackgroundRating() override;

    BackgroundRating(const BackgroundRating&) = delete;
    BackgroundRating& operator=(const BackgroundRating&) = delete;

    bool isBusy() const override { return running; }
    void rate(const KelTrajectoryLibrary& library) override;

private:
    void rateFile(const std::string& folder, const std::string& file);

    std::string command;
    Report report;
    std::thread waiter;
    std::atomic<bool> running{false};
    std::atomic<bool> stopping{false};
    std::atomic<pid_t> child{-1};
};

/// The dunestride-rate to run from a program at ownPath: the one beside it, the one in the bin folder of its
/// installation (binFromProgramDir is that folder relative to the program's), the one the build tree made, or, when
/// none of them exists, the name alone, for the PATH.
std::string findRateCommand(const std::string& ownPath, const std::string& binFromProgramDir,
                            const std::string& builtCommand);
