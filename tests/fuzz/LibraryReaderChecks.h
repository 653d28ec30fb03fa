#pragma once

// What must hold for any text read as a trajectory library: the fuzz target checks it on generated input, the
// unit tests on every file of the fuzz corpus. Each check returns what went wrong, or an empty string.

#include <cstddef>
#include <string>

/// The longest input the fuzz run makes (its -max_len): nested that far, the parser's recursion stays well
/// within the stack.
constexpr std::size_t kFuzzMaxInputBytes = 8192;

/// The parse forecast finds the element depth and element count of the document TinyXML builds from text
/// (unless it foresees one of the parser's assertions, which would end the process). The text must be at most
/// kFuzzMaxInputBytes long: the parser is unguarded here.
std::string checkForecastAgainstParser(const std::string& text);

/// Read as a library file (written as workFolder/input.xml) into a library holding one trajectory: a refused
/// file leaves the library as it was; an accepted one saves, reads back with the same names and keys, and saves
/// to the same bytes; and every position of its trajectories, turned and shifted as the game places runners, is
/// finite.
std::string checkLibraryRead(const std::string& text, const std::string& workFolder);
