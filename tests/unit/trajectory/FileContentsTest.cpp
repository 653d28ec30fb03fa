// Whole-file replacing and reading: what happens to links, special files and permissions.

#include "trajectory/FileContents.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

mode_t modeOf(const std::string& path)
{
    struct stat status
    {
    };
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status.st_mode;
}

std::size_t entriesIn(const std::string& folder)
{
    std::size_t count = 0;
    for (auto it = std::filesystem::directory_iterator(folder); it != std::filesystem::directory_iterator(); ++it)
        ++count;
    return count;
}

std::vector<std::string> entriesBesides(const std::string& folder, const std::string& name)
{
    std::vector<std::string> others;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
    {
        if (entry.path().filename() != name)
            others.push_back(entry.path().filename().string());
    }
    return others;
}

// A process that saves bytes to path over and over until it is killed.
pid_t startSavingForever(const std::string& path, const std::string& bytes)
{
    const pid_t saver = ::fork();
    if (saver == 0)
    {
        for (;;)
            replaceFileContents(path, bytes);
    }
    return saver;
}

// Stops the saver (SIGSTOP, or SIGKILL) at a moment when its temporary file exists; the saver stays stopped or
// is reaped. Returns that file's name.
std::string stopSaverMidway(pid_t saver, int signal, const std::string& folder, const std::string& name)
{
    for (int attempt = 0; attempt < 10000; ++attempt)
    {
        if (!entriesBesides(folder, name).empty())
        {
            ::kill(saver, signal);
            int status = 0;
            ::waitpid(saver, &status, signal == SIGSTOP ? WUNTRACED : 0);
            const std::vector<std::string> left = entriesBesides(folder, name);
            if (left.size() == 1)
                return left.front();
            if (signal != SIGSTOP)
                return "";
            ::kill(saver, SIGCONT); // renamed in between: try again
        }
        ::usleep(1000);
    }
    return "";
}

pid_t goneProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

} // namespace

TEST(ReplaceFileContents, SavesNamesUpToTheFileSystemsLimit)
{
    // The temporary file's name used to be the target's plus about 22 bytes: names from 233 bytes up failed.
    TempDir dir;
    for (std::size_t length : {232, 233, 240, 255})
    {
        const std::string name(length, 'n');
        ASSERT_TRUE(replaceFileContents(dir.file(name), "saved")) << length;
        EXPECT_EQ(TempDir::read(dir.file(name)), "saved");
    }
    EXPECT_EQ(entriesIn(dir.path), 4u) << "a temporary file was left behind";
}

TEST(ReplaceFileContents, RemovesTheTemporaryFilesOfKilledSaversButNotOfRunningOnes)
{
    TempDir dir;
    const std::string name = "library.xml";
    const std::string target = dir.write(name, "old");
    // Large enough that each save spends a while on its temporary file.
    const pid_t saver = startSavingForever(target, std::string(std::size_t(32) * 1024 * 1024, 'x'));
    ASSERT_GT(saver, 0);
    const std::string midway = stopSaverMidway(saver, SIGSTOP, dir.path, name);
    ASSERT_FALSE(midway.empty()) << "the saver was never caught with its temporary file";

    ASSERT_TRUE(replaceFileContents(target, "mine"));
    EXPECT_EQ(entriesBesides(dir.path, name), std::vector<std::string>{midway}) << "a running saver's file went";

    ::kill(saver, SIGKILL);
    ::waitpid(saver, nullptr, 0);
    // Temporary files as earlier versions named them, of a process that is gone and of one that runs.
    const std::string gone = std::to_string(goneProcess());
    dir.write(name + "." + gone + "-0-123456.tmp", "left");
    const std::string running = name + "." + std::to_string(::getpid()) + "-1-654321.tmp";
    dir.write(running, "in use");
    // Names a user may give that only look like a temporary file of the gone process: no writer made them.
    const std::string hashPrefix = midway.substr(0, midway.find('.', 1) + 1);
    std::vector<std::string> kept = {running,
                                     name + "." + gone + "-12-09.tmp",
                                     name + "." + gone + "-1-1000000000.tmp",
                                     name + ".0" + gone + "-1-1.tmp",
                                     name + "." + gone + "-1-2-3.tmp",
                                     hashPrefix + "0" + gone + ".0123abcd.tmp",
                                     hashPrefix + gone + ".0123ABCD.tmp",
                                     hashPrefix + gone + ".notes.0123abcd.tmp"};
    for (const std::string& notes : kept)
        dir.write(notes, "notes");
    ASSERT_TRUE(replaceFileContents(target, "after"));
    std::vector<std::string> left = entriesBesides(dir.path, name);
    std::sort(left.begin(), left.end());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(left, kept);
    EXPECT_EQ(TempDir::read(target), "after");
}

