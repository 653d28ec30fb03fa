#include "platform/WinApi.h"
#include "tool/BackgroundRating.h"
#include "tool/CImgDrawingWindow.h"
#include "tool/DrawingSession.h"
#include "tool/StartLibrary.h"
#include "tool/StopSignals.h"

#include <OgreLogManager.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace
{

constexpr int kRefused = 2;

constexpr const char* kUsage =
    "usage: pathsketch [FILE]\n"
    "       pathsketch --help\n"
    "\n"
    "Draw the trajectories that dunestride's runners follow: each stroke drawn with the left mouse button in the\n"
    "\"Draw Trajectory\" window is a timed path, kept or dropped at its end, named traj1, traj2, ...\n"
    "\n"
    "FILE   a library to continue: its trajectories are loaded, L reloads it, and the next kept drawing is named\n"
    "       after its highest trajN, so no loaded trajectory is replaced. A FILE that does not exist yet starts an\n"
    "       empty library to be saved under that name; one that cannot be read is refused (exit status 2).\n"
    "       The launchers open the game's own library1.xml.\n"
    "\n"
    "Keys in the window, while not drawing:\n"
    "  SPACE  save the library under a name typed at the console (type FILE to update it)\n"
    "  L      reload the last file saved, or FILE\n"
    "  P      preview the drawings at the speed they were drawn\n"
    "  G      preview the drawings at the game's speed\n"
    "  U      take back the last kept drawing\n"
    "  R      rate the library in memory: dunestride-rate plays it in the background, on a copy in a temporary\n"
    "         file, and its verdict comes on the console when it is ready; the window stays in use meanwhile\n"
    "  V      show or hide the guides: the outline of what the game's camera shows at the start (the notch marks\n"
    "         the top of the game's picture, which shows the drawing turned half a turn), the hero's start place\n"
    "         with the catch distance around it, and the drawings kept so far as faint lines. While they are\n"
    "         shown, each dot of a stroke takes the speed of the runner there against the hero's 25 units/s:\n"
    "         green slower than 20, yellow about as fast (20 to 30), red faster than 30\n"
    "  ESC    quit (then a key at the console's pause)\n";

constexpr const char* kKeysLine = "touches : SPACE enregistrer, L relire, P apercu, G apercu a la vitesse du jeu, "
                                  "U retirer le dernier dessin, V guides, R evaluer la difficulte, ESC quitter";

void attachConsole()
{
    AllocConsole();
    FILE* stream = nullptr;
    freopen_s(&stream, "CONIN$", "r", stdin);
    freopen_s(&stream, "CONOUT$", "w", stdout);
    freopen_s(&stream, "CONOUT$", "w", stderr);
    std::ios_base::sync_with_stdio(true);
}

/// What the command line asks for.
struct Request
{
    bool help = false;
    bool wrong = false;
    std::optional<std::string> libraryFile;
};

Request readRequest(const std::vector<std::string>& arguments)
{
    Request request;
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h"))
    {
        request.help = true;
    }
    else if (arguments.size() > 1 || (arguments.size() == 1 && arguments[0].rfind('-', 0) == 0))
    {
        request.wrong = true;
    }
    else if (arguments.size() == 1)
    {
        request.libraryFile = arguments[0];
    }
    return request;
}

/// Which limit refused the file, or a trajectory of it, in the reader's lines as L shows them.
void printRefusals(std::ostream& out, const std::vector<std::string>& refusals)
{
    for (const std::string& refusal : refusals)
    {
        out << refusal << std::endl;
    }
}

void printStartText(const DrawingSession& session, const std::string& fileName, const StartLibrary& start)
{
    if (start.state == StartLibrary::State::Read)
    {
        std::cout << "bibliotheque lue : " << fileName << " (" << session.getLibrary().count()
                  << " trajectoires) ; prochain dessin garde : " << session.nextKeptName() << std::endl;
        printRefusals(std::cout, start.refusals);
    }
    else
    {
        std::cout << "bibliotheque " << fileName << " absente : nouvelle bibliotheque vide" << std::endl;
    }
    std::cout << "pour l'enregistrer : SPACE puis " << fileName << " ; L la relit" << std::endl;
}

void drawUntilClosed(const std::optional<std::string>& libraryFile, StartLibrary start)
{
    std::unique_ptr<CImgDrawingWindow> window = CImgDrawingWindow::open();
    if (!window)
    {
        std::cout << "impossible d'ouvrir la fenetre Draw Trajectory" << std::endl;
        return;
    }
    DrawingSession session(*window, platform::sampleClockMilliseconds, std::cin, std::cout);
    std::error_code unknown;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe", unknown).string();
    // Declared after the session and gone before it: it waits for a rating that still runs.
    BackgroundRating rating(findRateCommand(self, DUNESTRIDE_BIN_FROM_PROGRAM, DUNESTRIDE_BUILT_RATE_COMMAND),
                            [](const std::string& verdict) { std::cout << verdict << std::flush; });
    session.setRater(&rating);
    // A stop signal ends the program from its own thread: the rating must not outlive it.
    setStopTidyUp([&rating] { rating.stop(); });
    std::cout << kKeysLine << std::endl;
    if (libraryFile)
    {
        session.continueLibrary(*libraryFile, std::move(start.library), start.leftOut);
        printStartText(session, *libraryFile, start);
    }
    session.run();
    setStopTidyUp({});
}

} // namespace

int WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    attachConsole();
    const Request request = readRequest(platform::commandLineArguments());
    if (request.help || request.wrong)
    {
        (request.help ? std::cout : std::cerr) << kUsage;
        return request.help ? 0 : kRefused;
    }
    // Before any thread starts, so that every thread leaves these signals to the one that tidies up.
    takeStopSignals();
    // The library logs through the engine's log manager; without a log attached its lines go nowhere.
    auto logManager = std::make_unique<Ogre::LogManager>();
    StartLibrary start;
    if (request.libraryFile)
    {
        start = readStartLibrary(*request.libraryFile);
        if (start.state == StartLibrary::State::Unreadable)
        {
            std::cerr << "pathsketch : impossible de lire la bibliotheque " << *request.libraryFile
                      << " (fichier illisible ou pas une bibliotheque de trajectoires) ; rien n'est ouvert"
                      << std::endl;
            printRefusals(std::cerr, start.refusals);
            return kRefused;
        }
    }
    drawUntilClosed(request.libraryFile, std::move(start));
    logManager.reset();
    return platform::runSystemCommand("pause");
}
