#include "platform/WinApi.h"

namespace
{

std::vector<std::string>& storedArguments()
{
    static std::vector<std::string> arguments;
    return arguments;
}

} // namespace

namespace platform
{

const std::vector<std::string>& commandLineArguments()
{
    return storedArguments();
}

void setCommandLineArguments(int argc, const char* const* argv)
{
    storedArguments().assign(argv + (argc > 0 ? 1 : 0), argv + argc);
}

} // namespace platform
