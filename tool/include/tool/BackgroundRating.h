#pragma once

#include "tool/LibraryRater.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>

/// Rates a library with the dunestride-rate command in a process of its own: the library goes to a file in a fresh
/// temporary folder, never to the author's file, and a thread waits for the command, hands its whole output to
/// report as one text and removes the folder. The command ends with this process: it gets SIGTERM when the thread
/// that started it is gone. Stopping (or destroying the object) ends a rating that still runs, without a report.
class BackgroundRating : public LibraryRater
{
public:
    using Report = std::function<void(const std::string& text)>;

    /// How long a stopped command has after SIGTERM to tidy up (its workers, their folders) before SIGKILL.
    static constexpr std::chrono::milliseconds kStopGrace{3000};

    /// command is the program to run, a path or a name looked up on PATH.
    BackgroundRating(std::string command, Report report, std::chrono::milliseconds stopGrace = kStopGrace);
    ~BackgroundRating() override;

    BackgroundRating(const BackgroundRating&) = delete;
    BackgroundRating& operator=(const BackgroundRating&) = delete;

    bool isBusy() const override;
    void rate(const KelTrajectoryLibrary& library) override;

    /// Ends a rating that runs, without a report: the command gets SIGTERM, and SIGKILL if it is still there after
    /// the grace; the temporary folder goes. No rating starts afterwards. Safe from any thread, also while the owner's
    /// thread is in rate().
    void stop();

private:
    void rateFile(const std::string& file);
    /// Removes the current rating's folder, if still there; the mutex is held.
    void removeFolder();

    const std::string command;
    const Report report;
    const std::chrono::milliseconds stopGrace;
    std::thread waiter;

    mutable std::mutex mutex;
    std::condition_variable childEnded;
    bool running = false;
    bool stopped = false;
    pid_t child = -1; ///< the command while it runs; -1 once it has ended (it is reaped only after that)
    std::string folder;
};

/// The dunestride-rate to run from a program at ownPath: the one beside it, the one in the bin folder of its
/// installation (binFromProgramDir is that folder relative to the program's), the one the build tree made, or, when
/// none of them exists, the name alone, for the PATH.
std::string findRateCommand(const std::string& ownPath, const std::string& binFromProgramDir,
                            const std::string& builtCommand);
