#include "game/rating/RateCommand.h"

#include <sstream>

namespace
{
template <typename Number>
bool readNumber(const std::string& text, Number& number)
{
    std::istringstream in(text);
    return static_cast<bool>(in >> number) && (in >> std::ws).eof();
}

bool readGames(const std::string& text, int& games)
{
    return readNumber(text, games) && games > 0 && games <= kMaxRatingGames;
}

const std::string kGamesRange = "not a number of games from 1 to " + std::to_string(kMaxRatingGames);

/// Reads the value of an option into the rating's options; says what is wrong with it otherwise.
bool readOption(const std::string& option, const std::string& value, RatingOptions& rating, std::string& mistake)
{
    bool understood = true;
    std::string expected = "not understood";
    if (option == "--games")
    {
        understood = readGames(value, rating.games);
        expected = kGamesRange;
    }
    else if (option == "--seed")
        understood = readNumber(value, rating.seed);
    else if (option == "--workers")
        understood = readNumber(value, rating.workers) && rating.workers > 0 && rating.workers <= 64;
    else if (option == "--media")
        rating.media = value;
    else
    {
        understood = false;
        expected = "no such option";
    }
    if (!understood)
        mistake = option + " " + value + ": " + expected;
    return understood;
}
} // namespace

bool parseRateCommand(const std::vector<std::string>& arguments, const char* gamesFromEnvironment, RateCommand& command,
                      std::string& mistake)
{
    bool gamesGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i)
    {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h")
        {
            command.help = true;
            continue;
        }
        if (argument.rfind('-', 0) != 0)
        {
            if (!command.libraryName.empty())
            {
                mistake = "one library at a time: " + command.libraryName + " and " + argument;
                return false;
            }
            command.libraryName = argument;
            continue;
        }
        if (i + 1 >= arguments.size())
        {
            mistake = argument + " without a value";
            return false;
        }
        gamesGiven = gamesGiven || argument == "--games";
        if (!readOption(argument, arguments[++i], command.rating, mistake))
            return false;
    }
    // A quicker default, for instance for pathsketch's R, which runs this command without options.
    const bool fromEnvironment = gamesFromEnvironment != nullptr && *gamesFromEnvironment != '\0';
    if (!gamesGiven && !command.help && fromEnvironment && !readGames(gamesFromEnvironment, command.rating.games))
    {
        mistake = std::string("DUNESTRIDE_RATE_GAMES=") + gamesFromEnvironment + ": " + kGamesRange;
        return false;
    }
    return true;
}
