#pragma once

/// A turn of the drawing plane by an angle in degrees. The angle is taken to radians in single precision with the
/// engine's degree constant, its sine and cosine without lookup tables, and every product and sum is rounded to a
/// 32-bit float: every point turned by one PlaneTurn comes out bit for bit alike, wherever it is turned. With y
/// pointing down, a positive angle turns clockwise on screen.
class PlaneTurn
{
public:
    explicit PlaneTurn(float angleDegrees);

    /// Turns the point (px, py) about the centre (cx, cy).
    void apply(float& px, float& py, float cx, float cy) const;

private:
    float sine;
    float cosine;
};
