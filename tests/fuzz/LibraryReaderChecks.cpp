#include "LibraryReaderChecks.h"

#include "TinyXmlForecast.h"
#include "support/Markup.h"
#include "trajectory/DrawingFrame.h"
#include "trajectory/FileContents.h"
#include "trajectory/KelTrajectoryLibrary.h"
#include "trajectory/PlacedTrack.h"

#include <tinyxml.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>

namespace
{

std::string readBytes(const std::string& fileName)
{
    std::string bytes;
    readFileContents(fileName, std::numeric_limits<std::size_t>::max() - 1, bytes);
    return bytes;
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

// The game centres every trajectory, then turns a runner's path by a multiple of 24 degrees and shifts it by up
// to 20 pixels either way; the diagonals are where a turn lengthens a coordinate most.
bool placedPositionsAreFinite(KelTrajectoryLibrary library)
{
    library.translateAll(-DrawingFrame::kCentreX, -DrawingFrame::kCentreY);
    const float angles[] = {0, 24, 45, 48, 72, 96, 120, 135, 144, 168, 192, 216, 225, 240, 264, 288, 312, 315, 336};
    const float shifts[] = {-20, 0, 20};
    for (const auto& named : library)
    {
        const std::vector<PositionKey>& keys = named.second.getTrackPos();
        for (float angle : angles)
        {
            for (float shift : shifts)
            {
                PlacedTrack track(named.second, angle, shift, -shift);
                for (std::size_t k = 0; k < keys.size(); ++k)
                {
                    const double next = k + 1 < keys.size() ? keys[k + 1].time : keys[k].time + 1;
                    for (double t : {keys[k].time, keys[k].time + (next - keys[k].time) / 3})
                    {
                        float x = 0, y = 0;
                        track.positionAt(t, x, y);
                        if (!std::isfinite(x) || !std::isfinite(y))
                            return false;
                    }
                }
            }
        }
    }
    return true;
}

} // namespace

std::string checkForecastAgainstParser(const std::string& text)
{
    const std::string padded = padForTinyXml(text);
    const TinyXmlForecast forecast =
        forecastTinyXmlParse(padded.c_str(), TinyXmlLimits{~std::size_t(0), ~std::size_t(0)});
    if (forecast.assertion)
        return "";
    TiXmlDocument document;
    document.Parse(padded.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    const ElementTree tree = elementTreeIn(document);
    if (tree.deepest != forecast.deepestElement)
        return "the forecast depth differs from the parser's";
    if (tree.elements != forecast.elements)
        return "the forecast element count differs from the parser's";
    return "";
}

std::string checkLibraryRead(const std::string& text, const std::string& workFolder)
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
        return sameTrajectories(library, before) ? "" : "a refused file changed the library";
    if (!placedPositionsAreFinite(library))
        return "an accepted trajectory has a position that is not finite once turned and shifted";
    if (!library.outPutToFile(first))
        return "an accepted library could not be saved";
    KelTrajectoryLibrary reread;
    if (!reread.parseFileForTraj(first))
        return "a saved library could not be read back";
    if (!sameTrajectories(library, reread))
        return "a saved library read back with other names or keys";
    if (!reread.outPutToFile(second) || readBytes(first) != readBytes(second))
        return "a library read back saved to other bytes";
    return "";
}
