#include "tool/DrawingSession.h"

#include "TrajectoryPreview.h"
#include "platform/WinApi.h"
#include "tool/DrawingWindow.h"
#include "tool/SampleTime.h"

#include <cassert>
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
    if (reloaded.parseFileForTraj(libraryFileName, refusals))
    {
        library = std::move(reloaded);
        // The drawings kept before are no longer in memory; undo starts over from the file's content.
        keptDrawings.clear();
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
    if (!library.outPutToFile(libraryFileName))
    {
        consoleOut << "echec de l'enregistrement du fichier " << libraryFileName << std::endl;
    }
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
    window.lightPixel(x, y);
    const double time = elapsedSampleTime(sampleStartTime, clock());
    workingTrajectory.addPositionKey({static_cast<float>(x), static_cast<float>(y), time});
}

void DrawingSession::endStroke()
{
    const int answer = MessageBoxW(nullptr, kKeepQuestion, kKeepCaption, MB_YESNO);
    window.clearToBlack();
    if (answer == IDNO)
    {
        workingTrajectory.clear();
    }
    else if (answer == IDYES)
    {
        keepStroke();
    }
    state = State::Idle;
}

void DrawingSession::keepStroke()
{
    ++keptCounter;
    const std::string name = kKeptNamePrefix + std::to_string(keptCounter);
    keptDrawings.push_back({name, findTrajectory(library, name)});
    workingTrajectory.setName(name);
    library.addTrajectory(workingTrajectory);
}
