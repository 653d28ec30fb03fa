// Preloaded into a program (LD_PRELOAD) to record the moment of every buffer swap from outside: each call of
// glXSwapBuffers is passed on to the real one, then one line with the CLOCK_MONOTONIC time in nanoseconds is
// appended to the file named by FRAME_SWAP_LOG. Appending lets a driver script add marker lines of its own to
// the same file while the program runs.

#include <GL/glx.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace
{
using SwapBuffers = void (*)(Display*, GLXDrawable);

int openLog()
{
    const char* path = std::getenv("FRAME_SWAP_LOG");
    if (path == nullptr)
        return -1;
    return open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
}

void recordSwap(int log)
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    char line[32];
    const int length =
        std::snprintf(line, sizeof line, "%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    // One write per line: O_APPEND keeps lines whole beside the driver's markers.
    if (write(log, line, static_cast<size_t>(length)) != length)
        std::perror("frame swap log");
}
} // namespace

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    static const auto realSwap = reinterpret_cast<SwapBuffers>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    static const int log = openLog();
    realSwap(display, drawable);
    if (log >= 0)
        recordSwap(log);
}
