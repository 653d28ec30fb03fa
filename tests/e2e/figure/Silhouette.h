#pragma once

#include <CImg.h>

/// The pixels of a frame that differ from a flat background colour: their count and bounding box.
struct Silhouette
{
    int pixels = 0;
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;

    static Silhouette of(const cimg_library::CImg<unsigned char>& frame, const unsigned char* background);

    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

/// Number of pixels whose colour differs by more than a small tolerance between two frames of the same size.
int differingPixels(const cimg_library::CImg<unsigned char>& a, const cimg_library::CImg<unsigned char>& b);
