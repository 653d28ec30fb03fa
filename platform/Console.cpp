#include "platform/WinApi.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdio_ext.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace
{

constexpr const char* kPausePrompt = "Appuyez sur une touche pour continuer...";

bool isConsoleDevice(const char* fileName)
{
    return std::strcmp(fileName, "CONIN$") == 0 || std::strcmp(fileName, "CONOUT$") == 0;
}

void waitForKey(int terminal)
{
    termios saved{};
    if (tcgetattr(terminal, &saved) != 0)
    {
        return;
    }
    termios raw = saved;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(terminal, TCSANOW, &raw);
    char key = 0;
    while (read(terminal, &key, 1) < 0 && errno == EINTR)
    {
    }
    tcsetattr(terminal, TCSANOW, &saved);
}

void waitForLine(FILE* in)
{
    int c = 0;
    do
    {
        c = std::getc(in);
    } while (c != '\n' && c != EOF);
}

int exitStatusOf(int systemResult)
{
    if (systemResult == -1 || !WIFEXITED(systemResult))
    {
        return -1;
    }
    return WEXITSTATUS(systemResult);
}

} // namespace

BOOL AllocConsole()
{
    return 1;
}

int freopen_s(FILE** stream, const char* fileName, const char* mode, FILE* oldStream)
{
    if (stream == nullptr || fileName == nullptr || mode == nullptr || oldStream == nullptr)
    {
        return EINVAL;
    }
    if (isConsoleDevice(fileName))
    {
        *stream = oldStream;
        return 0;
    }
    *stream = std::freopen(fileName, mode, oldStream);
    return *stream != nullptr ? 0 : errno;
}

namespace platform
{

void openClosedStandardDescriptors()
{
    constexpr int kStandardDescriptors = 3;
    for (int descriptor = 0; descriptor < kStandardDescriptors; ++descriptor)
    {
        if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF)
        {
            continue;
        }
        // open() takes the lowest free descriptor, and every lower one is open by now: it is this one.
        const int opened = open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != descriptor)
        {
            dup2(opened, descriptor);
            close(opened);
        }
    }
}

int pauseConsole(FILE* in, FILE* out)
{
    std::fputs(kPausePrompt, out);
    std::fflush(out);
    // Whatever earlier reads buffered (the rest of a typed line) was typed before the prompt.
    __fpurge(in);
    const int descriptor = fileno(in);
    if (descriptor >= 0 && isatty(descriptor))
    {
        waitForKey(descriptor);
    }
    else
    {
        waitForLine(in);
    }
    std::fputc('\n', out);
    std::fflush(out);
    return 0;
}

int runSystemCommand(const char* command)
{
    if (command != nullptr && std::strcmp(command, "pause") == 0)
    {
        return pauseConsole(stdin, stdout);
    }
    if (command == nullptr)
    {
        // Asks whether a command processor is there, as system(nullptr) does.
        return std::system(nullptr);
    }
    std::fflush(nullptr);
    return exitStatusOf(std::system(command));
}

} // namespace platform
