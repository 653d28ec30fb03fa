#include "Utf8.h"

#include <cstdint>

namespace platform
{

namespace
{

constexpr std::uint32_t kReplacementCharacter = 0xFFFD;
constexpr std::uint32_t kLastCodePoint = 0x10FFFF;

bool isScalarValue(std::uint32_t codePoint)
{
    const bool isSurrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return codePoint <= kLastCodePoint && !isSurrogate;
}

void appendCodePoint(std::string& out, std::uint32_t codePoint)
{
    if (codePoint < 0x80)
    {
        out += static_cast<char>(codePoint);
    }
    else if (codePoint < 0x800)
    {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    else if (codePoint < 0x10000)
    {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

} // namespace

std::string toUtf8(const wchar_t* text)
{
    std::string out;
    if (text == nullptr)
    {
        return out;
    }
    for (const wchar_t* it = text; *it != L'\0'; ++it)
    {
        const auto codePoint = static_cast<std::uint32_t>(*it);
        appendCodePoint(out, isScalarValue(codePoint) ? codePoint : kReplacementCharacter);
    }
    return out;
}

} // namespace platform
