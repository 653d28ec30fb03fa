#include "LibraryFileFormat.h"

#include "TinyXmlForecast.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>

namespace LibraryFileFormat
{

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

namespace
{

constexpr int kStreamDigits = 6;         // a default-formatted output stream's precision
constexpr int kFloatMaxDigits = 9;       // enough for any float to read back exactly
constexpr double kPlainWholeLimit = 1e6; // whole numbers below this print as plain integers with six digits

// The parser's document as it grows in memory (glibc's allocation sizes of TinyXML 2.6.2's nodes on 64-bit
// Linux, measured): the text itself, the nodes' strings (at most twice the text, grown by doubling), an element
// with the position key the reader may make of it, an attribute, and any other node.
constexpr std::size_t kBytesPerTextByte = 3;
constexpr std::size_t kBytesPerElement = 224 + 64;
constexpr std::size_t kBytesPerAttribute = 128;
constexpr std::size_t kBytesPerOtherNode = 224;

const char* const kLimitPassed = "limite depassee : ";

std::string formatWhole(double value)
{
    return std::to_string(static_cast<unsigned long long>(value));
}

bool readsBackAs(const char* text, float expected)
{
    const float read = parseNumber(text);
    return std::memcmp(&read, &expected, sizeof(float)) == 0;
}

// Writes into buffer (nul-terminated) the general notation of value with the given significant digits, as
// printf's %.*g does in the "C" locale.
void formatGeneral(char (&buffer)[32], double value, int digits)
{
    std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof(buffer) - 1, value, std::chars_format::general, digits);
    *result.ptr = '\0';
}

void appendNumber(std::string& text, double value)
{
    char buffer[32];
    const bool plainWhole =
        value == std::trunc(value) && std::fabs(value) < kPlainWholeLimit && !(value == 0 && std::signbit(value));
    if (plainWhole)
    {
        std::to_chars_result result = std::to_chars(buffer, buffer + sizeof(buffer), static_cast<long>(value));
        text.append(buffer, result.ptr);
        return;
    }
    const float stored = static_cast<float>(value);
    formatGeneral(buffer, value, kStreamDigits);
    if (std::isfinite(stored) && !readsBackAs(buffer, stored))
    {
        for (int digits = kStreamDigits + 1; digits <= kFloatMaxDigits; ++digits)
        {
            formatGeneral(buffer, stored, digits);
            if (readsBackAs(buffer, stored))
                break;
        }
    }
    text += buffer;
}

// The length of the well-formed UTF-8 sequence at text[i], or 0 when there is none.
std::size_t utf8SequenceLength(const std::string& text, std::size_t i)
{
    const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte, narrowed against overlong forms,
                                           // surrogates and code points past U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    if (length == 0 || i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
    {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

std::string formatNumber(double value)
{
    std::string text;
    appendNumber(text, value);
    return text;
}

std::string asUtf8(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size())
    {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0)
            break;
        i += length;
    }
    if (i == text.size())
        return text;

    std::string converted;
    converted.reserve(text.size() * 2);
    for (char c : text)
    {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
        {
            converted += c;
        }
        else
        {
            converted += static_cast<char>(0xC0 | (byte >> 6));
            converted += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return converted;
}

void appendTrajectory(std::string& text, const Trajectory& trajectory)
{
    text += "<Trajectory name=\"";
    text += escapeAttribute(asUtf8(trajectory.getName()));
    text += "\" >\n\t<TrackPos>\n";
    for (const PositionKey& key : trajectory.getTrackPos())
    {
        text += "\t\t<Elem time=\"";
        appendNumber(text, key.time);
        text += "\"  px=\"";
        appendNumber(text, key.px);
        text += "\"  py=\"";
        appendNumber(text, key.py);
        text += "\" />\n";
    }
    text += "</TrackPos><TrackYaw>\n";
    for (const YawKey& key : trajectory.getTrackYaw())
    {
        text += "<Elem time=\"";
        appendNumber(text, key.time);
        text += "\"  yaw=\"";
        appendNumber(text, key.yaw);
        text += "\" />\n";
    }
    text += "</TrackYaw></Trajectory>\n";
}

bool parserCanTake(const char* paddedText, std::size_t textBytes, std::string& refusal)
{
    const TinyXmlForecast forecast = forecastTinyXmlParse(paddedText, {kMaxNestingDepth, kMaxAttributesInOne});
    // A forecast cut short stops one past the limit it met: that many were found at least.
    if (forecast.deepestElement > kMaxNestingDepth)
    {
        refusal = kLimitPassed + std::string("imbrication d'au moins ") + std::to_string(forecast.deepestElement) +
                  " elements, limite " + std::to_string(kMaxNestingDepth);
        return false;
    }
    if (forecast.mostAttributesInOne > kMaxAttributesInOne)
    {
        refusal = kLimitPassed + std::string("au moins ") + std::to_string(forecast.mostAttributesInOne) +
                  " attributs sur un element, limite " + std::to_string(kMaxAttributesInOne);
        return false;
    }
    if (forecast.assertion)
    {
        refusal = "texte refuse : le parseur XML s'y arreterait sur une assertion";
        return false;
    }
    const double cost = double(textBytes) * kBytesPerTextByte + double(forecast.elements) * kBytesPerElement +
                        double(forecast.attributes) * kBytesPerAttribute +
                        double(forecast.otherNodes) * kBytesPerOtherNode;
    const double allowed = double(textBytes) * kReadingBytesPerFileByte + double(kReadingBytesFloor);
    if (cost > allowed)
    {
        refusal = kLimitPassed + std::string("memoire prevue de ") + formatWhole(cost) + " octets, limite " +
                  formatWhole(allowed) + " (" + std::to_string(kReadingBytesPerFileByte) +
                  " fois la taille du fichier plus " + std::to_string(kReadingBytesFloor) + ")";
        return false;
    }
    return true;
}

std::string fileSizeRefusal(std::size_t fileBytes)
{
    return kLimitPassed + std::string("fichier de ") + std::to_string(fileBytes) + " octets, limite " +
           std::to_string(kMaxFileBytes);
}

float largestCoordinate(const std::vector<PositionKey>& keys)
{
    float largest = 0.0f;
    for (const PositionKey& key : keys)
    {
        for (const float magnitude : {std::fabs(key.px), std::fabs(key.py)})
        {
            if (std::isnan(magnitude))
                return magnitude;
            largest = std::max(largest, magnitude);
        }
    }
    return largest;
}

std::string coordinateRefusal(const std::string& trajectoryName, float magnitude)
{
    return trajectoryName + " : trajectoire refusee, " + kLimitPassed + "coordonnee de " + formatNumber(magnitude) +
           " en valeur absolue, limite " + formatNumber(kMaxCoordinate);
}

} // namespace LibraryFileFormat
