#pragma once

#include <cstdlib>
#include <optional>
#include <string>

/// Sets TMPDIR for the test's length.
class TemporaryFolderSetting
{
public:
    explicit TemporaryFolderSetting(const std::string& value)
    {
        if (const char* old = std::getenv("TMPDIR"))
            previous = old;
        ::setenv("TMPDIR", value.c_str(), 1);
    }
    ~TemporaryFolderSetting()
    {
        if (previous)
            ::setenv("TMPDIR", previous->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

    TemporaryFolderSetting(const TemporaryFolderSetting&) = delete;
    TemporaryFolderSetting& operator=(const TemporaryFolderSetting&) = delete;

private:
    std::optional<std::string> previous;
};
