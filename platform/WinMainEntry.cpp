#include "platform/WinApi.h"

// Linux entry of both programs. The Windows entry point gets no instance handles; the arguments are kept where
// platform::commandLineArguments finds them, and the command line it is given stays empty.
int main(int argc, char** argv)
{
    platform::openClosedStandardDescriptors();
    platform::setCommandLineArguments(argc, argv);
    char emptyCommandLine[] = "";
    constexpr int kShowNormal = 1;
    return WinMain(nullptr, nullptr, emptyCommandLine, kShowNormal);
}
