#include "support/ResidentMemory.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace
{
// "VmRSS:     123456 kB"
bool readKibField(const std::string& line, const char* field, std::size_t& bytes)
{
    const std::string prefix = std::string(field) + ":";
    if (line.compare(0, prefix.size(), prefix) != 0)
        return false;
    bytes = std::strtoull(line.c_str() + prefix.size(), nullptr, 10) * 1024;
    return true;
}
} // namespace

ResidentMemory residentMemory()
{
    ResidentMemory memory;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
    {
        if (!readKibField(line, "VmRSS", memory.now))
            readKibField(line, "VmHWM", memory.peak);
    }
    return memory;
}
