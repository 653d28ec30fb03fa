#include "FigurePalette.h"

#include <cassert>
#include <cmath>
#include <cstring>

namespace
{
constexpr float kHeroShirt[3] = {0.10f, 0.85f, 0.95f};

unsigned char channel(float value)
{
    return static_cast<unsigned char>(std::lround(value * 255.0f));
}
} // namespace

Ogre::Vector2 FigurePalette::cellCentre(std::size_t colourIndex)
{
    assert(colourIndex < static_cast<std::size_t>(kCells));
    return Ogre::Vector2((static_cast<float>(colourIndex) + 0.5f) / static_cast<float>(kCells), 0.5f);
}

cimg_library::CImg<unsigned char> FigurePalette::paint(const std::vector<FigureColour>& colours)
{
    assert(colours.size() <= static_cast<std::size_t>(kCells));
    cimg_library::CImg<unsigned char> texture(kCells * kCellSize, kCellSize, 1, 3, 0);
    for (std::size_t index = 0; index < colours.size(); ++index)
    {
        const FigureColour& colour = colours[index];
        const unsigned char rgb[3] = {channel(colour.red), channel(colour.green), channel(colour.blue)};
        const int left = static_cast<int>(index) * kCellSize;
        texture.draw_rectangle(left, 0, left + kCellSize - 1, kCellSize - 1, rgb);
    }
    return texture;
}

std::vector<FigureColour> FigurePalette::heroColours()
{
    std::vector<FigureColour> colours = FigureModel::colours();
    for (FigureColour& colour : colours)
    {
        if (std::strcmp(colour.name, FigureModel::kShirt) == 0)
        {
            colour.red = kHeroShirt[0];
            colour.green = kHeroShirt[1];
            colour.blue = kHeroShirt[2];
        }
    }
    return colours;
}
