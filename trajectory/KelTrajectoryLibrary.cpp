#include "trajectory/KelTrajectoryLibrary.h"

#include "trajectory/LibraryFileFormat.h"

#include <OgreLogManager.h>
#include <tinyxml.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

const char* const kLoadFailed = "impossible de LoadFile. erreur lors parsing fichier xml";
const char* const kNotALibrary = "impossible de lire correctement le xml. erreur lors parsing fichier xml";
const char* const kParseException = "erreur lors parsing fichier xml";
const char* const kWriteFailed = "[KelTrajectoryLibrary::outPutToFile] lors parsing fichier xml";

void logLine(const std::string& line)
{
    if (Ogre::LogManager* logManager = Ogre::LogManager::getSingletonPtr())
        logManager->logMessage(line, Ogre::LML_NORMAL, false);
}

// Reads a whole file, refusing ones too large to be a library. False when it cannot be read.
bool readSmallFile(const std::string& fileName, std::string& contents)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::size_t>(size) > LibraryFileFormat::kMaxFileBytes)
        return false;
    in.seekg(0, std::ios::beg);
    contents.resize(static_cast<std::size_t>(size));
    in.read(&contents[0], size);
    contents.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
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

// The XML parser recurses once per nesting level and overflows the stack on deeply nested input, so the text
// is measured first and handed to it only when its nesting is plausible.
bool loadDocument(TiXmlDocument& document, const std::string& fileName)
{
    std::string text;
    if (!readSmallFile(fileName, text))
        return false;
    if (LibraryFileFormat::nestingDepth(text, LibraryFileFormat::kMaxNestingDepth) >
        LibraryFileFormat::kMaxNestingDepth)
        return false;
    normaliseLineEnds(text);
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

// Creates a file beside target for the new contents, with the permissions the target has or would get.
int createSiblingTempFile(const std::string& target, std::string& tempName)
{
    tempName = target + ".XXXXXX";
    int fd = mkstemp(&tempName[0]);
    if (fd < 0)
        return -1;
    struct stat existing;
    mode_t mode;
    if (stat(target.c_str(), &existing) == 0)
    {
        mode = existing.st_mode & 07777;
    }
    else
    {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    fchmod(fd, mode);
    return fd;
}

bool writeAll(int fd, const std::string& data)
{
    const char* next = data.data();
    std::size_t left = data.size();
    while (left > 0)
    {
        ssize_t written = ::write(fd, next, left);
        if (written < 0)
        {
            if (errno == EINTR)
                continue;
            return false;
        }
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

bool KelTrajectoryLibrary::parseFileForTraj(const std::string& fileName)
{
    logLine(fileName + " : lecture du fichier dans [KelTrajectoryLibrary::parseFileForTraj]");
    try
    {
        std::unique_ptr<TiXmlDocument> document(new TiXmlDocument(fileName.c_str()));
        if (!loadDocument(*document, fileName))
        {
            logLine(kLoadFailed);
            return false;
        }
        const TiXmlElement* root = document->FirstChildElement("Trajectories");
        if (!root)
        {
            logLine(kNotALibrary);
            return false;
        }
        for (const TiXmlElement* element = root->FirstChildElement("Trajectory"); element;
             element = element->NextSiblingElement("Trajectory"))
        {
            const char* nameText = element->Attribute("name");
            std::string name = nameText ? nameText : "";
            Trajectory trajectory = readTrajectory(*element);
            if (trajectory.getTrackPos().empty() || name.empty())
                continue;
            logLine(name + " : Ajout d'une trajectoire");
            trajectory.setName(name);
            trajectories[name] = std::move(trajectory);
        }
        return true;
    }
    catch (...)
    {
        logLine(kParseException);
        return false;
    }
}

bool KelTrajectoryLibrary::outPutToFile(const std::string& fileName) const
{
    std::string tempName;
    int fd = createSiblingTempFile(fileName, tempName);
    if (fd < 0)
    {
        logLine(kWriteFailed);
        return false;
    }

    bool written = writeAll(fd, LibraryFileFormat::kHeader);
    for (auto it = trajectories.begin(); written && it != trajectories.end(); ++it)
        written = writeAll(fd, LibraryFileFormat::formatTrajectory(it->second));
    written = written && writeAll(fd, LibraryFileFormat::kFooter);
    written = written && ::fsync(fd) == 0;
    written = (::close(fd) == 0) && written;

    // Only a completely written file takes the place of the old one.
    if (!written || std::rename(tempName.c_str(), fileName.c_str()) != 0)
    {
        std::remove(tempName.c_str());
        logLine(kWriteFailed);
        return false;
    }
    return true;
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

void KelTrajectoryLibrary::addTrajectory(const Trajectory& trajectory)
{
    trajectories[trajectory.getName()] = trajectory;
}
