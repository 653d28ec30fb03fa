#pragma once

// The pieces of the trajectory library's XML text: how the writer formats a trajectory block, and the checks
// the reader makes on a file's text before handing it to the XML parser.

#include "trajectory/Trajectory.h"

#include <cstddef>
#include <string>

namespace LibraryFileFormat
{

constexpr const char* kHeader = "<?xml version=\"1.0\" ?>\n<Trajectories>\n";
constexpr const char* kFooter = "\n</Trajectories>\n";

/// Deepest element nesting the reader accepts; library files use four levels.
constexpr std::size_t kMaxNestingDepth = 256;

/// Most attributes the reader accepts on one element; library files use at most three. The parser's time grows
/// with the square of this count.
constexpr std::size_t kMaxAttributesInOne = 64;

/// Most memory a read may take while the parser's document is built, in bytes. The reader refuses a text whose
/// forecast document would take more (see parserCanTake).
constexpr std::size_t kMaxReadingBytes = std::size_t(2) * 1000 * 1000 * 1000;

/// Largest library file the reader accepts, in bytes. Any library the writer makes up to this size passes the
/// memory forecast, even one with the shortest lines; reading a drawn library takes about 15 times its size.
constexpr std::size_t kMaxFileBytes = std::size_t(88) * 1024 * 1024;

/// Appends the lines of one trajectory, from its opening tag to its closing tag and line break.
void appendTrajectory(std::string& text, const Trajectory& trajectory);

/// Escapes the characters that XML gives a meaning to, and control characters, so the name reads back as is.
std::string escapeAttribute(const std::string& text);

/// The text itself when it is well-formed UTF-8; otherwise each of its bytes taken as a Latin-1 character.
std::string asUtf8(const std::string& text);

/// A number as the file holds it: with six significant digits, like printf's %g, when that form reads back as
/// the same float (the form the file has always had), otherwise in the fewest digits that do. Values that no
/// text reads back (infinities, NaN) keep the six-digit form. The global locale plays no part.
std::string formatNumber(double value);

/// Reads the leading number of an attribute's text as a float: leading white space is skipped, trailing text
/// is ignored, and text that does not start with a number gives 0.
float parseNumber(const char* text);

/// Whether the XML parser can be handed this text (nul-terminated and padded as padForTinyXml makes it, of
/// textBytes bytes before the padding): its nesting, its attributes and the memory the parser's document would
/// take stay within the limits above, and it holds nothing that stops the parser on an assertion.
bool parserCanTake(const char* paddedText, std::size_t textBytes);

} // namespace LibraryFileFormat
