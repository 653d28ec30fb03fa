// Every file of the fuzz corpus (the seeds and every input that once found a fault) through the fuzz target's
// checks, so that they run in every build and not only in a fuzzing run.

#include "LibraryReaderChecks.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(FuzzCorpus, EveryInputPassesTheFuzzChecks)
{
    LogCapture log;
    TempDir dir;
    std::size_t inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(FUZZ_CORPUS_DIR))
    {
        const std::string text = TempDir::read(entry.path().string());
        // The fuzz run cuts its inputs to the same length, and so must this: the parser recurses unguarded.
        EXPECT_EQ(checkForecastAgainstParser(text.substr(0, kFuzzMaxInputBytes)), "") << entry.path();
        EXPECT_EQ(checkLibraryRead(text, dir.path), "") << entry.path();
        ++inputs;
    }
    EXPECT_GE(inputs, 11u) << "the corpus was not found";
}
