#include "trajectory/KelTrajectoryLibrary.h"

#include "LibraryFileFormat.h"
#include "TinyXmlForecast.h"
#include "trajectory/FileContents.h"

#include <OgreLogManager.h>
#include <tinyxml.h>

#include <exception>
#include <iterator>
#include <memory>
#include <sys/stat.h>

namespace
{

const char* const kLoadFailed = "impossible de LoadFile. erreur lors parsing fichier xml";
const char* const kNotALibrary = "impossible de lire correctement le xml. erreur lors parsing fichier xml";
const char* const kParseException = "erreur lors parsing fichier xml";
const char* const kWriteFailed = "[KelTrajectoryLibrary::outPutToFile] lors parsing fichier xml";

// Takes the line's characters rather than a string, so that even making the string happens under the guard.
void logLine(const char* line)
{
    try
    {
        if (Ogre::LogManager* logManager = Ogre::LogManager::getSingletonPtr())
            logManager->logMessage(line, Ogre::LML_NORMAL, false);
    }
    catch (...)
    {
        // Out of memory for the log line itself: the result still tells the caller.
    }
}

void logLine(const std::string& line)
{
    logLine(line.c_str());
}

// Line ends become line feeds, as the XML parser's own file loading makes them.
void normaliseLineEnds(std::string& text)
{
    std::size_t out = 0;
    for (std::size_t in = 0; in < text.size(); ++in)
    {
        if (text[in] == '\r')
        {
            text[out++] = '\n';
            if (in + 1 < text.size() && text[in + 1] == '\n')
                ++in;
        }
        else
        {
            text[out++] = text[in];
        }
    }
    text.resize(out);
}

// The file is read whole by us rather than by the parser, so that a FIFO or a device is refused without
// blocking, and the text is handed to the parser only once it is known not to exhaust the stack, the memory
// or the time the parser would take over it.
bool loadDocument(TiXmlDocument& document, const std::string& fileName, std::string& refusal)
{
    std::string text;
    if (!readFileContents(fileName, LibraryFileFormat::kMaxFileBytes, text))
    {
        struct stat status
        {
        };
        if (::stat(fileName.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            static_cast<std::size_t>(status.st_size) > LibraryFileFormat::kMaxFileBytes)
            refusal = LibraryFileFormat::fileSizeRefusal(static_cast<std::size_t>(status.st_size));
        return false;
    }
    normaliseLineEnds(text);
    const std::size_t textBytes = text.size();
    text = padForTinyXml(std::move(text));
    if (!LibraryFileFormat::parserCanTake(text.c_str(), textBytes, refusal))
        return false;
    // Line and column tracking off: nothing reports them, the forecast does not follow the tracker, and TinyXML
    // 2.6.2's tracker loops for ever on some UTF-8 lead bytes at the end of a text unless its distribution
    // mended that.
    document.SetTabSize(0);
    document.Parse(text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    return !document.Error();
}

Trajectory readTrajectory(const TiXmlElement& element)
{
    Trajectory trajectory;
    const TiXmlElement* track = element.FirstChildElement("TrackPos");
    if (!track)
        return trajectory;
    std::vector<PositionKey> keys;
    for (const TiXmlElement* elem = track->FirstChildElement("Elem"); elem; elem = elem->NextSiblingElement("Elem"))
    {
        float time = LibraryFileFormat::parseNumber(elem->Attribute("time"));
        float px = LibraryFileFormat::parseNumber(elem->Attribute("px"));
        float py = LibraryFileFormat::parseNumber(elem->Attribute("py"));
        keys.push_back(PositionKey{px, py, static_cast<double>(time)});
    }
    trajectory.addPositionKeys(keys);
    return trajectory;
}

} // namespace

bool KelTrajectoryLibrary::parseFileForTraj(const std::string& fileName)
{
    std::vector<std::string> refusals;
    return parseFileForTraj(fileName, refusals);
}

bool KelTrajectoryLibrary::parseFileForTraj(const std::string& fileName, std::vector<std::string>& refusals)
{
    std::vector<std::string> leftOut;
    return parseFileForTraj(fileName, refusals, leftOut);
}

bool KelTrajectoryLibrary::parseFileForTraj(const std::string& fileName, std::vector<std::string>& refusals,
                                            std::vector<std::string>& leftOut)
{
    refusals.clear();
    leftOut.clear();
    const auto refuse = [&refusals](std::string line)
    {
        logLine(line);
        refusals.push_back(std::move(line));
    };
    try
    {
        logLine(fileName + " : lecture du fichier dans [KelTrajectoryLibrary::parseFileForTraj]");
        std::unique_ptr<TiXmlDocument> document(new TiXmlDocument(fileName.c_str()));
        std::string refusal;
        if (!loadDocument(*document, fileName, refusal))
        {
            logLine(kLoadFailed);
            if (!refusal.empty())
                refuse(refusal);
            return false;
        }
        const TiXmlElement* root = document->FirstChildElement("Trajectories");
        if (!root)
        {
            logLine(kNotALibrary);
            return false;
        }
        // The file's trajectories are collected apart and join the library only once all have been read.
        TrajectoryMap fromFile;
        for (const TiXmlElement* element = root->FirstChildElement("Trajectory"); element;
             element = element->NextSiblingElement("Trajectory"))
        {
            const char* nameText = element->Attribute("name");
            // A name is kept as the UTF-8 text the writer will give it back as.
            const std::string name = LibraryFileFormat::asUtf8(nameText ? nameText : "");
            Trajectory trajectory = readTrajectory(*element);
            if (trajectory.getTrackPos().empty() || name.empty())
                continue;
            const float largest = LibraryFileFormat::largestCoordinate(trajectory.getTrackPos());
            if (!(largest <= LibraryFileFormat::kMaxCoordinate))
            {
                refuse(LibraryFileFormat::coordinateRefusal(name, largest));
                leftOut.push_back(name);
                continue;
            }
            logLine(name + " : Ajout d'une trajectoire");
            trajectory.setName(name);
            fromFile[name] = std::move(trajectory);
        }
        document.reset();
        mergeWithoutAllocating(fromFile);
        return true;
    }
    catch (...)
    {
        logLine(kParseException);
        return false;
    }
}

void KelTrajectoryLibrary::mergeWithoutAllocating(TrajectoryMap& fromFile)
{
    // Swapping and splicing nodes cannot fail, so once started the merge always completes.
    for (auto& entry : fromFile)
    {
        auto existing = trajectories.find(entry.first);
        if (existing != trajectories.end())
            std::swap(existing->second, entry.second);
    }
    trajectories.merge(fromFile);
}

bool KelTrajectoryLibrary::outPutToFile(const std::string& fileName) const
{
    try
    {
        std::string text = LibraryFileFormat::kHeader;
        for (const auto& entry : trajectories)
            LibraryFileFormat::appendTrajectory(text, entry.second);
        text += LibraryFileFormat::kFooter;
        if (replaceFileContents(fileName, text))
            return true;
    }
    catch (const std::exception&)
    {
        // Too large to be built in memory: the save fails like any other.
    }
    logLine(kWriteFailed);
    return false;
}

Trajectory KelTrajectoryLibrary::getTraj(int index) const
{
    if (trajectories.empty() || index < 0)
    {
        logLine("KelTrajectoryLibrary::getTraj est vide, ou i<0");
        return Trajectory();
    }
    if (index >= count())
    {
        logLine("KelTrajectoryLibrary::getTraj. i trop grand.");
        return std::prev(trajectories.end())->second;
    }
    return std::next(trajectories.begin(), index)->second;
}

void KelTrajectoryLibrary::translateAll(float dx, float dy)
{
    for (auto& named : trajectories)
        named.second.translatePositions(dx, dy);
}

void KelTrajectoryLibrary::addTrajectory(const Trajectory& trajectory)
{
    trajectories[trajectory.getName()] = trajectory;
}
