#include "trajectory/LibraryFileFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <sstream>

namespace
{

float streamExtraction(const std::string& text)
{
    std::istringstream in(text);
    float value = 0.0f;
    in >> value;
    return value;
}

void expectSameAsStream(const std::string& text)
{
    const float expected = streamExtraction(text);
    const float actual = LibraryFileFormat::parseNumber(text.c_str());
    EXPECT_EQ(std::memcmp(&expected, &actual, sizeof(float)), 0)
        << "text \"" << text << "\": stream " << expected << ", parser " << actual;
}

} // namespace

TEST(LibraryNumberParsing, ReadsNumbersExactlyAsAStringStreamDoes)
{
    for (const char* text :
         {"",     " ",      "0",    "16",    "  499", "-3.25", "+.5",          ".",       "-",       "+",   "1e",
          "1e5x", "1.5.3",  "0x10", "00012", "-0",    "1e999", "-1e999",       "1e-999",  "inf",     "nan", "12abc",
          "abc",  "\t\n 7", ".e5",  "5.e2",  "1E+3",  "1e+",   "3.4028236e38", "1.5e+06", "0.666667"})
    {
        expectSameAsStream(text);
    }

    std::mt19937 random(42);
    const std::string alphabet = "0123456789+-.eE x\t";
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 14);
    for (int i = 0; i < 20000; ++i)
    {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += alphabet[letter(random)];
        expectSameAsStream(text);
    }
}

TEST(LibraryNumberFormatting, WritesSixSignificantDigitsLikeAStream)
{
    EXPECT_EQ(LibraryFileFormat::formatNumber(0), "0");
    EXPECT_EQ(LibraryFileFormat::formatNumber(499), "499");
    EXPECT_EQ(LibraryFileFormat::formatNumber(999999), "999999");
    EXPECT_EQ(LibraryFileFormat::formatNumber(1000000), "1e+06");
    EXPECT_EQ(LibraryFileFormat::formatNumber(0.1f), "0.1");
}

TEST(LibraryNestingDepth, CountsElementsButNotMarkupThatOnlyLooksLikeThem)
{
    EXPECT_EQ(LibraryFileFormat::nestingDepth("<a><b><c/></b><d></d></a>", 100), 2u);
    EXPECT_EQ(LibraryFileFormat::nestingDepth("<?xml version=\"1.0\" ?><!-- <x><y> --><a q=\"<b>\"/>", 100), 0u);
    EXPECT_EQ(LibraryFileFormat::nestingDepth("<a><![CDATA[<b><c>]]></a>", 100), 1u);
    std::string deep;
    for (int i = 0; i < 50; ++i)
        deep += "<a x='>'>";
    EXPECT_GT(LibraryFileFormat::nestingDepth(deep, 10), 10u);
}
