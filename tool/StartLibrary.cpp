#include "tool/StartLibrary.h"

#include <filesystem>
#include <system_error>

StartLibrary readStartLibrary(const std::string& fileName)
{
    StartLibrary start;
    std::error_code error;
    // Only a name that plainly does not exist is missing; a folder that cannot be searched may hide the file.
    const std::filesystem::file_status status = std::filesystem::symlink_status(fileName, error);
    if (status.type() == std::filesystem::file_type::not_found)
    {
        start.state = StartLibrary::State::Missing;
        return start;
    }
    start.state = !error && start.library.parseFileForTraj(fileName) ? StartLibrary::State::Read
                                                                     : StartLibrary::State::Unreadable;
    return start;
}
