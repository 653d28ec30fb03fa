#include "tool/BackgroundRating.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace
{
constexpr const char* kCommandName = "dunestride-rate";
constexpr const char* kLibraryFileName = "library.xml";
constexpr const char* kInMemoryName = "library in memory";

/// Starts the command on the file with its standard output and error into a pipe; the read end, or -1.
int startCommand(const std::string& command, const std::string& file, pid_t& child)
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDERR_FILENO);
    // The console's input stays the author's.
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::vector<char*> arguments = {const_cast<char*>(command.c_str()), const_cast<char*>(file.c_str()), nullptr};
    const int failed = posix_spawnp(&child, command.c_str(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    if (failed != 0)
    {
        close(ends[0]);
        return -1;
    }
    return ends[0];
}

std::string readAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (;;)
    {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

int waitForExit(pid_t child)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
    {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string makeFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "pathsketch-rate-XXXXXX").string();
    return mkdtemp(&pattern[0]) != nullptr ? pattern : std::string();
}
} // namespace

BackgroundRating::BackgroundRating(std::string rateCommand, Report whenDone)
    : command(std::move(rateCommand)), report(std::move(whenDone))
{
}

BackgroundRating::~BackgroundRating()
{
    stopping = true;
    if (const pid_t pid = child; pid > 0)
        kill(pid, SIGTERM);
    if (waiter.joinable())
        waiter.join();
}

void BackgroundRating::rate(const KelTrajectoryLibrary& library)
{
    if (running)
        return;
    if (waiter.joinable())
        waiter.join(); // the last rating's thread, done
    std::error_code ignored;
    const std::string folder = makeFolder();
    const std::string file = (std::filesystem::path(folder) / kLibraryFileName).string();
    if (folder.empty() || !library.outPutToFile(file))
    {
        if (!folder.empty())
            std::filesystem::remove_all(folder, ignored);
        report("evaluation impossible : la bibliotheque n'a pas pu etre ecrite dans un fichier temporaire\n");
        return;
    }
    running = true;
    waiter = std::thread([this, folder, file] { rateFile(folder, file); });
}

void BackgroundRating::rateFile(const std::string& folder, const std::string& file)
{
    pid_t started = -1;
    const int output = startCommand(command, file, started);
    child = started;
    if (stopping && started > 0)
        kill(started, SIGTERM); // the destructor came before the child was known
    std::string text;
    if (output < 0)
    {
        text = "evaluation impossible : " + command + " n'a pas pu etre lance\n";
    }
    else
    {
        text = readAll(output);
        close(output);
        child = -1; // its output is over: it has ended or is about to, and is no longer to be stopped
        const int status = waitForExit(started);
        // 127: the spawned child found no such program.
        if (status == 127 || status < 0)
            text += "evaluation impossible : " + command + " a echoue\n";
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    // The copy's name means nothing to the author.
    const std::string inMemory = kInMemoryName;
    for (std::size_t at = text.find(file); at != std::string::npos; at = text.find(file, at + inMemory.size()))
        text.replace(at, file.size(), inMemory);
    if (!stopping)
        report(text);
    running = false;
}

std::string findRateCommand(const std::string& ownPath, const std::string& binFromProgramDir,
                            const std::string& builtCommand)
{
    const std::filesystem::path ownFolder = std::filesystem::path(ownPath).parent_path();
    std::error_code error;
    for (const std::filesystem::path& candidate :
         {ownFolder / kCommandName, ownFolder / binFromProgramDir / kCommandName, std::filesystem::path(builtCommand)})
    {
        if (!candidate.empty() && std::filesystem::is_regular_file(candidate, error) &&
            access(candidate.c_str(), X_OK) == 0)
            return candidate.lexically_normal().string();
    }
    return kCommandName;
}
