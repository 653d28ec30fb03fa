#include "LibraryFileFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <utility>
#include <vector>

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

TEST(LibraryNumberFormatting, KeepsTheSixDigitFormWhereItReadsBackAndOtherwiseTheShortestExactOne)
{
    // The six-digit forms that read back as the same float, as the format has always written them.
    for (const auto& [value, text] : std::vector<std::pair<double, std::string>>{{0, "0"},
                                                                                 {-0.0, "-0"},
                                                                                 {499, "499"},
                                                                                 {999999, "999999"},
                                                                                 {1000000, "1e+06"},
                                                                                 {1500000, "1.5e+06"},
                                                                                 {0.1f, "0.1"},
                                                                                 {-3.25, "-3.25"},
                                                                                 {1e-05f, "1e-05"}})
    {
        EXPECT_EQ(LibraryFileFormat::formatNumber(value), text);
    }
    // Values that six digits would change: the fewest digits that bring the same float back.
    EXPECT_EQ(LibraryFileFormat::formatNumber(1000001), "1000001");
    EXPECT_EQ(LibraryFileFormat::formatNumber(1234567), "1234567");
    EXPECT_EQ(LibraryFileFormat::formatNumber(2.0f / 3.0f), "0.6666667");
    EXPECT_EQ(LibraryFileFormat::formatNumber(16777216.0), "16777216");
    EXPECT_EQ(LibraryFileFormat::formatNumber(3.4028235e38f), "3.4028235e+38");
    // Nothing reads back as these: they keep the six-digit form.
    EXPECT_EQ(LibraryFileFormat::formatNumber(std::numeric_limits<double>::infinity()), "inf");

    std::mt19937 random(11);
    std::uniform_int_distribution<std::uint32_t> bits;
    for (int i = 0; i < 20000; ++i)
    {
        std::uint32_t pattern = bits(random);
        float value = 0;
        std::memcpy(&value, &pattern, sizeof(value));
        if (!std::isfinite(value))
            continue;
        const std::string text = LibraryFileFormat::formatNumber(value);
        const float read = streamExtraction(text);
        EXPECT_EQ(std::memcmp(&read, &value, sizeof(float)), 0) << text;
    }
}

TEST(LibraryNames, WellFormedUtf8StaysAndOtherBytesAreTakenAsLatin1)
{
    EXPECT_EQ(LibraryFileFormat::asUtf8("traj1"), "traj1");
    EXPECT_EQ(LibraryFileFormat::asUtf8("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8F\x9C"),
              "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8F\x9C");
    EXPECT_EQ(LibraryFileFormat::asUtf8("caf\xE9"), "caf\xC3\xA9");
    // Truncated, overlong, surrogate and out-of-range sequences are not UTF-8.
    EXPECT_EQ(LibraryFileFormat::asUtf8("\xC3"), "\xC3\x83");
    EXPECT_EQ(LibraryFileFormat::asUtf8("\xC0\xAF"), "\xC3\x80\xC2\xAF");
    EXPECT_EQ(LibraryFileFormat::asUtf8("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80");
    EXPECT_EQ(LibraryFileFormat::asUtf8("\xF4\x90\x80\x80"), "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80");
}
