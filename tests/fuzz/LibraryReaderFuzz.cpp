// Fuzz target for the trajectory library reader (libFuzzer). For every input:
// - the parse forecast finds the element depth and element count of the document TinyXML builds from it
//   (unless it foresees one of the parser's assertions, which would end the process);
// - read as a library file into a library holding one trajectory: a refused file leaves the library exactly as
//   it was; an accepted one saves, reads back with the same names and keys, and saves to the same bytes.

#include "TinyXmlForecast.h"
#include "support/Markup.h"
#include "trajectory/KelTrajectoryLibrary.h"

#include <OgreLogManager.h>
#include <tinyxml.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

namespace
{

std::string workFolder;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "library reader fuzz: %s\n", what);
    std::abort();
}

void checkForecastAgainstParser(const std::string& text)
{
    const std::string padded = padForTinyXml(text);
    const TinyXmlForecast forecast =
        forecastTinyXmlParse(padded.c_str(), TinyXmlLimits{~std::size_t(0), ~std::size_t(0)});
    if (forecast.assertion)
        return;
    TiXmlDocument document;
    document.Parse(padded.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    const ElementTree tree = elementTreeIn(document);
    if (tree.deepest != forecast.deepestElement)
        fail("the forecast depth differs from the parser's");
    if (tree.elements != forecast.elements)
        fail("the forecast element count differs from the parser's");
}

std::string readBytes(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool sameTrajectories(const KelTrajectoryLibrary& a, const KelTrajectoryLibrary& b)
{
    if (a.count() != b.count())
        return false;
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j)
    {
        const std::vector<PositionKey>& keysA = i->second.getTrackPos();
        const std::vector<PositionKey>& keysB = j->second.getTrackPos();
        if (i->first != j->first || i->second.getName() != i->first || j->second.getName() != j->first ||
            keysA.size() != keysB.size() ||
            (!keysA.empty() && std::memcmp(keysA.data(), keysB.data(), keysA.size() * sizeof(PositionKey)) != 0) ||
            i->second.getTrackYaw().size() != j->second.getTrackYaw().size())
            return false;
    }
    return true;
}

void checkRoundTrip(const std::string& text)
{
    const std::string input = workFolder + "/input.xml";
    const std::string first = workFolder + "/first.xml";
    const std::string second = workFolder + "/second.xml";
    std::ofstream(input, std::ios::binary | std::ios::trunc) << text;

    KelTrajectoryLibrary library;
    Trajectory sentinel;
    sentinel.addPositionKey({1.5f, -2.0f, 7});
    sentinel.setName("sentinel");
    library.addTrajectory(sentinel);
    const KelTrajectoryLibrary before = library;

    if (!library.parseFileForTraj(input))
    {
        if (!sameTrajectories(library, before))
            fail("a refused file changed the library");
        return;
    }
    if (!library.outPutToFile(first))
        fail("an accepted library could not be saved");
    KelTrajectoryLibrary reread;
    if (!reread.parseFileForTraj(first))
        fail("a saved library could not be read back");
    if (!sameTrajectories(library, reread))
        fail("a saved library read back with other names or keys");
    if (!reread.outPutToFile(second) || readBytes(first) != readBytes(second))
        fail("a library read back saved to other bytes");
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
        fail("no work folder");
    workFolder = pattern;
    std::atexit([] { std::filesystem::remove_all(workFolder); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkForecastAgainstParser(text);
    checkRoundTrip(text);
    return 0;
}
