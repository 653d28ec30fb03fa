#pragma once

#include <string>

/// A fresh directory for one test's or benchmark's files, removed with everything in it when the object goes.
class TempDir
{
public:
    TempDir();
    ~TempDir();

    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    /// The path of a file in the directory.
    std::string file(const std::string& name) const;
    /// Writes the bytes to a file in the directory; returns its path.
    std::string write(const std::string& name, const std::string& contents) const;
    /// The whole content of any file, empty when it cannot be read.
    static std::string read(const std::string& fileName);

    std::string path;
};
