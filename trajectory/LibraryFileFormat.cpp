#include "trajectory/LibraryFileFormat.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <sstream>

namespace LibraryFileFormat
{

std::string formatNumber(double value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}

namespace
{

bool isStreamSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Collects the characters a standard input stream takes for a float in the classic locale: a sign, the
// mantissa with at most one decimal point (runs of leading zeros count once), and an exponent with its sign.
std::string collectFloatCharacters(const char* p)
{
    std::string collected;
    if (*p == '+' || *p == '-')
        collected += *p++;
    bool foundMantissa = false;
    if (*p == '0')
    {
        collected += '0';
        foundMantissa = true;
        while (*p == '0')
            ++p;
    }
    bool foundPoint = false;
    bool foundExponent = false;
    for (; *p; ++p)
    {
        if (*p == '.')
        {
            if (foundPoint || foundExponent)
                break;
            collected += '.';
            foundPoint = true;
        }
        else if (isDigit(*p))
        {
            collected += *p;
            foundMantissa = true;
        }
        else if ((*p == 'e' || *p == 'E') && !foundExponent && foundMantissa)
        {
            collected += 'e';
            foundExponent = true;
            if (p[1] == '+' || p[1] == '-')
                collected += *++p;
        }
        else
        {
            break;
        }
    }
    return collected;
}

// Plain whole numbers of up to seven digits, as drawings hold them, are exact in a float: no conversion needed.
bool readSmallWholeNumber(const std::string& collected, float& value)
{
    std::size_t first = collected[0] == '-' || collected[0] == '+' ? 1 : 0;
    if (collected.size() <= first || collected.size() - first > 7)
        return false;
    std::int32_t number = 0;
    for (std::size_t i = first; i < collected.size(); ++i)
    {
        if (!isDigit(collected[i]))
            return false;
        number = number * 10 + (collected[i] - '0');
    }
    value = collected[0] == '-' ? -static_cast<float>(number) : static_cast<float>(number);
    return true;
}

} // namespace

float parseNumber(const char* text)
{
    // The same result as extracting a float with operator>> from a string stream, without a stream's cost,
    // which is most of the time spent reading a large library.
    if (!text)
        return 0.0f;
    while (isStreamSpace(*text))
        ++text;
    const std::string collected = collectFloatCharacters(text);
    if (float whole = 0.0f; readSmallWholeNumber(collected, whole))
        return whole;
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", locale_t(0));
    char* end = nullptr;
    float value = strtof_l(collected.c_str(), &end, classic);
    if (end == collected.c_str() || *end != '\0')
        return 0.0f;
    if (value == std::numeric_limits<float>::infinity())
        return std::numeric_limits<float>::max();
    if (value == -std::numeric_limits<float>::infinity())
        return -std::numeric_limits<float>::max();
    return value;
}

std::string escapeAttribute(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text)
    {
        switch (c)
        {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                escaped += "&#" + std::to_string(static_cast<int>(c)) + ";";
            else
                escaped += c;
        }
    }
    return escaped;
}

std::string formatTrajectory(const Trajectory& trajectory)
{
    std::ostringstream block;
    block << "<Trajectory name=\"" << escapeAttribute(trajectory.getName()) << "\" >\n";
    block << "\t<TrackPos>\n";
    for (const PositionKey& key : trajectory.getTrackPos())
        block << "\t\t<Elem time=\"" << key.time << "\"  px=\"" << key.px << "\"  py=\"" << key.py << "\" />\n";
    block << "</TrackPos><TrackYaw>\n";
    for (const YawKey& key : trajectory.getTrackYaw())
        block << "<Elem time=\"" << key.time << "\"  yaw=\"" << key.yaw << "\" />\n";
    block << "</TrackYaw></Trajectory>\n";
    return block.str();
}

namespace
{

// Skips from position i (just after "<") past the end of the markup that starts with the given opener.
std::size_t skipPast(const std::string& text, std::size_t i, const char* terminator)
{
    std::size_t end = text.find(terminator, i);
    return end == std::string::npos ? text.size() : end + std::char_traits<char>::length(terminator);
}

// Skips a start or end tag from position i (just after "<"), honouring quoted attribute values.
// Sets selfClosing when the tag ends with "/>".
std::size_t skipTag(const std::string& text, std::size_t i, bool& selfClosing)
{
    char quote = 0;
    selfClosing = false;
    for (; i < text.size(); ++i)
    {
        char c = text[i];
        if (quote)
        {
            if (c == quote)
                quote = 0;
        }
        else if (c == '"' || c == '\'')
        {
            quote = c;
        }
        else if (c == '>')
        {
            selfClosing = i > 0 && text[i - 1] == '/';
            return i + 1;
        }
    }
    return text.size();
}

} // namespace

std::size_t nestingDepth(const std::string& text, std::size_t limit)
{
    std::size_t depth = 0;
    std::size_t deepest = 0;
    std::size_t i = 0;
    while ((i = text.find('<', i)) != std::string::npos)
    {
        ++i;
        if (text.compare(i, 3, "!--") == 0)
            i = skipPast(text, i, "-->");
        else if (text.compare(i, 8, "![CDATA[") == 0)
            i = skipPast(text, i, "]]>");
        else if (i < text.size() && (text[i] == '?' || text[i] == '!'))
            i = skipPast(text, i, ">");
        else
        {
            bool closing = i < text.size() && text[i] == '/';
            bool selfClosing = false;
            i = skipTag(text, i, selfClosing);
            if (closing)
                depth = depth > 0 ? depth - 1 : 0;
            else if (!selfClosing && ++depth > deepest)
            {
                deepest = depth;
                if (deepest > limit)
                    break;
            }
        }
    }
    return deepest;
}

} // namespace LibraryFileFormat
