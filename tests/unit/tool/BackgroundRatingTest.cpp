// The background rating's process: where its copy goes, how it is stopped, and that nothing of it outlives
// pathsketch. The rater is a small shell script standing in for dunestride-rate.

#include "tool/BackgroundRating.h"

#include "support/TempDir.h"
#include "support/TemporaryFolderSetting.h"
#include "support/TestTrajectories.h"
#include "tool/StopSignals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

/// A stand-in rater that writes the copy's path to "ready", notes each SIGTERM in "mark" (and ends on it when
/// endsOnTerm), and ends by itself after about ten seconds, noting "outlived": a rater nobody stopped. "ended"
/// appears once the mark of its end is written.
std::string writeRater(const TempDir& dir, bool endsOnTerm)
{
    const std::string mark = "\"" + dir.file("mark") + "\"";
    const std::string ended = "\"" + dir.file("ended") + "\"";
    const std::string ready = "\"" + dir.file("ready") + "\"";
    const std::string script =
        dir.write("rater.sh", "#!/bin/sh\n"
                              "trap 'echo term >> " +
                                  mark + (endsOnTerm ? "; touch " + ended + "; exit 0" : std::string()) +
                                  "' TERM\n"
                                  "echo \"$1\" > " +
                                  ready + ".tmp && mv " + ready + ".tmp " + ready + "\n" +
                                  "i=0\n"
                                  "while [ $i -lt 200 ]; do sleep 0.05; i=$((i + 1)); done\n"
                                  "echo outlived >> " +
                                  mark + "; touch " + ended + "\n");
    ::chmod(script.c_str(), 0755);
    return script;
}

/// Waits for a file the rater writes; a rater that never comes fails the test after a minute.
bool waitForFile(const std::string& path)
{
    for (int attempt = 0; attempt < 6000 && !std::filesystem::exists(path); ++attempt)
        ::usleep(10'000);
    return std::filesystem::exists(path);
}

std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

KelTrajectoryLibrary oneTrajectory()
{
    KelTrajectoryLibrary library;
    library.addTrajectory(trajectoryOf("traj1", {{10, 20, 0}, {30, 40, 16}}));
    return library;
}

struct Reports
{
    std::mutex mutex;
    std::vector<std::string> texts;
    BackgroundRating::Report collect()
    {
        return [this](const std::string& text)
        {
            std::lock_guard<std::mutex> lock(mutex);
            texts.push_back(text);
        };
    }
};

} // namespace

TEST(BackgroundRating, WithoutATemporaryFolderSaysWhyAndStartsNothing)
{
    TempDir dir;
    const std::string rater = writeRater(dir, true);
    const std::string regularFile = dir.write("a-file", "");
    for (const std::string& tmpdir : {dir.file("missing"), std::string(), regularFile})
    {
        TemporaryFolderSetting setting(tmpdir);
        Reports reports;
        BackgroundRating rating(rater, reports.collect());
        rating.rate(oneTrajectory());
        EXPECT_FALSE(rating.isBusy());
        ASSERT_EQ(reports.texts.size(), 1u) << tmpdir;
        const std::string said = reports.texts[0];
        EXPECT_EQ(said.rfind("evaluation impossible : pas de dossier temporaire ou copier la bibliotheque (TMPDIR=\"" +
                                 tmpdir + "\" : ",
                             0),
                  0u)
            << said;
        EXPECT_EQ(said.substr(said.size() - 2), ")\n") << said;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("ready"))) << "a rater started";
}

TEST(BackgroundRating, StopGivesTheRaterSigtermAndTimeToTidyUpThenEndsItAnyway)
{
    for (const bool endsOnTerm : {true, false})
    {
        TempDir dir;
        Reports reports;
        BackgroundRating rating(writeRater(dir, endsOnTerm), reports.collect(), std::chrono::milliseconds(2000));
        rating.rate(oneTrajectory());
        ASSERT_TRUE(waitForFile(dir.file("ready"))) << "the rater never started";
        const std::string copy = firstLine(TempDir::read(dir.file("ready")));
        ASSERT_TRUE(std::filesystem::exists(copy));

        rating.stop();
        // A rater that takes SIGTERM to tidy up has done so when stop returns; one that goes on is ended.
        EXPECT_EQ(TempDir::read(dir.file("mark")), "term\n") << endsOnTerm;
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(copy).parent_path())) << "the copy's folder stayed";
        EXPECT_TRUE(reports.texts.empty());
    }
}

TEST(BackgroundRating, TheRaterEndsWithTheProgramThatStartedIt)
{
    TempDir dir;
    const std::string rater = writeRater(dir, true);
    // The program is killed before it can remove its copy: let it land in the test's folder.
    const TemporaryFolderSetting setting(dir.path);
    const pid_t program = ::fork();
    ASSERT_GE(program, 0);
    if (program == 0)
    {
        // Killed as it were: no destructor, no tidy-up of its own.
        BackgroundRating rating(rater, [](const std::string&) {});
        rating.rate(oneTrajectory());
        waitForFile(dir.file("ready"));
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(program, &status, 0);
    ASSERT_TRUE(waitForFile(dir.file("ended")));
    // Written once the script has ended, by the trap or by running out.
    EXPECT_EQ(TempDir::read(dir.file("mark")), "term\n") << "the rater outlived its program";
}

TEST(StopSignals, EachEndsTheProgramByItselfAfterTheTidyUp)
{
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
    {
        EXPECT_EXIT(
            {
                takeStopSignals();
                setStopTidyUp([] { std::fputs("tidied up\n", stderr); });
                ::kill(::getpid(), signal);
                for (;;)
                    ::pause();
            },
            ::testing::KilledBySignal(signal), "tidied up")
            << signal;
    }
}
