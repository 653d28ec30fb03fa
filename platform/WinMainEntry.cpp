#include "platform/WinApi.h"

// Linux entry of both programs: the Windows entry point gets no instance handles and an empty command line,
// since the programs read no arguments.
int main()
{
    platform::openClosedStandardDescriptors();
    char emptyCommandLine[] = "";
    constexpr int kShowNormal = 1;
    return WinMain(nullptr, nullptr, emptyCommandLine, kShowNormal);
}
