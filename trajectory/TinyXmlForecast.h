#pragma once

// TinyXML 2.6.2 parses recursively, one level of its stack per open element, and asserts on a few inputs; its
// cost also grows with the square of an element's attribute count. A forecast follows the parser's own steps
// over a text, byte for byte and with the same character classes, without building anything, so that a text
// can be refused before the parser sees it. A differential fuzz target keeps it in step with the parser.

#include <cstddef>
#include <string>

/// Nul bytes that must follow the text's terminating nul, both for the forecast and for the parser: the parser
/// steps over a whole UTF-8 sequence at once, and a lead byte just before the end would otherwise take it past
/// the end of the buffer.
constexpr std::size_t kTinyXmlPadding = 4;

/// What TinyXML's parser would build from a text.
struct TinyXmlForecast
{
    std::size_t deepestElement = 0;      ///< most elements open at once: the depth of the parser's recursion
    std::size_t elements = 0;            ///< element nodes created
    std::size_t attributes = 0;          ///< attributes created, kept or dropped
    std::size_t otherNodes = 0;          ///< text, comment, declaration and unknown nodes created
    std::size_t mostAttributesInOne = 0; ///< the largest attribute count of one element
    bool assertion = false;              ///< the parser would stop the process on one of its assertions
    bool cutShort = false;               ///< a limit was passed and the forecast stopped there
};

/// Limits at which a forecast stops early, having seen enough to refuse the text.
struct TinyXmlLimits
{
    std::size_t maxDepth;
    std::size_t maxAttributesInOne;
};

/// Follows TinyXML's TiXmlDocument::Parse with the default encoding over text, which must be nul-terminated and
/// followed by kTinyXmlPadding more nul bytes (as padForTinyXml makes it).
TinyXmlForecast forecastTinyXmlParse(const char* text, const TinyXmlLimits& limits);

/// The text followed by the nul bytes that the parser and the forecast need; pass c_str() of the result.
std::string padForTinyXml(std::string text);
