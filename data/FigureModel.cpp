#include "FigureModel.h"

#include "FigureRig.h"

namespace
{
const char* const kSkin = "Skin";
const char* const kHair = "Hair";
const char* const kEyes = "Eyes";
const char* const kShirt = FigureModel::kShirt;
const char* const kBelt = "Belt";
const char* const kTrousers = "Trousers";
const char* const kShoes = "Shoes";

constexpr int kLimbSides = 6;
constexpr int kTorsoSides = 10;
constexpr float kSoleHeight = 0.16f; // from the ground to the top of the shoe
} // namespace

const std::vector<FigureColour>& FigureModel::colours()
{
    static const std::vector<FigureColour> table = {
        {kSkin, 0.87f, 0.64f, 0.50f, false}, {kHair, 0.25f, 0.15f, 0.08f, false},
        {kEyes, 0.05f, 0.05f, 0.08f, true},  {kShirt, 0.80f, 0.16f, 0.12f, true},
        {kBelt, 0.30f, 0.20f, 0.10f, true},  {kTrousers, 0.16f, 0.24f, 0.45f, false},
        {kShoes, 0.12f, 0.10f, 0.09f, true},
    };
    return table;
}

FigureGeometry FigureModel::build()
{
    FigureGeometry geometry;
    // Create the groups in a fixed order so that their indices are those of colours().
    for (const FigureColour& colour : colours())
        geometry.colourGroup(colour.name);
    addHead(geometry);
    addTorso(geometry);
    addArm(geometry, 1.0f);
    addArm(geometry, -1.0f);
    addLeg(geometry, 1.0f);
    addLeg(geometry, -1.0f);
    return geometry;
}

void FigureModel::addHead(FigureGeometry& geometry)
{
    geometry.addPrism(kSkin, BoneHead, {0.0f, 0.86f, 0.0f}, {0.085f, 0.085f}, {0.0f, 1.06f, 0.01f}, {0.08f, 0.08f}, 6);
    geometry.addEllipsoid(kSkin, BoneHead, {0.0f, 1.24f, 0.02f}, {0.19f, 0.25f, 0.21f}, 5, 9);
    // The hair sits a little back and up, so the face stays free below the hairline.
    geometry.addEllipsoid(kHair, BoneHead, {0.0f, 1.27f, -0.015f}, {0.205f, 0.25f, 0.22f}, 3, 9, 5.0f, 90.0f);
    geometry.addEllipsoid(kHair, BoneHead, {0.0f, 1.2f, -0.05f}, {0.2f, 0.22f, 0.18f}, 2, 9, -40.0f, 20.0f);
    for (float side : {-1.0f, 1.0f})
        geometry.addBox(kEyes, BoneHead, {side * 0.085f - 0.03f, 1.25f, 0.17f}, {side * 0.085f + 0.03f, 1.29f, 0.215f});
    geometry.addBox(kSkin, BoneHead, {-0.025f, 1.14f, 0.2f}, {0.025f, 1.22f, 0.255f});
}

void FigureModel::addTorso(FigureGeometry& geometry)
{
    geometry.addPrism(kShirt, BoneChest, {0.0f, -0.12f, 0.0f}, {0.26f, 0.16f}, {0.0f, 0.5f, 0.01f}, {0.33f, 0.19f},
                      kTorsoSides);
    geometry.addPrism(kShirt, BoneChest, {0.0f, 0.5f, 0.01f}, {0.33f, 0.19f}, {0.0f, 0.9f, 0.0f}, {0.2f, 0.13f},
                      kTorsoSides);
    geometry.addPrism(kBelt, BoneHips, {0.0f, -0.2f, 0.0f}, {0.275f, 0.17f}, {0.0f, -0.08f, 0.0f}, {0.27f, 0.168f},
                      kTorsoSides);
    geometry.addPrism(kTrousers, BoneHips, {0.0f, -0.66f, 0.0f}, {0.28f, 0.17f}, {0.0f, -0.2f, 0.0f}, {0.265f, 0.165f},
                      kTorsoSides);
}

void FigureModel::addArm(FigureGeometry& geometry, float side)
{
    const FigureBone upper = side > 0.0f ? BoneUpperArmLeft : BoneUpperArmRight;
    const FigureBone lower = side > 0.0f ? BoneForeArmLeft : BoneForeArmRight;
    geometry.addEllipsoid(kShirt, upper, {side * 0.38f, 0.8f, 0.0f}, {0.13f, 0.12f, 0.12f}, 3, 6);
    geometry.addPrism(kShirt, upper, {side * 0.4f, 0.82f, 0.0f}, {0.115f, 0.115f}, {side * 0.43f, 0.4f, 0.0f},
                      {0.1f, 0.1f}, kLimbSides);
    geometry.addPrism(kSkin, upper, {side * 0.43f, 0.42f, 0.0f}, {0.078f, 0.078f}, {side * 0.44f, 0.15f, 0.0f},
                      {0.07f, 0.07f}, kLimbSides);
    geometry.addPrism(kSkin, lower, {side * 0.44f, 0.19f, 0.0f}, {0.07f, 0.07f}, {side * 0.45f, -0.38f, 0.0f},
                      {0.055f, 0.06f}, kLimbSides);
    geometry.addEllipsoid(kSkin, lower, {side * 0.455f, -0.49f, 0.01f}, {0.05f, 0.11f, 0.075f}, 3, 5);
}

void FigureModel::addLeg(FigureGeometry& geometry, float side)
{
    const FigureBone thigh = side > 0.0f ? BoneThighLeft : BoneThighRight;
    const FigureBone shin = side > 0.0f ? BoneShinLeft : BoneShinRight;
    const FigureBone foot = side > 0.0f ? BoneFootLeft : BoneFootRight;
    geometry.addPrism(kTrousers, thigh, {side * 0.18f, -0.45f, 0.0f}, {0.14f, 0.15f}, {side * 0.19f, -1.52f, 0.0f},
                      {0.1f, 0.105f}, kLimbSides);
    geometry.addPrism(kTrousers, shin, {side * 0.19f, -1.5f, 0.0f}, {0.1f, 0.105f}, {side * 0.19f, -2.36f, -0.01f},
                      {0.08f, 0.08f}, kLimbSides);
    geometry.addBox(kShoes, foot, {side * 0.19f - 0.085f, -FigureRig::kOriginAboveFeet, -0.13f},
                    {side * 0.19f + 0.085f, -FigureRig::kOriginAboveFeet + kSoleHeight, 0.26f});
}
