#include "tool/StartLibrary.h"

#include <filesystem>
#include <system_error>

StartLibrary readStartLibrary(const std::string& fileName)
{
    StartLibrary start;
    std::error_code error;
    // Only a name that plainly does not exist is missing; a folder that cannot be searched may hide the file. A
    // dangling symbolic link is missing too: a save through it creates the file it names.
    const std::filesystem::file_status status = std::filesystem::status(fileName, error);
    if (status.type() == std::filesystem::file_type::not_found)
    {
        start.state = StartLibrary::State::Missing;
        return start;
    }
    start.state = !error && start.library.parseFileForTraj(fileName, start.refusals, start.leftOut)
                      ? StartLibrary::State::Read
                      : StartLibrary::State::Unreadable;
    return start;
}
