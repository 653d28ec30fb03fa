#include "game/rating/WorkerProcesses.h"

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{
constexpr std::array<int, 3> kStopSignals{SIGTERM, SIGHUP, SIGINT};

volatile std::sig_atomic_t caughtStopSignal = 0;

extern "C" void noteStopSignal(int signal)
{
    caughtStopSignal = signal;
}

/// While it lives, the stop signals are held back, except while waiting for the workers, when they are noted;
/// afterwards their handling and the signal mask are as they were (a signal still held then acts as it would have).
class StopSignals
{
public:
    StopSignals()
    {
        caughtStopSignal = 0;
        sigset_t stops;
        sigemptyset(&stops);
        for (const int signal : kStopSignals)
            sigaddset(&stops, signal);
        sigprocmask(SIG_BLOCK, &stops, &previousMask);
        waitMask = previousMask;
        struct sigaction noting = {};
        noting.sa_handler = noteStopSignal;
        sigemptyset(&noting.sa_mask);
        for (std::size_t i = 0; i < kStopSignals.size(); ++i)
        {
            sigaction(kStopSignals[i], nullptr, &previous[i]);
            // A signal this process was started ignoring (SIGINT behind a shell's &, SIGHUP under nohup) stays so.
            if (previous[i].sa_handler != SIG_IGN)
            {
                sigaction(kStopSignals[i], &noting, nullptr);
                sigdelset(&waitMask, kStopSignals[i]);
            }
        }
    }

    ~StopSignals()
    {
        for (std::size_t i = 0; i < kStopSignals.size(); ++i)
            sigaction(kStopSignals[i], &previous[i], nullptr);
        sigprocmask(SIG_SETMASK, &previousMask, nullptr);
    }

    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    const sigset_t& whileWaiting() const { return waitMask; }
    int caught() const { return caughtStopSignal; }

private:
    sigset_t previousMask;
    sigset_t waitMask;
    std::array<struct sigaction, kStopSignals.size()> previous;
};

// The worker's own folder, for its stop signal handler, which may use only async-signal-safe calls.
int workerFolderDescriptor = -1;
char workerFolderPath[PATH_MAX];

/// Unlinks every file in the folder; the game makes no sub-folders.
void emptyFolder(int folder)
{
    alignas(dirent64) char entries[4096];
    for (bool removedSome = true; removedSome;)
    {
        removedSome = false;
        lseek(folder, 0, SEEK_SET);
        ssize_t got;
        while ((got = getdents64(folder, entries, sizeof entries)) > 0)
        {
            for (ssize_t at = 0; at < got;)
            {
                const auto* entry = reinterpret_cast<const dirent64*>(entries + at);
                at += entry->d_reclen;
                if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                    removedSome = unlinkat(folder, entry->d_name, 0) == 0 || removedSome;
            }
        }
    }
}

void removeWorkerFolder()
{
    emptyFolder(workerFolderDescriptor);
    rmdir(workerFolderPath);
}

extern "C" void removeFolderAndEnd(int signal)
{
    removeWorkerFolder();
    std::signal(signal, SIG_DFL);
    raise(signal); // delivered when the handler returns: the worker ends by the signal, as it would have
}

/// In a new worker: its parent's stop signals, and the parent's death, make it remove its folder and end. Returns
/// false when the parent is already gone.
bool removeFolderWhenStopped(const std::string& folder, pid_t parent)
{
    folder.copy(workerFolderPath, sizeof workerFolderPath - 1); // mkdtemp makes no longer name

    workerFolderDescriptor = open(workerFolderPath, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct sigaction removing = {};
    removing.sa_handler = removeFolderAndEnd;
    sigfillset(&removing.sa_mask);
    sigset_t stops;
    sigemptyset(&stops);
    for (const int signal : kStopSignals)
    {
        struct sigaction inherited;
        sigaction(signal, nullptr, &inherited);
        if (inherited.sa_handler != SIG_IGN || signal == SIGTERM)
            sigaction(signal, &removing, nullptr);
        sigaddset(&stops, signal);
    }
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        return false;
    sigprocmask(SIG_UNBLOCK, &stops, nullptr);
    return true;
}

struct Worker
{
    std::string folder;
    pid_t pid = -1;  ///< -1 once it has been waited for
    int output = -1; ///< the read end of its pipe; -1 once it is closed
    std::string pending;
};

void writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size())
    {
        const ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            std::_Exit(EXIT_FAILURE); // the parent is gone
        done += static_cast<std::size_t>(written);
    }
}

