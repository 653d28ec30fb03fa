#pragma once

// A fresh directory for one test's files, removed with everything in it when the test ends.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempDir
{
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "dunestride-test-XXXXXX").string();
        path = mkdtemp(&pattern[0]) ? pattern : std::string();
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (std::filesystem::path(path) / name).string(); }

    std::string write(const std::string& name, const std::string& contents) const
    {
        std::ofstream(file(name), std::ios::binary) << contents;
        return file(name);
    }

    static std::string read(const std::string& fileName)
    {
        std::ifstream in(fileName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string path;
};
