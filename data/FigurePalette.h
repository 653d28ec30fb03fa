#pragma once

#include "FigureModel.h"

#include <CImg.h>
#include <OgreVector.h>

#include <string>
#include <vector>

/// The figure's colours as a small texture for its one material: one square cell per colour, side by side in a
/// single row in the order of FigureModel::colours(). Every vertex takes its texture coordinates from the centre of
/// its colour's cell, and the material samples without filtering, so each part shows exactly its colour.
class FigurePalette
{
public:
    static constexpr int kCellSize = 8; ///< pixels
    static constexpr int kCells = 8;    ///< room for every colour, a power of two wide
    /// The material of every figure; the hero wears a clone of it.
    static constexpr const char* kMaterialName = "Dunestride/Figure";

    /// Texture coordinates of the centre of a colour's cell.
    static Ogre::Vector2 cellCentre(std::size_t colourIndex);

    /// The texture of the given colours.
    static cimg_library::CImg<unsigned char> paint(const std::vector<FigureColour>& colours);

    /// The figure's colours with the hero's shirt: a bright cyan, the opposite hue of the orange sand, which stands out
    /// against the runners' red shirts and is much lighter than their dark blue trousers.
    static std::vector<FigureColour> heroColours();
};
