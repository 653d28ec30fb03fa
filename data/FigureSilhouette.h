#pragma once

#include <CImg.h>

/// A flat, filled outline of a person for the game's pictures: round head, thick limbs, posed by joint angles.
/// Angles are degrees measured from straight down, positive towards the side the figure faces; lengths are
/// fractions of the standing height.
class FigureSilhouette
{
public:
    struct Pose
    {
        float torso = 180.0f; ///< 180 = upright
        float upperArmFront = 0.0f;
        float foreArmFront = 0.0f;
        float upperArmBack = 0.0f;
        float foreArmBack = 0.0f;
        float thighFront = 0.0f;
        float shinFront = 0.0f;
        float thighBack = 0.0f;
        float shinBack = 0.0f;
        /// Whole-body turn about the feet, degrees towards the facing side; 90 lies flat.
        float tilt = 0.0f;
    };

    static Pose running(float phase);
    static Pose cheering();
    static Pose fallen();

    /// Draws the figure with its feet at (x, groundY), facing right (or left when mirrored), height pixels tall.
    static void draw(cimg_library::CImg<unsigned char>& image, const Pose& pose, int x, int groundY, int height,
                     bool mirrored, const unsigned char* colour, float opacity);
};
