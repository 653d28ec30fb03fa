// Fuzz target for the trajectory library reader (libFuzzer): every input goes through the checks of
// LibraryReaderChecks.h, and the first that fails stops the run.

#include "LibraryReaderChecks.h"

#include <OgreLogManager.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace
{

std::string workFolder;

void failOn(const std::string& problem)
{
    if (problem.empty())
        return;
    std::fprintf(stderr, "library reader fuzz: %s\n", problem.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The library logs through the engine's log manager: one without a file.
    static std::unique_ptr<Ogre::LogManager> logManager = std::make_unique<Ogre::LogManager>();
    logManager->createLog("fuzz", true, false, true);
    const char* shm = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(shm) + "/library-reader-fuzz-XXXXXX";
    if (!mkdtemp(&pattern[0]))
        failOn("no work folder");
    workFolder = pattern;
    std::atexit([] { std::filesystem::remove_all(workFolder); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    failOn(checkForecastAgainstParser(text));
    failOn(checkLibraryRead(text, workFolder));
    return 0;
}
