#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "dunestride-test-XXXXXX").string();
    path = mkdtemp(&pattern[0]) ? pattern : std::string();
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string TempDir::file(const std::string& name) const
{
    return (std::filesystem::path(path) / name).string();
}

std::string TempDir::write(const std::string& name, const std::string& contents) const
{
    std::ofstream(file(name), std::ios::binary) << contents;
    return file(name);
}

std::string TempDir::read(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    std::ostringstream contents;
    if (in)
        contents << in.rdbuf();
    return contents.str();
}
