#pragma once

// Whole-file reading and replacing for the small files the programs keep between runs (the trajectory library,
// a score file). Neither function follows a path that is not a regular file: a device, a FIFO, a folder or a
// socket named by the caller is refused and left as it is. Nothing here logs or throws; callers report failures
// in their own words.

#include <cstddef>
#include <string>

/// Replaces the contents of the regular file at path with bytes, so that the file holds either its old or its
/// new contents in full at every moment. Symbolic links are followed to the file they finally name, which is
/// replaced in place of the link; a file that does not exist yet is created (with the permissions the process's
/// umask gives). The new contents are written to a temporary file beside that final file, flushed to disk, read
/// back and compared, then renamed over it; the old file's permissions are carried over without its set-user-ID
/// and set-group-ID bits. The temporary file's name is short whatever the final file's name is; temporary files
/// of that file that processes no longer running left behind (a save killed half-way) are removed first.
/// Returns false, leaving any existing file untouched and no temporary file behind, when the final path exists
/// and is not a regular file, or when any step fails (full disk, no permission, ...).
/// With links set to LinkPolicy::Refuse, a path that is a symbolic link is refused and left alone instead, and
/// the rename never writes through one: for a file the program keeps as its own, a link there is not its file.
enum class LinkPolicy
{
    Follow,
    Refuse
};
bool replaceFileContents(const std::string& path, const std::string& bytes, LinkPolicy links = LinkPolicy::Follow);

/// Reads the whole regular file at path into contents. Returns false, with contents empty, when the path cannot
/// be opened, is not a regular file (it is opened without blocking, so a FIFO does not hang the caller), or holds
/// more than maxBytes bytes, also when it grows past that while being read.
bool readFileContents(const std::string& path, std::size_t maxBytes, std::string& contents);
