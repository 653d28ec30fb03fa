#include "tool/BackgroundRating.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace
{
constexpr const char* kCommandName = "dunestride-rate";
constexpr const char* kLibraryFileName = "library.xml";
constexpr const char* kInMemoryName = "library in memory";
constexpr const char* kDefaultPath = "/bin:/usr/bin";
constexpr int kNotRun = 127; // as a shell reports a command it could not run

bool isExecutableFile(const std::string& path)
{
    struct stat status
    {
    };
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

/// The program that command names: itself when it holds a slash, else the first executable of that name in a
/// folder of PATH; empty when there is none. Looked up before forking, so that the child only has to exec.
std::string findProgram(const std::string& command)
{
    if (command.find('/') != std::string::npos)
        return command;
    const char* path = std::getenv("PATH");
    const std::string folders = path != nullptr ? path : kDefaultPath;
    for (std::size_t start = 0; start <= folders.size();)
    {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + command;
        if (isExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return {};
}

/// The child's side: the output into the pipe, the console's input left to the author, the signals pathsketch
/// takes on its own thread unblocked again, and an end with its parent's thread. Only async-signal-safe calls.
[[noreturn]] void execRater(const std::string& program, char* const* arguments, int output, pid_t parent)
{
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent)
        ::_exit(kNotRun); // the parent went before the line above
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    const int input = ::open("/dev/null", O_RDONLY);
    if (input < 0 || ::dup2(input, STDIN_FILENO) < 0 || ::dup2(output, STDOUT_FILENO) < 0 ||
        ::dup2(output, STDERR_FILENO) < 0)
        ::_exit(kNotRun);
    ::execv(program.c_str(), arguments);
    ::_exit(kNotRun);
}

/// Starts the command on the file with its standard output and error into a pipe; the read end, or -1.
int startCommand(const std::string& command, const std::string& file, pid_t& child)
{
    const std::string program = findProgram(command);
    int ends[2];
    if (program.empty() || ::pipe2(ends, O_CLOEXEC) != 0)
        return -1;
    std::vector<char*> arguments = {const_cast<char*>(command.c_str()), const_cast<char*>(file.c_str()), nullptr};
    const pid_t parent = ::getpid();
    child = ::fork();
    if (child == 0)
        execRater(program, arguments.data(), ends[1], parent);
    ::close(ends[1]);
    if (child < 0)
    {
        ::close(ends[0]);
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
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

/// Waits until the child has ended, leaving it to be reaped: while it is not, its number cannot name another
/// process, and stop() may still signal it.
void waitUntilEnded(pid_t child)
{
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR)
    {
    }
}

/// The exit status of the ended child, which it reaps; -1 when it did not exit by itself.
int reap(pid_t child)
{
    int status = 0;
    while (::waitpid(child, &status, 0) < 0)
    {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

/// Makes a fresh folder for the copy; empty, with the reason in why, when there is no temporary folder to make it
/// in (TMPDIR naming nothing, or something else than a folder).
std::string makeFolder(std::string& why)
{
    std::error_code error;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    if (error)
    {
        const char* named = std::getenv("TMPDIR");
        why = (named != nullptr ? "TMPDIR=\"" + std::string(named) + "\" : " : std::string()) + error.message();
        return {};
    }
    std::string pattern = (temporary / "pathsketch-rate-XXXXXX").string();
    if (::mkdtemp(&pattern[0]) == nullptr)
    {
        why = temporary.string() + " : " + std::generic_category().message(errno);
        return {};
    }
    return pattern;
}
} // namespace

BackgroundRating::BackgroundRating(std::string rateCommand, Report whenDone, std::chrono::milliseconds grace)
    : command(std::move(rateCommand)), report(std::move(whenDone)), stopGrace(grace)
{
}

BackgroundRating::~BackgroundRating()
{
    stop();
    if (waiter.joinable())
        waiter.join();
}

bool BackgroundRating::isBusy() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return running;
}

void BackgroundRating::stop()
{
    std::unique_lock<std::mutex> lock(mutex);
    stopped = true;
    if (child > 0)
    {
        ::kill(child, SIGTERM);
        if (!childEnded.wait_for(lock, stopGrace, [this] { return child <= 0; }))
            ::kill(child, SIGKILL);
    }
    removeFolder();
}

void BackgroundRating::removeFolder()
{
    if (folder.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    folder.clear();
}

void BackgroundRating::rate(const KelTrajectoryLibrary& library)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (running || stopped)
            return;
    }
    if (waiter.joinable())
        waiter.join(); // the last rating's thread, done
    std::string failure;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (stopped)
            return;
        std::string why;
        folder = makeFolder(why);
        const std::string file = (std::filesystem::path(folder) / kLibraryFileName).string();
        if (folder.empty())
        {
            failure = "evaluation impossible : pas de dossier temporaire ou copier la bibliotheque (" + why + ")\n";
        }
        else if (!library.outPutToFile(file))
        {
            removeFolder();
            failure = "evaluation impossible : la bibliotheque n'a pas pu etre ecrite dans un fichier temporaire\n";
        }
        else
        {
            running = true;
            waiter = std::thread([this, file] { rateFile(file); });
        }
    }
    if (!failure.empty())
        report(failure);
}

void BackgroundRating::rateFile(const std::string& file)
{
    pid_t started = -1;
    int output = -1;
    {
        // Started under the lock, so that stop() finds the command as soon as it exists, or keeps it from starting.
        std::lock_guard<std::mutex> lock(mutex);
        if (!stopped)
            output = startCommand(command, file, started);
        child = output >= 0 ? started : -1;
    }
    std::string text;
    if (output < 0)
    {
        text = "evaluation impossible : " + command + " n'a pas pu etre lance\n";
    }
    else
    {
        text = readAll(output);
        ::close(output);
        waitUntilEnded(started);
        {
            std::lock_guard<std::mutex> lock(mutex);
            child = -1;
        }
        childEnded.notify_all();
        const int status = reap(started);
        if (status == kNotRun || status < 0)
            text += "evaluation impossible : " + command + " a echoue\n";
    }
    // The copy's name means nothing to the author.
    const std::string inMemory = kInMemoryName;
    for (std::size_t at = text.find(file); at != std::string::npos; at = text.find(file, at + inMemory.size()))
        text.replace(at, file.size(), inMemory);
    bool wasStopped = false;
    {
        std::lock_guard<std::mutex> lock(mutex);
        removeFolder();
        wasStopped = stopped;
    }
    if (!wasStopped)
        report(text);
    std::lock_guard<std::mutex> lock(mutex);
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
