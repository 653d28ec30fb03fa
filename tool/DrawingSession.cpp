#include "tool/DrawingSession.h"

#include "GuideLayout.h"
#include "TrajectoryPreview.h"
#include "platform/WinApi.h"
#include "tool/DrawingWindow.h"
#include "tool/SampleTime.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <climits>
#include <filesystem>
#include <istream>
#include <ostream>
#include <utility>

namespace
{

constexpr const wchar_t* kKeepQuestion = L"dessin fini.Voulez-vous le garder";
constexpr const wchar_t* kKeepCaption = L"info";
constexpr const char* kFileNamePrompt = "choisissez le nom du fichier ou enregistrer la bibliotheque";
constexpr const char* kKeptNamePrefix = "traj";

// Row 0 of the window never gives a sample: a stroke that reaches it ends.
constexpr int kFirstSampledRow = 1;

/// True in the first pass that finds the key held; remembers the key's state for the next pass.
bool newlyHeld(bool held, bool& wasHeld)
{
    const bool pressed = held && !wasHeld;
    wasHeld = held;
    return pressed;
}

std::optional<Trajectory> findTrajectory(const KelTrajectoryLibrary& library, const std::string& name)
{
    for (const auto& [storedName, trajectory] : library)
    {
        if (storedName == name)
        {
            return trajectory;
        }
    }
    return std::nullopt;
}

// The library offers no removal: rebuild it from the others.
KelTrajectoryLibrary withoutTrajectory(const KelTrajectoryLibrary& library, const std::string& name)
{
    KelTrajectoryLibrary rest;
    for (const auto& [storedName, trajectory] : library)
    {
        if (storedName != name)
        {
            rest.addTrajectory(trajectory);
        }
    }
    return rest;
}

/// N for a name "trajN" with N in decimal digits only, 0 for other names. Numbers too large to count on from
/// are 0 too: the names made from the counter never reach them.
int keptNumberOf(const std::string& name)
{
    const std::string prefix = kKeptNamePrefix;
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
    {
        return 0;
    }
    long long number = 0;
    for (std::size_t at = prefix.size(); at < name.size(); ++at)
    {
        if (name[at] < '0' || name[at] > '9')
        {
            return 0;
        }
        number = number * 10 + (name[at] - '0');
        if (number >= INT_MAX)
        {
            return 0;
        }
    }
    return static_cast<int>(number);
}

/// The rest of the console line, without the white space around it.
std::string readRestOfLine(std::istream& in)
{
    std::string rest;
    std::getline(in, rest);
    constexpr const char* kWhiteSpace = " \t\r\n\v\f";
    const std::size_t first = rest.find_first_not_of(kWhiteSpace);
    if (first == std::string::npos)
    {
        return {};
    }
    return rest.substr(first, rest.find_last_not_of(kWhiteSpace) - first + 1);
}

} // namespace

DrawingSession::DrawingSession(DrawingWindow& drawingWindow, Clock sampleClock, std::istream& in, std::ostream& out)
    : window(drawingWindow), clock(std::move(sampleClock)), consoleIn(in), consoleOut(out), sampleStartTime(clock())
{
}

void DrawingSession::continueLibrary(const std::string& fileName, KelTrajectoryLibrary loaded,
                                     const std::vector<std::string>& leftOut)
{
    library = std::move(loaded);
    libraryFileName = fileName;
    keptDrawings.clear();
    keptCounter = 0;
    for (const auto& entry : library)
    {
        keptCounter = std::max(keptCounter, keptNumberOf(entry.first));
    }
    for (const std::string& name : leftOut)
    {
        keptCounter = std::max(keptCounter, keptNumberOf(name));
    }
    rememberLeftOut(fileName, leftOut);
}

void DrawingSession::rememberLeftOut(const std::string& fileName, const std::vector<std::string>& leftOut)
{
    partlyReadFile = leftOut.empty() ? std::string() : fileName;
    leftOutOfFile = leftOut;
}

std::string DrawingSession::nextKeptName() const
{
    return kKeptNamePrefix + std::to_string(keptCounter + 1);
}

void DrawingSession::run()
{
    while (!window.isClosed())
    {
        runPass();
    }
}

void DrawingSession::runPass()
{
    window.waitForEvent();
    const int x = window.pointerX();
    const int y = window.pointerY();
    const Presses presses = readPresses();
    if (state == State::Idle)
    {
        handleIdle(x, y, presses);
    }
    // Not else: the pass whose press starts a stroke already draws: its first sample (or, on the top row, the end).
    if (state == State::Drawing)
    {
        handleDrawing(x, y);
    }
}

