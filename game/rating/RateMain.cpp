// dunestride-rate: how hard a trajectory library is, in a verdict a person reads at a glance.

#include "game/logic/JeuTotal.h"
#include "game/rating/LibraryCheck.h"
#include "game/rating/LibraryRating.h"
#include "game/rating/RateCommand.h"
#include "game/rating/RatingVerdict.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>

namespace
{
constexpr int kVerdictPrinted = 0;
constexpr int kLibraryRefused = 1;
constexpr int kUsageMistake = 2;
constexpr int kCannotPlay = 3;
constexpr int kRatingFailed = 4;

const char* const kUsage =
    "usage: dunestride-rate [--games N] [--seed S] [--workers N] [--media DIR] [LIBRARY]\n"
    "       dunestride-rate --help\n"
    "\n"
    "Plays seeded games of dunestride on a trajectory library, without a window, and prints how hard it is: how long\n"
    "a player standing still lasts, whether holding one key wins, and how the family of screen-limited bots (its\n"
    "median variant) fares reacting in 0.25 s and instantly, each against the target of a fair library, then a\n"
    "grade: trivial, easy, fair, hard or unfair.\n"
    "\n"
    "LIBRARY        the library file (default: the game's library1.xml)\n"
    "  --games N    games per way of playing, 1 to 10000 (default 40, or DUNESTRIDE_RATE_GAMES when it is set)\n"
    "  --seed S     seed of the games' start values (default 1)\n"
    "  --workers N  processes playing at once (default 2); the verdict does not depend on it\n"
    "  --media DIR  the game data (default: the installed or built game's)\n"
    "\n"
    "Exit status: 0 verdict printed, 1 library refused by the game or empty, 2 wrong arguments, 3 the game data\n"
    "could not be loaded, 4 the rating failed otherwise (the message says why). Stopped by SIGTERM, SIGHUP or\n"
    "SIGINT, it stops its workers, removes their temporary folders and ends by that signal.\n";

/// The player's folder, where the installed game's launchers keep the library the game plays.
std::filesystem::path playerFolder()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && *dataHome != '\0')
        return std::filesystem::path(dataHome) / "dunestride";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "") / ".local/share/dunestride";
}

/// The game's data and library: an installed program's (found from where the program is), the player's library
/// first; else the build's run folder.
void findGame(RateCommand& options)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path installedShare = self.parent_path() / DUNESTRIDE_SHARE_FROM_PROGRAM;
    const bool installed = !error && std::filesystem::is_directory(installedShare / "media", error);
    if (options.rating.media.empty())
        options.rating.media = installed ? (installedShare / "media").string() : DUNESTRIDE_MEDIA_DIR;
    if (!options.libraryName.empty())
        return;
    const std::filesystem::path playersLibrary = playerFolder() / Sarna::JeuTotal::kLibraryFile;
    if (!installed)
        options.libraryName = std::string(DUNESTRIDE_RUN_DIR "/") + Sarna::JeuTotal::kLibraryFile;
    else if (std::filesystem::exists(playersLibrary, error))
        options.libraryName = playersLibrary.string();
    else
        options.libraryName = (installedShare / Sarna::JeuTotal::kLibraryFile).string();
}

/// On a terminal, a line rewritten in place as games end; nothing otherwise.
RatingProgress progressLine()
{
    if (!isatty(STDOUT_FILENO))
        return nullptr;
    return [](int played, int total)
    {
        std::printf("\rplaying %d/%d games...", played, total);
        if (played == total)
            std::printf("\r%*s\r", 40, "");
        std::fflush(stdout);
    };
}

/// Whether the library is one the game plays; says why not.
bool playable(const std::string& libraryName, RatingOptions& rating)
{
    const LibraryCheck check = checkLibrary(libraryName);
    switch (check.verdict)
    {
    case LibraryCheck::Verdict::Refused:
        std::cout << libraryName << ": refused, the game would not read it: " << check.reason << std::endl;
        return false;
    case LibraryCheck::Verdict::Empty:
        std::cout << libraryName
                  << ": empty, no trajectory: the game would say \"TAILLE LIBRARY TRAJECTOIRES = 0!\" and end"
                  << std::endl;
        return false;
    case LibraryCheck::Verdict::Playable:
        break;
    }
    rating.trajectoryCount = check.trajectoryCount;
    return true;
}
int failed(const std::string& reason, int status)
{
    std::cerr << "dunestride-rate: " << reason << std::endl;
    return status;
}

/// Prints the verdict; a verdict that could not be written all the way (a full disk, a closed pipe) is a failure.
int printVerdict(const std::string& verdict)
{
    std::fputs(verdict.c_str(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout) || std::fclose(stdout) != 0)
        return failed(std::string("the verdict could not be written: ") + std::strerror(errno), kRatingFailed);
    return kVerdictPrinted;
}
} // namespace

int main(int argc, char** argv)
{
    RateCommand options;
    std::string mistake;
    if (!parseRateCommand({argv + 1, argv + argc}, std::getenv("DUNESTRIDE_RATE_GAMES"), options, mistake))
    {
        std::cerr << "dunestride-rate: " << mistake << "\n\n" << kUsage;
        return kUsageMistake;
    }
    if (options.help)
    {
        std::cout << kUsage;
        return kVerdictPrinted;
    }
    findGame(options);
    RatingOptions& rating = options.rating;
    if (!playable(options.libraryName, rating))
        return kLibraryRefused;
    std::error_code error;
    rating.library = std::filesystem::absolute(options.libraryName, error).string();
    if (error)
        return failed(options.libraryName + ": " + error.message(), kRatingFailed);
    rating.media = std::filesystem::absolute(rating.media, error).string();
    if (error || !std::filesystem::is_directory(rating.media, error))
        return failed("no game data in " + rating.media, kCannotPlay);
    RatingFailure failure;
    const auto figures = rateLibrary(rating, progressLine(), failure);
    if (failure.stopSignal != 0)
    {
        // Everything of the rating is gone: end as the signal would have ended this process.
        std::signal(failure.stopSignal, SIG_DFL);
        std::raise(failure.stopSignal);
    }
    if (!figures)
        return failed(failure.reason, failure.gameDataNotLoaded ? kCannotPlay : kRatingFailed);
    return printVerdict(verdictText(options.libraryName, rating.trajectoryCount, *figures));
}
