#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace
{

// A read stream over a pipe that already holds the given input and is closed for writing.
FILE* inputHolding(const std::string& input)
{
    int ends[2];
    if (pipe(ends) != 0)
    {
        return nullptr;
    }
    const ssize_t written = write(ends[1], input.data(), input.size());
    close(ends[1]);
    if (written != static_cast<ssize_t>(input.size()))
    {
        close(ends[0]);
        return nullptr;
    }
    return fdopen(ends[0], "r");
}

std::string contentsOf(FILE* file)
{
    std::rewind(file);
    std::string contents;
    for (int c = std::getc(file); c != EOF; c = std::getc(file))
    {
        contents += static_cast<char>(c);
    }
    return contents;
}

TEST(ConsoleTest, ConsoleDevicesKeepTheStandardStreams)
{
    EXPECT_EQ(AllocConsole(), 1);
    FILE* stream = nullptr;
    EXPECT_EQ(freopen_s(&stream, "CONOUT$", "w", stdout), 0);
    EXPECT_EQ(stream, stdout);
    EXPECT_EQ(freopen_s(&stream, "CONIN$", "r", stdin), 0);
    EXPECT_EQ(stream, stdin);
    EXPECT_NE(freopen_s(nullptr, "CONOUT$", "w", stdout), 0);
}

TEST(ConsoleTest, PausePromptsAndWaitsForALine)
{
    FILE* in = inputHolding("\nnot read\n");
    FILE* out = std::tmpfile();
    ASSERT_NE(in, nullptr);
    ASSERT_NE(out, nullptr);

    EXPECT_EQ(platform::pauseConsole(in, out), 0);

    EXPECT_EQ(contentsOf(out), "Appuyez sur une touche pour continuer...\n");
    EXPECT_EQ(std::getc(in), 'n');
    std::fclose(in);
    std::fclose(out);
}

TEST(ConsoleTest, PauseEndsAtTheEndOfInput)
{
    FILE* in = inputHolding("");
    FILE* out = std::tmpfile();
    ASSERT_NE(in, nullptr);
    ASSERT_NE(out, nullptr);

    EXPECT_EQ(platform::pauseConsole(in, out), 0);

    std::fclose(in);
    std::fclose(out);
}

// The newline that ends a typed file name must not answer the pause that comes later.
TEST(ConsoleTest, PauseIgnoresInputReadAheadBeforeIt)
{
    FILE* in = inputHolding("library.xml\nread ahead\n");
    FILE* out = std::tmpfile();
    ASSERT_NE(in, nullptr);
    ASSERT_NE(out, nullptr);
    char word[32] = {};
    ASSERT_EQ(std::fscanf(in, "%31s", word), 1);

    EXPECT_EQ(platform::pauseConsole(in, out), 0);

    EXPECT_EQ(std::getc(in), EOF);
    std::fclose(in);
    std::fclose(out);
}

TEST(ConsoleTest, OtherCommandsRunInTheShellAndGiveTheirExitStatus)
{
    EXPECT_EQ(platform::runSystemCommand("true"), 0);
    EXPECT_EQ(platform::runSystemCommand("exit 3"), 3);
}

} // namespace