DrawingSession::Presses DrawingSession::readPresses()
{
    // Read in every pass, strokes included, so that a key held since a stroke does not count as a new press.
    Presses presses;
    presses.undo = newlyHeld(window.isUHeld(), undoHeld);
    presses.previewAsDrawn = newlyHeld(window.isPHeld(), previewAsDrawnHeld);
    presses.previewAtGameSpeed = newlyHeld(window.isGHeld(), previewAtGameSpeedHeld);
    presses.guides = newlyHeld(window.isVHeld(), guidesHeld);
    presses.rate = newlyHeld(window.isRHeld(), rateHeld);
    return presses;
}

void DrawingSession::handleIdle(int x, int y, const Presses& presses)
{
    startStrokeOnPress(x, y);
    closeOnEscape();
    reloadOnL();
    saveOnSpace();
    // Not in the pass that starts a stroke or closes the window.
    if (state == State::Idle && !window.isClosed())
    {
        undoOnPress(presses.undo);
        toggleGuidesOnPress(presses.guides);
        rateOnPress(presses.rate);
        previewOnPress(presses);
    }
}

void DrawingSession::startStrokeOnPress(int x, int y)
{
    if (window.buttons() == DrawingWindow::kLeftButton && x >= 0 && y >= 0)
    {
        state = State::Drawing;
        sampleStartTime = clock();
        workingTrajectory.clear();
    }
}

void DrawingSession::closeOnEscape()
{
    if (window.isEscapeHeld() && !window.isClosed())
    {
        window.close();
    }
}

void DrawingSession::reloadOnL()
{
    if (!window.isLHeld() || libraryFileName.empty())
    {
        return;
    }
    // Read into a fresh library so that a failed read leaves the drawings in memory as they were.
    KelTrajectoryLibrary reloaded;
    std::vector<std::string> refusals;
    std::vector<std::string> leftOut;
    if (reloaded.parseFileForTraj(libraryFileName, refusals, leftOut))
    {
        library = std::move(reloaded);
        rememberLeftOut(libraryFileName, leftOut);
        // The drawings kept before are no longer in memory; undo starts over from the file's content.
        keptDrawings.clear();
        if (guidesShown)
        {
            clearWindow();
        }
    }
    else
    {
        consoleOut << "echec de la lecture du fichier " << libraryFileName << std::endl;
    }
    // Which limit refused the file, or a trajectory of it.
    for (const std::string& refusal : refusals)
    {
        consoleOut << refusal << std::endl;
    }
}

void DrawingSession::saveOnSpace()
{
    if (!window.isSpaceHeld())
    {
        return;
    }
    consoleOut << kFileNamePrompt << std::endl;
    std::string fileName;
    if (!(consoleIn >> fileName))
    {
        consoleOut << "aucun nom de fichier lu : bibliotheque non enregistree" << std::endl;
        return;
    }
    // A name is one word. The rest of the line goes, or it would answer the next prompt unasked.
    const std::string ignored = readRestOfLine(consoleIn);
    libraryFileName = fileName;
    consoleOut << "nom Fichier : " << libraryFileName << std::endl;
    if (!ignored.empty())
    {
        consoleOut << "suite de la ligne ignoree : " << ignored << std::endl;
    }
    const bool overPartlyReadFile = isPartlyReadFile(libraryFileName);
    if (overPartlyReadFile && !confirmSaveOverPartlyReadFile(libraryFileName))
    {
        consoleOut << "bibliotheque non enregistree : " << libraryFileName << " garde ses trajectoires" << std::endl;
        return;
    }
    if (!library.outPutToFile(libraryFileName))
    {
        consoleOut << "echec de l'enregistrement du fichier " << libraryFileName << std::endl;
    }
    else if (overPartlyReadFile)
    {
        rememberLeftOut({}, {});
    }
}

bool DrawingSession::isPartlyReadFile(const std::string& fileName) const
{
    if (partlyReadFile.empty())
    {
        return false;
    }
    std::error_code unknown;
    return fileName == partlyReadFile || std::filesystem::equivalent(fileName, partlyReadFile, unknown);
}

