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

/// Largest library file the reader accepts, in bytes.
constexpr std::size_t kMaxFileBytes = std::size_t(512) * 1024 * 1024;

/// The lines of one trajectory, from its opening tag to its closing tag and line break.
std::string formatTrajectory(const Trajectory& trajectory);

/// Escapes the characters that XML gives a meaning to, and control characters, so the name reads back as is.
std::string escapeAttribute(const std::string& text);

/// The deepest element nesting in an XML text, counted without parsing it. Stops counting once limit is passed.
std::size_t nestingDepth(const std::string& text, std::size_t limit);

/// A number as a default-formatted output stream writes it: six significant digits, like printf's %g.
std::string formatNumber(double value);

/// Reads the leading number of an attribute's text as a float: leading white space is skipped, trailing text
/// is ignored, and text that does not start with a number gives 0.
float parseNumber(const char* text);

} // namespace LibraryFileFormat
