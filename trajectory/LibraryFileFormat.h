#pragma once

// The pieces of the trajectory library's XML text: how the writer formats a trajectory block, and the checks
// the reader makes on a file's text before handing it to the XML parser.

#include "trajectory/Trajectory.h"

#include <cstddef>
#include <string>
#include <vector>

namespace LibraryFileFormat
{

constexpr const char* kHeader = "<?xml version=\"1.0\" ?>\n<Trajectories>\n";
constexpr const char* kFooter = "\n</Trajectories>\n";

/// Deepest element nesting the reader accepts; library files use four levels.
constexpr std::size_t kMaxNestingDepth = 256;

/// Most attributes the reader accepts on one element; library files use at most three. The parser's time grows
/// with the square of this count.
constexpr std::size_t kMaxAttributesInOne = 64;

/// Memory a read may take while the parser's document is built, as bytes per byte of the file's text plus a floor
/// in bytes. A drawn library takes about 15 bytes a byte; markup made of nothing but nodes would take up to 57,
/// and such a text is refused before parsing (see parserCanTake). The floor lets any small file through.
constexpr std::size_t kReadingBytesPerFileByte = 20;
constexpr std::size_t kReadingBytesFloor = std::size_t(16) * 1024 * 1024;

/// Largest library file the reader accepts, in bytes: reading a drawn library of this size takes about 1.3 GB.
constexpr std::size_t kMaxFileBytes = std::size_t(88) * 1024 * 1024;

/// Largest coordinate, in magnitude, of a trajectory the reader accepts, in drawing pixels: just under the
/// largest float divided by the square root of two. A turn by any angle can lengthen a coordinate by that root,
/// so a trajectory within this bound, turned, shifted by anything up to far beyond the drawing area and
/// interpolated, still has finite positions; a larger coordinate could turn into an infinity, and
/// interpolating between infinities gives NaN.
constexpr float kMaxCoordinate = 2.4e38f;

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
/// take stay within the limits above, and it holds nothing that stops the parser on an assertion. When it cannot,
/// refusal says which limit the text passes and by how much.
bool parserCanTake(const char* paddedText, std::size_t textBytes, std::string& refusal);

/// The line that says a file of fileBytes bytes is over kMaxFileBytes.
std::string fileSizeRefusal(std::size_t fileBytes);

/// The largest magnitude among the coordinates of keys (0 when there are none).
float largestCoordinate(const std::vector<PositionKey>& keys);

/// The line that says a trajectory is refused for a coordinate of the given magnitude over kMaxCoordinate.
std::string coordinateRefusal(const std::string& trajectoryName, float magnitude);

} // namespace LibraryFileFormat
