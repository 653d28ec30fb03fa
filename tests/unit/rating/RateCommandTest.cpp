#include "game/rating/RateCommand.h"

#include <gtest/gtest.h>

namespace
{
struct Parsed
{
    bool accepted;
    RateCommand command;
    std::string mistake;
};

Parsed parse(const std::vector<std::string>& arguments, const char* gamesFromEnvironment = nullptr)
{
    Parsed parsed;
    parsed.accepted = parseRateCommand(arguments, gamesFromEnvironment, parsed.command, parsed.mistake);
    return parsed;
}
} // namespace

TEST(RateCommand, TheCommandLineWinsOverTheEnvironmentAndAnEmptyVariableIsUnset)
{
    EXPECT_EQ(parse({}, "7").command.rating.games, 7);
    EXPECT_EQ(parse({"--games", "5"}, "7").command.rating.games, 5);
    const Parsed overridden = parse({"--games", "5", "lib.xml"}, "not a number");
    EXPECT_TRUE(overridden.accepted) << overridden.mistake;
    EXPECT_EQ(overridden.command.rating.games, 5);
    EXPECT_EQ(overridden.command.libraryName, "lib.xml");
    const Parsed help = parse({"--help"}, "-3");
    EXPECT_TRUE(help.accepted) << help.mistake;
    EXPECT_TRUE(help.command.help);
    const Parsed empty = parse({}, "");
    EXPECT_TRUE(empty.accepted) << empty.mistake;
    EXPECT_EQ(empty.command.rating.games, 40);
}

TEST(RateCommand, AnUnusableNumberOfGamesIsRefusedAndNamed)
{
    const Parsed fromEnvironment = parse({"lib.xml"}, "abc");
    EXPECT_FALSE(fromEnvironment.accepted);
    EXPECT_NE(fromEnvironment.mistake.find("DUNESTRIDE_RATE_GAMES"), std::string::npos) << fromEnvironment.mistake;
    EXPECT_NE(fromEnvironment.mistake.find("abc"), std::string::npos) << fromEnvironment.mistake;

    // The bound --help states; above it the seeded starts alone would ask for gigabytes.
    EXPECT_TRUE(parse({"--games", "10000"}).accepted);
    for (const char* games : {"10001", "2147483647", "99999999999", "0", "-1", "4x"})
    {
        const Parsed refused = parse({"--games", games});
        EXPECT_FALSE(refused.accepted) << games;
        EXPECT_NE(refused.mistake.find(std::string("--games ") + games), std::string::npos) << refused.mistake;
    }
    EXPECT_NE(parse({"--games"}).mistake.find("--games"), std::string::npos);
    EXPECT_NE(parse({"--colour", "red"}).mistake.find("--colour"), std::string::npos);
}
