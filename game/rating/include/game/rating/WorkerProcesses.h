#pragma once

#include <functional>
#include <string>

/// Sends one line (without its line break) from a worker to the parent.
using WorkerSend = std::function<void(const std::string& line)>;
/// A worker's work: its number, a fresh empty folder of its own, and the sender of its lines; returns its exit status.
using WorkerWork = std::function<int(int worker, const std::string& folder, const WorkerSend& send)>;

/// How a run of worker processes ended.
struct WorkersEnd
{
    enum class Kind
    {
        Finished, ///< every worker ended with status 0
        Failed,   ///< `worker` ended with exit status `number`
        Killed,   ///< `worker` was ended by signal `number`
        Stopped,  ///< this process received signal `number` (SIGTERM, SIGHUP or SIGINT) and stopped the workers
        CannotRun ///< a worker's folder, pipe or process could not be made, or they could not be listened to: `reason`
    };

    Kind kind = Kind::Finished;
    int worker = -1;
    int number = 0;
    std::string reason;
};

/// The end in words, for a worker's failure other than its exit status: killed, stopped, not started. Empty when
/// the workers finished.
std::string describeWorkersEnd(const WorkersEnd& end);

/// The folder temporary folders are made in: TMPDIR, or /tmp when it is unset or empty.
std::string temporaryFolder();

/// Runs work(worker, folder, send) in `workers` child processes at once, worker = 0 ... workers - 1, and hands
/// every line they send to onLine in the parent, in the order they arrive. A child ends with work's result as its
/// exit status. Each worker's folder ("dunestride-headless-XXXXXX" in the temporary folder) is made before the
/// worker starts and removed with everything in it before this returns, however the workers end. The first worker
/// that fails or is killed stops the others. While the workers run, SIGTERM, SIGHUP and SIGINT stop them (the
/// signal is held until then and is this process's again afterwards); a worker whose parent dies removes its
/// folder and ends. The caller must not hold an engine: the children start from a copy of this process.
WorkersEnd runInWorkerProcesses(int workers, const WorkerWork& work,
                                const std::function<void(const std::string& line)>& onLine);
