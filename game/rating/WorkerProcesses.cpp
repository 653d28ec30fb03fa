#include "game/rating/WorkerProcesses.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{
struct Worker
{
    pid_t pid = -1;
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

[[noreturn]] void runChild(int worker, int output, pid_t parent, const std::function<int(int, const WorkerSend&)>& work)
{
    // A worker has no use once the rating is stopped: it goes with its parent.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        std::_Exit(EXIT_FAILURE);
    const int status = work(worker, [output](const std::string& line) { writeAll(output, line + '\n'); });
    close(output);
    std::exit(status);
}

bool startWorker(int index, Worker& worker, const std::function<int(int, const WorkerSend&)>& work,
                 const std::vector<Worker>& started)
{
    int ends[2];
    if (pipe(ends) != 0)
        return false;
    std::fflush(nullptr); // or the child would write the parent's buffered output again
    const pid_t parent = getpid();
    worker.pid = fork();
    if (worker.pid == 0)
    {
        close(ends[0]);
        for (const Worker& other : started)
        {
            if (other.output >= 0)
                close(other.output);
        }
        runChild(index, ends[1], parent, work);
    }
    close(ends[1]);
    if (worker.pid < 0)
    {
        close(ends[0]);
        return false;
    }
    worker.output = ends[0];
    return true;
}

/// Reads what the worker has sent; closes its end when it has ended.
void readFrom(Worker& worker, const std::function<void(const std::string&)>& onLine)
{
    char buffer[4096];
    const ssize_t got = read(worker.output, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR)
        return;
    if (got <= 0)
    {
        close(worker.output);
        worker.output = -1;
        return;
    }
    worker.pending.append(buffer, static_cast<std::size_t>(got));
    std::size_t end;
    while ((end = worker.pending.find('\n')) != std::string::npos)
    {
        onLine(worker.pending.substr(0, end));
        worker.pending.erase(0, end + 1);
    }
}

bool waitForEnd(const Worker& worker)
{
    int status = 0;
    while (waitpid(worker.pid, &status, 0) < 0)
    {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
} // namespace

bool runInWorkerProcesses(int workers, const std::function<int(int, const WorkerSend&)>& work,
                          const std::function<void(const std::string&)>& onLine)
{
    std::vector<Worker> started(static_cast<std::size_t>(workers));
    bool allStarted = true;
    for (int index = 0; index < workers && allStarted; ++index)
        allStarted = startWorker(index, started[static_cast<std::size_t>(index)], work, started);
    for (;;)
    {
        std::vector<pollfd> open;
        std::vector<Worker*> owners;
        for (Worker& worker : started)
        {
            if (worker.output >= 0)
            {
                open.push_back({worker.output, POLLIN, 0});
                owners.push_back(&worker);
            }
        }
        if (open.empty())
            break;
        if (poll(open.data(), open.size(), -1) < 0 && errno != EINTR)
        {
            // Cannot happen with valid descriptors; stop listening, so that the children can still be waited for.
            for (Worker* worker : owners)
            {
                close(worker->output);
                worker->output = -1;
            }
            allStarted = false;
            break;
        }
        for (std::size_t i = 0; i < open.size(); ++i)
        {
            if (open[i].revents != 0)
                readFrom(*owners[i], onLine);
        }
    }
    bool allSucceeded = allStarted;
    for (const Worker& worker : started)
    {
        if (worker.pid > 0)
            allSucceeded = waitForEnd(worker) && allSucceeded;
    }
    return allSucceeded;
}
