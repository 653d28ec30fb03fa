#pragma once

#include <CImg.h>

class KelTrajectoryLibrary;

/// Paints the programs' desktop icons from the generated game data. Icons are square RGBA images with rounded
/// corners: dunestride's is the won picture's hero cheering on the crest at sunset; pathsketch's is the most
/// winding path of the default library, drawn white on black as in the tool's window.
class IconPainter
{
public:
    using Image = cimg_library::CImg<unsigned char>;

    /// wonPicture is the game's "Win.jpg" at any scale of its painted size.
    static Image gameIcon(const Image& wonPicture, int size);
    static Image toolIcon(const KelTrajectoryLibrary& library, int size);

private:
    static Image withRoundedCorners(const Image& square);
};
