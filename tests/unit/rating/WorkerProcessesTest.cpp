#include "game/rating/WorkerProcesses.h"

#include "support/TempDir.h"
#include "support/TemporaryFolderSetting.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int kFolderNotFresh = 42;

/// Whether the worker's folder is a fresh empty one in TMPDIR; leaves a file in it, as a game does.
bool settleIn(const std::string& folder, const std::string& tmpdir)
{
    std::error_code error;
    const bool fresh = std::filesystem::path(folder).parent_path() == std::filesystem::path(tmpdir) &&
                       std::filesystem::is_empty(folder, error) && !error;
    std::ofstream(folder + "/library1.xml") << "<Trajectories/>";
    return fresh;
}

bool isEmpty(const TempDir& dir)
{
    std::error_code error;
    return std::filesystem::is_empty(dir.path, error) && !error;
}

struct WorkerCase
{
    const char* what;
    int (*end)();
    WorkersEnd::Kind kind;
    int number;
    const char* said;
};

TEST(WorkerProcesses, AWorkerThatFailsOrDiesIsReportedSoAndItsFolderGoes)
{
    const std::vector<WorkerCase> cases = {
        {"returns 0", [] { return 0; }, WorkersEnd::Kind::Finished, 0, ""},
        {"returns 7", [] { return 7; }, WorkersEnd::Kind::Failed, 7, "worker process 1 ended with status 7"},
        {"kills itself", [] { return raise(SIGKILL); }, WorkersEnd::Kind::Killed, SIGKILL,
         "worker process 1 was killed by signal 9 (Killed)"},
        {"gets SIGTERM", [] { return raise(SIGTERM); }, WorkersEnd::Kind::Killed, SIGTERM,
         "worker process 1 was killed by signal 15 (Terminated)"},
    };
    for (const WorkerCase& workerCase : cases)
    {
        const TempDir tmpdir;
        const TemporaryFolderSetting setting(tmpdir.path);
        std::vector<std::string> lines;
        const WorkersEnd end = runInWorkerProcesses(
            1,
            [&](int, const std::string& folder, const WorkerSend& send)
            {
                if (!settleIn(folder, tmpdir.path))
                    return kFolderNotFresh;
                send("settled in");
                return workerCase.end();
            },
            [&](const std::string& line) { lines.push_back(line); });
        EXPECT_EQ(end.kind, workerCase.kind) << workerCase.what;
        EXPECT_EQ(end.number, workerCase.number) << workerCase.what;
        EXPECT_EQ(describeWorkersEnd(end), workerCase.said) << workerCase.what;
        EXPECT_EQ(lines, std::vector<std::string>{"settled in"}) << workerCase.what;
        EXPECT_TRUE(isEmpty(tmpdir)) << workerCase.what << ": a worker's folder is left";
    }
}

TEST(WorkerProcesses, TheFirstWorkerToDieStopsTheOthersAndEveryFolderGoes)
{
    const TempDir tmpdir;
    const TempDir marks;
    const TemporaryFolderSetting setting(tmpdir.path);
    const std::string waitingMark = marks.file("waiting");
    const WorkersEnd end = runInWorkerProcesses(
        2,
        [&](int worker, const std::string& folder, const WorkerSend&)
        {
            settleIn(folder, tmpdir.path);
            if (worker == 0)
            {
                std::ofstream(waitingMark + ".part") << getpid();
                std::rename((waitingMark + ".part").c_str(), waitingMark.c_str());
                for (;;)
                    pause();
            }
            while (!std::filesystem::exists(waitingMark)) // the other worker is playing
                usleep(1000);
            return raise(SIGKILL);
        },
        [](const std::string&) {});
    EXPECT_EQ(end.kind, WorkersEnd::Kind::Killed);
    EXPECT_EQ(end.worker, 1);
    EXPECT_EQ(describeWorkersEnd(end), "worker process 2 was killed by signal 9 (Killed)");
    EXPECT_TRUE(isEmpty(tmpdir)) << "a worker's folder is left";

    pid_t waiting = 0;
    std::ifstream(waitingMark) >> waiting;
    ASSERT_GT(waiting, 0);
    EXPECT_NE(kill(waiting, 0), 0) << "the waiting worker outlived the run";
    if (waitpid(waiting, nullptr, WNOHANG) == 0) // still ours and running: end it here
    {
        kill(waiting, SIGKILL);
        waitpid(waiting, nullptr, 0);
    }
}
} // namespace
