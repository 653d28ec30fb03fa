#include "Utf8.h"

#include <gtest/gtest.h>

namespace
{

TEST(Utf8Test, EncodesEachLengthOfUtf8)
{
    EXPECT_EQ(platform::toUtf8(L"dessin fini.Voulez-vous le garder"), "dessin fini.Voulez-vous le garder");
    EXPECT_EQ(platform::toUtf8(L"\u00e9"), "\xC3\xA9");
    EXPECT_EQ(platform::toUtf8(L"\u20ac"), "\xE2\x82\xAC");
    EXPECT_EQ(platform::toUtf8(L"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(platform::toUtf8(L"a\u00e9b"), "a\xC3\xA9"
                                             "b");
}

TEST(Utf8Test, ReplacesValuesThatAreNoCharacters)
{
    const wchar_t surrogate[] = {static_cast<wchar_t>(0xD800), L'\0'};
    const wchar_t pastUnicode[] = {static_cast<wchar_t>(0x110000), L'x', L'\0'};
    EXPECT_EQ(platform::toUtf8(surrogate), "\xEF\xBF\xBD");
    EXPECT_EQ(platform::toUtf8(pastUnicode), "\xEF\xBF\xBDx");
}

TEST(Utf8Test, NullAndEmptyGiveEmptyText)
{
    EXPECT_EQ(platform::toUtf8(nullptr), "");
    EXPECT_EQ(platform::toUtf8(L""), "");
}

} // namespace