[[noreturn]] void runChild(int index, const std::string& folder, int output, pid_t parent, const WorkerWork& work)
{
    if (!removeFolderWhenStopped(folder, parent))
    {
        removeWorkerFolder(); // a worker has no use once the rating is stopped
        std::_Exit(EXIT_FAILURE);
    }
    const int status = work(index, folder, [output](const std::string& line) { writeAll(output, line + '\n'); });
    close(output);
    std::exit(status);
}

std::string failureOf(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

/// A fresh folder for a worker, by its absolute name (the worker enters it); empty with `reason` set when none
/// could be made.
std::string makeWorkerFolder(std::string& reason)
{
    const std::string parent = temporaryFolder();
    std::error_code error;
    std::string pattern = (std::filesystem::absolute(parent, error) / "dunestride-headless-XXXXXX").string();
    if (!error && mkdtemp(&pattern[0]) != nullptr)
        return pattern;
    const char* tmpdir = std::getenv("TMPDIR");
    reason = "no folder could be made in the temporary folder " + parent +
             (tmpdir != nullptr && *tmpdir != '\0' ? " (TMPDIR)" : "") + ": " +
             (error ? error.message() : std::strerror(errno));
    return {};
}

bool startWorker(int index, std::vector<Worker>& workers, const WorkerWork& work, std::string& reason)
{
    Worker& worker = workers[static_cast<std::size_t>(index)];
    worker.folder = makeWorkerFolder(reason);
    if (worker.folder.empty())
        return false;
    int ends[2];
    if (pipe(ends) != 0)
    {
        reason = failureOf("no pipe for a worker");
        return false;
    }
    std::fflush(nullptr); // or the child would write the parent's buffered output again
    const pid_t parent = getpid();
    worker.pid = fork();
    if (worker.pid == 0)
    {
        close(ends[0]);
        for (const Worker& other : workers)
        {
            if (other.output >= 0)
                close(other.output);
        }
        runChild(index, worker.folder, ends[1], parent, work);
    }
    close(ends[1]);
    if (worker.pid < 0)
    {
        reason = failureOf("no worker process could be started");
        close(ends[0]);
        return false;
    }
    worker.output = ends[0];
    return true;
}

/// Reads what the worker has sent; false once it has closed its end.
bool readFrom(Worker& worker, const std::function<void(const std::string&)>& onLine)
{
    char buffer[4096];
    const ssize_t got = read(worker.output, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR)
        return true;
    if (got <= 0)
        return false;
    worker.pending.append(buffer, static_cast<std::size_t>(got));
    std::size_t end;
    while ((end = worker.pending.find('\n')) != std::string::npos)
    {
        onLine(worker.pending.substr(0, end));
        worker.pending.erase(0, end + 1);
    }
    return true;
}

/// Waits for the worker's end; how it ended.
WorkersEnd waitForEnd(int index, Worker& worker)
{
    int status = 0;
    while (waitpid(worker.pid, &status, 0) < 0 && errno == EINTR)
    {
    }
    worker.pid = -1;
    WorkersEnd end;
    end.worker = index;
    if (WIFSIGNALED(status))
    {
        end.kind = WorkersEnd::Kind::Killed;
        end.number = WTERMSIG(status);
    }
    else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    {
        end.kind = WorkersEnd::Kind::Failed;
        end.number = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return end;
}

/// The workers of one run; whatever is left of them goes with this: processes killed and waited for, pipes
/// closed, folders removed.
class WorkerSet
{
public:
    explicit WorkerSet(int count) : workers(static_cast<std::size_t>(count)) {}
    ~WorkerSet()
    {
        for (Worker& worker : workers)
        {
            if (worker.pid > 0)
                kill(worker.pid, SIGKILL);
        }
        for (std::size_t index = 0; index < workers.size(); ++index)
        {
            Worker& worker = workers[index];
            if (worker.pid > 0)
                waitForEnd(static_cast<int>(index), worker);
            if (worker.output >= 0)
                close(worker.output);
            std::error_code ignored;
            if (!worker.folder.empty())
                std::filesystem::remove_all(worker.folder, ignored);
        }
    }
    WorkerSet(const WorkerSet&) = delete;
    WorkerSet& operator=(const WorkerSet&) = delete;

    std::vector<Worker> workers;
};

/// Hands the workers' lines on until every worker has ended, one has failed, or a stop signal came.
WorkersEnd listen(std::vector<Worker>& workers, const StopSignals& signals,
                  const std::function<void(const std::string&)>& onLine)
{
    for (;;)
    {
        std::vector<pollfd> open;
        std::vector<std::size_t> owners;
        for (std::size_t index = 0; index < workers.size(); ++index)
        {
            if (workers[index].output >= 0)
            {
                open.push_back({workers[index].output, POLLIN, 0});
                owners.push_back(index);
            }
        }
        if (open.empty())
            return {};
        if (ppoll(open.data(), open.size(), nullptr, &signals.whileWaiting()) < 0)
        {
            if (signals.caught() != 0)
                return {WorkersEnd::Kind::Stopped, -1, signals.caught(), ""};
            if (errno == EINTR)
                continue;
            return {WorkersEnd::Kind::CannotRun, -1, 0, failureOf("the workers could not be listened to")};
        }
        for (std::size_t i = 0; i < open.size(); ++i)
        {
            Worker& worker = workers[owners[i]];
            if (open[i].revents == 0 || readFrom(worker, onLine))
                continue;
            close(worker.output);
            worker.output = -1;
            const WorkersEnd end = waitForEnd(static_cast<int>(owners[i]), worker);
            if (end.kind != WorkersEnd::Kind::Finished)
                return end;
        }
    }
}
} // namespace

std::string temporaryFolder()
{
    const char* tmpdir = std::getenv("TMPDIR");
    return tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp";
}

std::string describeWorkersEnd(const WorkersEnd& end)
{
    const std::string worker = "worker process " + std::to_string(end.worker + 1);
    switch (end.kind)
    {
    case WorkersEnd::Kind::Finished:
        break;
    case WorkersEnd::Kind::Failed:
        return worker + " ended with status " + std::to_string(end.number);
    case WorkersEnd::Kind::Killed:
        return worker + " was killed by signal " + std::to_string(end.number) + " (" + strsignal(end.number) + ")";
    case WorkersEnd::Kind::Stopped:
        return "stopped by signal " + std::to_string(end.number) + " (" + strsignal(end.number) + ")";
    case WorkersEnd::Kind::CannotRun:
        return end.reason;
    }
    return {};
}

WorkersEnd runInWorkerProcesses(int workers, const WorkerWork& work,
                                const std::function<void(const std::string& line)>& onLine)
{
    const StopSignals signals; // outlives the workers: no stop signal acts before every folder is removed
    WorkerSet started(workers);
    for (int index = 0; index < workers; ++index)
    {
        std::string reason;
        if (!startWorker(index, started.workers, work, reason))
            return {WorkersEnd::Kind::CannotRun, index, 0, reason};
    }
    return listen(started.workers, signals, onLine);
}
