// Peak memory of one library read, as a factor of the file's size.
// Usage: library_read_memory KIND MEGABYTES
//   KIND: library   a drawn library (200 trajectories of whole-number keys, as pathsketch writes them)
//         elements  empty elements "<a/>", the densest nodes a text can ask the parser for
//         unknowns  "<>" markup, two bytes a node
//         attributes elements with three one-letter attributes
// Writes the file to /tmp, reads it once with parseFileForTraj and prints the resident memory the read added
// at its peak (getrusage), in bytes and as a factor of the file's size.

#include "trajectory/KelTrajectoryLibrary.h"

#include <OgreLogManager.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace
{

constexpr std::size_t kMegabyte = 1024 * 1024;

std::size_t residentBytes()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<std::size_t>(resident) * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

std::size_t peakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}

// Writes about bytes of the given kind to fileName, a piece at a time.
bool writeFile(const std::string& kind, std::size_t bytes, const std::string& fileName)
{
    std::ofstream out(fileName, std::ios::binary);
    out << "<?xml version=\"1.0\" ?>\n<Trajectories>\n";
    std::size_t written = 0;
    if (kind == "library")
    {
        const std::size_t keysEach = bytes / 50 / 200;
        for (int t = 1; t <= 200; ++t)
        {
            out << "<Trajectory name=\"traj" << t << "\" >\n\t<TrackPos>\n";
            for (std::size_t k = 0; k < keysEach; ++k)
                out << "\t\t<Elem time=\"" << k * 16 << "\"  px=\"" << k % 500 << "\"  py=\"" << (k * 7) % 700
                    << "\" />\n";
            out << "</TrackPos><TrackYaw>\n</TrackYaw></Trajectory>\n";
        }
    }
    else
    {
        const std::string piece = kind == "elements"     ? "<a/>"
                                  : kind == "unknowns"   ? "<>"
                                  : kind == "attributes" ? "<a b='' c='' d=''/>"
                                                         : "";
        if (piece.empty())
            return false;
        for (; written < bytes; written += piece.size())
            out << piece;
    }
    out << "\n</Trajectories>\n";
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: %s library|elements|unknowns|attributes MEGABYTES\n", argv[0]);
        return 2;
    }
    const std::string kind = argv[1];
    const std::size_t bytes = std::strtoul(argv[2], nullptr, 10) * kMegabyte;
    const std::string fileName = "/tmp/library-read-memory-" + std::to_string(getpid()) + ".xml";
    if (!writeFile(kind, bytes, fileName))
        return 2;
    std::ifstream sized(fileName, std::ios::binary | std::ios::ate);
    const double fileBytes = static_cast<double>(sized.tellg());

    auto logManager = std::make_unique<Ogre::LogManager>();
    logManager->createLog("bench", true, false, true);
    const std::size_t before = residentBytes();
    KelTrajectoryLibrary library;
    const bool read = library.parseFileForTraj(fileName);
    const std::size_t peak = peakResidentBytes();
    std::remove(fileName.c_str());

    const double added = peak > before ? static_cast<double>(peak - before) : 0.0;
    std::printf("%s %.1f MiB: %s, %d trajectories, peak added %.0f MiB, %.1f x the file\n", kind.c_str(),
                fileBytes / kMegabyte, read ? "read" : "refused", library.count(), added / kMegabyte,
                added / fileBytes);
    return 0;
}
