#pragma once

#include "FigureGeometry.h"

#include <string>
#include <vector>

/// A lit colour of the figure's materials, red, green and blue in 0..1.
struct FigureColour
{
    const char* material;
    float red;
    float green;
    float blue;
    float shininess; ///< 0 for a matt surface
};

/// The low-poly running man: head with hair, eyes and nose, torso, belt, arms with sleeves and hands, legs with
/// shoes. Proportions follow FigureRig: about 4 units tall, soles at y = -2.5, facing +Z.
class FigureModel
{
public:
    /// The materials of the figure, in the order their colours should be listed.
    static const std::vector<FigureColour>& colours();

    static FigureGeometry build();

private:
    static void addHead(FigureGeometry& geometry);
    static void addTorso(FigureGeometry& geometry);
    static void addArm(FigureGeometry& geometry, float side);
    static void addLeg(FigureGeometry& geometry, float side);
};
