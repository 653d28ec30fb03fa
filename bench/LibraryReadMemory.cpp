// Peak memory of one library read, as a factor of the file's size.
// Usage: library_read_memory KIND MEGABYTES
//   KIND: library   a drawn library (200 trajectories of whole-number keys, as pathsketch writes them)
//         elements  empty elements "<a/>", the densest nodes a text can ask the parser for
//         unknowns  "<>" markup, two bytes a node
//         attributes elements with three one-letter attributes
// Writes the file to a scratch directory, reads it once with parseFileForTraj and prints the resident memory the
// read added at its peak, in bytes and as a factor of the file's size.

#include "support/ResidentMemory.h"
#include "support/TempDir.h"
#include "support/TestTrajectories.h"
#include "trajectory/KelTrajectoryLibrary.h"

#include <OgreLogManager.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

constexpr std::size_t kMegabyte = 1024 * 1024;

constexpr int kLibraryTrajectories = 200;
constexpr std::size_t kLibraryBytesPerKey = 50;

// A drawn library of about bytes, saved by the library's own writer in a process of its own: the memory that
// takes must not count as this process's peak.
bool writeLibrary(std::size_t bytes, const std::string& fileName)
{
    const pid_t writer = fork();
    if (writer == 0)
    {
        const int keysEach = static_cast<int>(bytes / kLibraryBytesPerKey / kLibraryTrajectories);
        KelTrajectoryLibrary library;
        for (int t = 1; t <= kLibraryTrajectories; ++t)
        {
            Trajectory trajectory;
            trajectory.addPositionKeys(sweepingKeys(keysEach));
            trajectory.setName("traj" + std::to_string(t));
            library.addTrajectory(trajectory);
        }
        _exit(library.outPutToFile(fileName) ? 0 : 1);
    }
    int status = 0;
    return writer > 0 && waitpid(writer, &status, 0) == writer && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Writes about bytes of markup of the given kind under a root element, a piece at a time.
bool writeMarkup(const std::string& kind, std::size_t bytes, const std::string& fileName)
{
    const std::string piece = kind == "elements"     ? "<a/>"
                              : kind == "unknowns"   ? "<>"
                              : kind == "attributes" ? "<a b='' c='' d=''/>"
                                                     : "";
    if (piece.empty())
        return false;
    std::ofstream out(fileName, std::ios::binary);
    out << "<Trajectories>\n";
    for (std::size_t written = 0; written < bytes; written += piece.size())
        out << piece;
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
    const TempDir dir;
    const std::string fileName = dir.file("library-read-memory.xml");
    if (!(kind == "library" ? writeLibrary(bytes, fileName) : writeMarkup(kind, bytes, fileName)))
        return 2;
    std::ifstream sized(fileName, std::ios::binary | std::ios::ate);
    const double fileBytes = static_cast<double>(sized.tellg());

    auto logManager = std::make_unique<Ogre::LogManager>();
    logManager->createLog("bench", true, false, true);
    const std::size_t before = residentMemory().now;
    KelTrajectoryLibrary library;
    const bool read = library.parseFileForTraj(fileName);
    const std::size_t peak = residentMemory().peak;

    const double added = peak > before ? static_cast<double>(peak - before) : 0.0;
    std::printf("%s %.1f MiB: %s, %d trajectories, peak added %.0f MiB, %.1f x the file\n", kind.c_str(),
                fileBytes / kMegabyte, read ? "read" : "refused", library.count(), added / kMegabyte,
                added / fileBytes);
    return 0;
}