TEST(ReplaceFileContents, WritesThroughSymbolicLinksAndKeepsThem)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    const std::string target = dir.write("real/library.xml", "old");
    std::filesystem::create_symlink("real/library.xml", dir.file("hop"));
    std::filesystem::create_symlink(dir.file("hop"), dir.file("link.xml"));

    ASSERT_TRUE(replaceFileContents(dir.file("link.xml"), "new"));
    EXPECT_TRUE(S_ISLNK(modeOf(dir.file("link.xml"))));
    EXPECT_TRUE(S_ISLNK(modeOf(dir.file("hop"))));
    EXPECT_EQ(TempDir::read(target), "new");
    EXPECT_EQ(entriesIn(dir.file("real")), 1u) << "a temporary file was left beside the target";

    // A link to a file that does not exist yet creates that file.
    std::filesystem::create_symlink("real/fresh.xml", dir.file("dangling"));
    ASSERT_TRUE(replaceFileContents(dir.file("dangling"), "fresh"));
    EXPECT_EQ(TempDir::read(dir.file("real/fresh.xml")), "fresh");
    EXPECT_TRUE(S_ISLNK(modeOf(dir.file("dangling"))));
}

TEST(ReplaceFileContents, RefusesWhatIsNotARegularFileAndLeavesItAlone)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);
    std::filesystem::create_directory(dir.file("folder"));
    std::filesystem::create_symlink(dir.file("fifo"), dir.file("link-to-fifo"));
    std::filesystem::create_symlink("loop", dir.file("loop"));

    EXPECT_FALSE(replaceFileContents(dir.file("fifo"), "x"));
    EXPECT_FALSE(replaceFileContents(dir.file("link-to-fifo"), "x"));
    EXPECT_FALSE(replaceFileContents(dir.file("folder"), "x"));
    EXPECT_FALSE(replaceFileContents(dir.file("loop"), "x"));
    EXPECT_FALSE(replaceFileContents(dir.file("missing/lib.xml"), "x"));

    EXPECT_TRUE(S_ISFIFO(modeOf(dir.file("fifo"))));
    EXPECT_TRUE(S_ISLNK(modeOf(dir.file("link-to-fifo"))));
    EXPECT_TRUE(S_ISDIR(modeOf(dir.file("folder"))));
    EXPECT_EQ(entriesIn(dir.path), 4u) << "a temporary file was left behind";
}

TEST(ReplaceFileContents, KeepsTheOldPermissionsWithoutSetIdBits)
{
    TempDir dir;
    const std::string target = dir.write("library.xml", "old");
    ASSERT_EQ(::chmod(target.c_str(), 06750), 0);
    ASSERT_TRUE(replaceFileContents(target, "new"));
    EXPECT_EQ(modeOf(target) & 07777, 0750u);

    const mode_t previous = ::umask(027);
    const bool created = replaceFileContents(dir.file("fresh.xml"), "fresh");
    ::umask(previous);
    ASSERT_TRUE(created);
    EXPECT_EQ(modeOf(dir.file("fresh.xml")) & 07777, 0640u);
}

TEST(ReadFileContents, ReadsRegularFilesWholeAndRefusesEverythingElse)
{
    TempDir dir;
    std::string contents = "left over";
    ASSERT_TRUE(readFileContents(dir.write("small", std::string("a\0b", 3)), 3, contents));
    EXPECT_EQ(contents, std::string("a\0b", 3));
    ASSERT_TRUE(readFileContents(dir.write("empty", ""), 3, contents));
    EXPECT_EQ(contents, "");

    EXPECT_FALSE(readFileContents(dir.file("small"), 2, contents));
    EXPECT_EQ(contents, "");

    // Nothing writes to this FIFO: an open that waited for a writer would never return.
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);
    EXPECT_FALSE(readFileContents(dir.file("fifo"), 100, contents));
    EXPECT_FALSE(readFileContents(dir.path, 100, contents));
    EXPECT_FALSE(readFileContents("/dev/zero", 100, contents));
    EXPECT_FALSE(readFileContents(dir.file("missing"), 100, contents));

    // A sparse file larger than the limit is refused without being read.
    const int fd = ::open(dir.file("sparse").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t(600) * 1024 * 1024), 0);
    ::close(fd);
    EXPECT_FALSE(readFileContents(dir.file("sparse"), std::size_t(512) * 1024 * 1024, contents));
}
