#pragma once

#include <CImg.h>

#include <string>

/// Paints the three full-screen pictures of the game: the start screen with the game's name and its keys, and
/// the won and lost screens. The pictures fill the game's viewport, which is taller than wide (0.6 of a 4:3 or
/// 5:4 window), so they are painted upright at that shape to keep their text undistorted.
class PicturePainter
{
public:
    static constexpr int kWidth = 768;
    static constexpr int kHeight = 1024;

    enum class Screen
    {
        Start,
        Won,
        Lost
    };

    /// "Debut.jpg", "Win.jpg" or "Lost.jpg".
    static const char* fileName(Screen screen);
    static cimg_library::CImg<unsigned char> paint(Screen screen);

private:
    using Image = cimg_library::CImg<unsigned char>;

    static void paintStart(Image& image);
    static void paintWon(Image& image);
    static void paintLost(Image& image);

    /// An evening desert: sky gradient, low sun and rows of dunes; darkened by dusk (0 = evening, 1 = night).
    static void paintBackdrop(Image& image, float dusk);
    static void paintPanel(Image& image, int top, int bottom);
    /// Text centred on x with a soft drop shadow; returns the bottom of the text.
    static int drawText(Image& image, const std::string& text, int centreX, int top, int height,
                        const unsigned char* colour, bool bold);
    /// Text starting at left, with the same shadow; returns the bottom of the text.
    static int drawTextFrom(Image& image, const std::string& text, int left, int top, int height,
                            const unsigned char* colour);
    static int drawMask(Image& image, const cimg_library::CImg<float>& mask, int left, int top, int height,
                        const unsigned char* colour);
    static void drawKeyCap(Image& image, const std::string& label, int left, int top, int width, int height);
    static void drawSpaceBar(Image& image, int top);
};