bool DrawingSession::confirmSaveOverPartlyReadFile(const std::string& fileName)
{
    constexpr std::size_t kNamesShown = 5;
    consoleOut << "attention : " << leftOutOfFile.size() << " trajectoire(s) de " << fileName
               << " laissee(s) de cote a la lecture (";
    for (std::size_t i = 0; i < leftOutOfFile.size() && i < kNamesShown; ++i)
    {
        consoleOut << (i > 0 ? ", " : "") << leftOutOfFile[i];
    }
    consoleOut << (leftOutOfFile.size() > kNamesShown ? ", ..." : "")
               << ") : enregistrer ici les efface du fichier. Enregistrer quand meme ? (o/n)" << std::endl;
    std::string answer;
    if (!(consoleIn >> answer))
    {
        return false;
    }
    readRestOfLine(consoleIn);
    std::transform(answer.begin(), answer.end(), answer.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return answer == "o" || answer == "oui" || answer == "y" || answer == "yes";
}

void DrawingSession::undoOnPress(bool pressed)
{
    if (!pressed)
    {
        return;
    }
    if (keptDrawings.empty())
    {
        consoleOut << "aucun dessin garde a retirer" << std::endl;
        return;
    }
    const KeptDrawing last = std::move(keptDrawings.back());
    keptDrawings.pop_back();
    assert(last.name == kKeptNamePrefix + std::to_string(keptCounter));
    library = withoutTrajectory(library, last.name);
    consoleOut << "dessin retire : " << last.name << std::endl;
    if (last.replaced)
    {
        library.addTrajectory(*last.replaced);
        consoleOut << last.name << " du fichier relu est remis" << std::endl;
    }
    --keptCounter;
    if (guidesShown)
    {
        clearWindow();
    }
}

void DrawingSession::previewOnPress(const Presses& presses)
{
    if (presses.previewAsDrawn)
    {
        TrajectoryPreview(window, clock, consoleOut).play(library, TrajectoryPreview::kAsDrawn);
    }
    else if (presses.previewAtGameSpeed)
    {
        TrajectoryPreview(window, clock, consoleOut).play(library, TrajectoryPreview::kGameSpeed);
    }
}

void DrawingSession::toggleGuidesOnPress(bool pressed)
{
    if (pressed)
    {
        guidesShown = !guidesShown;
        clearWindow();
    }
}

void DrawingSession::rateOnPress(bool pressed)
{
    if (!pressed || rater == nullptr)
    {
        return;
    }
    if (rater->isBusy())
    {
        consoleOut << "une evaluation est deja en cours" << std::endl;
        return;
    }
    // Announced before it starts: the verdict comes from another thread.
    consoleOut << "evaluation de la bibliotheque en memoire (" << library.count() << " trajectoires) lancee"
               << std::endl;
    rater->rate(library);
}

void DrawingSession::clearWindow()
{
    window.setGuides(guidesShown ? guidesFor(library) : Guides());
    window.clearImage();
}

void DrawingSession::handleDrawing(int x, int y)
{
    if (window.buttons() == DrawingWindow::kLeftButton && y >= kFirstSampledRow)
    {
        takeSample(x, y);
    }
    else
    {
        endStroke();
    }
}

void DrawingSession::takeSample(int x, int y)
{
    // A white dot is shown before the clock is read, as it always was; a coloured one needs the sample's time.
    if (!guidesShown)
    {
        window.lightPixel(x, y, DotInk::White);
    }
    const double time = elapsedSampleTime(sampleStartTime, clock());
    workingTrajectory.addPositionKey({static_cast<float>(x), static_cast<float>(y), time});
    if (guidesShown)
    {
        window.lightPixel(x, y, inkOfLatestSample());
    }
}

DotInk DrawingSession::inkOfLatestSample() const
{
    // Samples come with growing times, so the latest is the last key; the first of a stroke has no speed yet.
    const std::vector<PositionKey>& keys = workingTrajectory.getTrackPos();
    if (keys.size() < 2)
    {
        return DotInk::White;
    }
    return speedInk(runnerSpeed(keys[keys.size() - 2], keys.back()));
}

void DrawingSession::endStroke()
{
    const int answer = MessageBoxW(nullptr, kKeepQuestion, kKeepCaption, MB_YESNO);
    if (answer == IDNO)
    {
        workingTrajectory.clear();
    }
    else if (answer == IDYES)
    {
        keepStroke();
    }
    // After keeping, so that the guides show the drawing just kept.
    clearWindow();
    state = State::Idle;
}

void DrawingSession::keepStroke()
{
    const std::string name = nextKeptName();
    ++keptCounter;
    keptDrawings.push_back({name, findTrajectory(library, name)});
    workingTrajectory.setName(name);
    library.addTrajectory(workingTrajectory);
}
