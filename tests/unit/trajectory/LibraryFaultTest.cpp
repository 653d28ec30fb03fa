// The library under faults that only a replaced C++ allocator and C library can bring about: memory running out
// at any point of a read, and what a save does to the process-wide umask. This file replaces operator new and
// umask for its whole test program, so it is built as a program of its own.

#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "trajectory/KelTrajectoryLibrary.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <new>
#include <sys/stat.h>

namespace
{

// Allocations left before one fails (once); negative while no failure is armed.
std::atomic<long> allocationsBeforeFailure{-1};
std::atomic<int> umaskCalls{0};

void* allocate(std::size_t size)
{
    const long left = allocationsBeforeFailure.load();
    if (left >= 0)
        allocationsBeforeFailure = left - 1;
    if (left == 0)
        throw std::bad_alloc();
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size)
{
    return allocate(size);
}
void* operator new[](std::size_t size)
{
    return allocate(size);
}
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

extern "C" mode_t umask(mode_t mask)
{
    ++umaskCalls;
    using Umask = mode_t (*)(mode_t);
    static const Umask realUmask = reinterpret_cast<Umask>(dlsym(RTLD_NEXT, "umask"));
    return realUmask(mask);
}

namespace
{

Trajectory named(const std::string& name, float px)
{
    Trajectory trajectory;
    trajectory.addPositionKey({px, 1, 0});
    trajectory.addPositionKey({px, 2, 16});
    trajectory.setName(name);
    return trajectory;
}

std::vector<std::string> namesOf(const KelTrajectoryLibrary& library)
{
    std::vector<std::string> names;
    for (const auto& entry : library)
        names.push_back(entry.first);
    return names;
}

} // namespace

TEST(LibraryUnderFaults, AReadAddsAllOfAFileOrNothingWhereverMemoryRunsOut)
{
    LogCapture log;
    TempDir dir;
    KelTrajectoryLibrary onDisk;
    for (int i = 1; i <= 5; ++i)
        onDisk.addTrajectory(named("traj" + std::to_string(i), float(10 * i)));
    ASSERT_TRUE(onDisk.outPutToFile(dir.file("five.xml")));

    const std::string fileName = dir.file("five.xml");
    bool sawFailure = false;
    bool sawSuccess = false;
    for (long failAt = 0; !sawSuccess; ++failAt)
    {
        KelTrajectoryLibrary library;
        library.addTrajectory(named("traj3", 99)); // a file's trajectory of the same name replaces it
        library.addTrajectory(named("kept", 1));

        allocationsBeforeFailure = failAt;
        const bool read = library.parseFileForTraj(fileName);
        allocationsBeforeFailure = -1;

        SCOPED_TRACE("allocation " + std::to_string(failAt) + " fails");
        if (read)
        {
            sawSuccess = true;
            EXPECT_EQ(namesOf(library),
                      (std::vector<std::string>{"kept", "traj1", "traj2", "traj3", "traj4", "traj5"}));
            EXPECT_EQ(library.getTraj(3).getTrackPos().at(0).px, 30);
        }
        else
        {
            sawFailure = true;
            ASSERT_EQ(namesOf(library), (std::vector<std::string>{"kept", "traj3"}));
            EXPECT_EQ(library.getTraj(1).getTrackPos().at(0).px, 99);
        }
    }
    EXPECT_TRUE(sawFailure);
}

TEST(LibraryUnderFaults, ASaveLeavesTheProcessUmaskAlone)
{
    // Another thread creating files while a save runs must get the umask the process set.
    LogCapture log;
    TempDir dir;
    KelTrajectoryLibrary library;
    library.addTrajectory(named("traj1", 1));
    umaskCalls = 0;
    ASSERT_TRUE(library.outPutToFile(dir.file("new.xml")));
    ASSERT_TRUE(library.outPutToFile(dir.file("new.xml")));
    EXPECT_EQ(umaskCalls.load(), 0);
}
