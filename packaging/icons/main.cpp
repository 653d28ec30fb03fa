#include "IconPainter.h"
#include "trajectory/KelTrajectoryLibrary.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

// Run by the build once the game data exists: writes THEME/NxN/apps/dunestride.png and pathsketch.png for every
// size N given.
int main(int argc, char** argv)
{
    if (argc < 5)
    {
        std::fprintf(stderr, "usage: %s WON_PICTURE LIBRARY_FILE THEME_DIRECTORY SIZE...\n", argv[0]);
        return 2;
    }
    cimg_library::cimg::exception_mode(0);
    const std::string themeDirectory = argv[3];
    KelTrajectoryLibrary library;
    if (!library.parseFileForTraj(argv[2]))
    {
        std::fprintf(stderr, "cannot read the trajectory library %s\n", argv[2]);
        return 1;
    }
    try
    {
        const IconPainter::Image wonPicture(argv[1]);
        for (int arg = 4; arg < argc; ++arg)
        {
            const int size = std::atoi(argv[arg]);
            const std::string folder =
                themeDirectory + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
            std::error_code failure;
            std::filesystem::create_directories(folder, failure);
            if (failure || size <= 0)
            {
                std::fprintf(stderr, "cannot make icons of size %s in %s\n", argv[arg], folder.c_str());
                return 1;
            }
            IconPainter::gameIcon(wonPicture, size).save_png((folder + "/dunestride.png").c_str());
            IconPainter::toolIcon(library, size).save_png((folder + "/pathsketch.png").c_str());
        }
    }
    catch (const cimg_library::CImgException& error)
    {
        std::fprintf(stderr, "icon_painter: %s\n", error.what());
        return 1;
    }
    return 0;
}
