#pragma once

#include "FigureGeometry.h"

#include <string>
#include <vector>

/// One colour of the figure, red, green and blue in 0..1, as the light shows it.
struct FigureColour
{
    const char* name;
    float red;
    float green;
    float blue;
    bool glossy; ///< shows the light's highlights; a matt surface does not
};

/// The low-poly running man: head with hair, eyes and nose, torso, belt, arms with sleeves and hands, legs with
/// shoes. Proportions follow FigureRig: about 4 units tall, soles at y = -2.5, facing +Z.
class FigureModel
{
public:
    /// The colours of the figure, in the order of its colour groups.
    static const std::vector<FigureColour>& colours();
    /// The name of the shirt's colour, the one that tells the hero from the runners.
    static constexpr const char* kShirt = "Shirt";

    static FigureGeometry build();

private:
    static void addHead(FigureGeometry& geometry);
    static void addTorso(FigureGeometry& geometry);
    static void addArm(FigureGeometry& geometry, float side);
    static void addLeg(FigureGeometry& geometry, float side);
};
