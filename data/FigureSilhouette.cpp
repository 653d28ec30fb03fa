#include "FigureSilhouette.h"

#include <cmath>

namespace
{
constexpr float kDegrees = 3.14159265f / 180.0f;
constexpr float kThigh = 0.25f;
constexpr float kShin = 0.24f;
constexpr float kTorso = 0.3f;
constexpr float kNeck = 0.07f;
constexpr float kHeadRadius = 0.075f;
constexpr float kUpperArm = 0.16f;
constexpr float kForeArm = 0.15f;
constexpr float kLimbWidth = 0.075f;
constexpr float kTorsoWidth = 0.15f;

struct Point
{
    float x;
    float y; ///< upward
};

Point step(const Point& from, float angleFromDown, float length)
{
    return {from.x + std::sin(angleFromDown * kDegrees) * length, from.y - std::cos(angleFromDown * kDegrees) * length};
}

class Canvas
{
public:
    Canvas(cimg_library::CImg<unsigned char>& target, int x, int groundY, int height, bool mirrored, float tilt,
           const unsigned char* fill, float alpha)
        : image(target), originX(x), originY(groundY), scale(static_cast<float>(height)), side(mirrored ? -1.0f : 1.0f),
          tiltCos(std::cos(tilt * kDegrees)), tiltSin(std::sin(tilt * kDegrees)), colour(fill), opacity(alpha)
    {
    }

    void limb(const Point& a, const Point& b, float width)
    {
        const float ax = screenX(a), ay = screenY(a), bx = screenX(b), by = screenY(b);
        const float length = std::hypot(bx - ax, by - ay);
        if (length < 0.5f)
            return;
        const float half = width * scale * 0.5f;
        const float nx = -(by - ay) / length * half;
        const float ny = (bx - ax) / length * half;
        cimg_library::CImg<int> corners(4, 2);
        const float xs[4] = {ax + nx, bx + nx, bx - nx, ax - nx};
        const float ys[4] = {ay + ny, by + ny, by - ny, ay - ny};
        for (int i = 0; i < 4; ++i)
        {
            corners(i, 0) = static_cast<int>(std::lround(xs[i]));
            corners(i, 1) = static_cast<int>(std::lround(ys[i]));
        }
        image.draw_polygon(corners, colour, opacity);
        joint(a, width * 0.5f);
        joint(b, width * 0.5f);
    }

    void joint(const Point& p, float radius)
    {
        image.draw_circle(static_cast<int>(std::lround(screenX(p))), static_cast<int>(std::lround(screenY(p))),
                          static_cast<int>(std::lround(radius * scale)), colour, opacity);
    }

private:
    // Turned about the feet by the tilt, then mirrored and scaled into the image (whose y runs down).
    float screenX(const Point& p) const { return originX + side * (p.x * tiltCos + p.y * tiltSin) * scale; }
    float screenY(const Point& p) const { return originY - (p.y * tiltCos - p.x * tiltSin) * scale; }

    cimg_library::CImg<unsigned char>& image;
    float originX;
    float originY;
    float scale;
    float side;
    float tiltCos;
    float tiltSin;
    const unsigned char* colour;
    float opacity;
};
} // namespace

FigureSilhouette::Pose FigureSilhouette::running(float phase)
{
    const float s = std::sin(phase);
    Pose pose;
    pose.torso = 165.0f;
    pose.thighFront = 40.0f + 10.0f * s;
    pose.shinFront = 10.0f + 10.0f * s;
    pose.thighBack = -30.0f - 10.0f * s;
    pose.shinBack = -95.0f;
    pose.upperArmFront = 40.0f;
    pose.foreArmFront = 110.0f;
    pose.upperArmBack = -40.0f;
    pose.foreArmBack = 30.0f;
    return pose;
}

FigureSilhouette::Pose FigureSilhouette::cheering()
{
    Pose pose;
    pose.upperArmFront = 150.0f;
    pose.foreArmFront = 170.0f;
    pose.upperArmBack = -150.0f;
    pose.foreArmBack = -170.0f;
    pose.thighFront = 12.0f;
    pose.shinFront = 5.0f;
    pose.thighBack = -12.0f;
    pose.shinBack = -5.0f;
    return pose;
}

FigureSilhouette::Pose FigureSilhouette::fallen()
{
    Pose pose;
    pose.upperArmFront = 170.0f;
    pose.foreArmFront = 180.0f;
    pose.upperArmBack = 20.0f;
    pose.foreArmBack = 10.0f;
    pose.thighFront = 8.0f;
    pose.shinFront = -10.0f;
    pose.thighBack = -6.0f;
    pose.shinBack = -40.0f;
    pose.tilt = 90.0f;
    return pose;
}

void FigureSilhouette::draw(cimg_library::CImg<unsigned char>& image, const Pose& pose, int x, int groundY, int height,
                            bool mirrored, const unsigned char* colour, float opacity)
{
    // Lying flat the body rests on its side's thickness rather than on its feet.
    const float lift = std::sin(pose.tilt * kDegrees) * kTorsoWidth * 0.5f;
    Canvas canvas(image, x, groundY - static_cast<int>(lift * height), height, mirrored, pose.tilt, colour, opacity);
    const Point hip{0.0f, kThigh + kShin};
    const Point neck = step(hip, pose.torso, kTorso);
    const Point head = step(neck, pose.torso, kNeck + kHeadRadius);
    const Point shoulder = step(hip, pose.torso, kTorso * 0.92f);

    const Point kneeBack = step(hip, pose.thighBack, kThigh);
    canvas.limb(hip, kneeBack, kLimbWidth);
    canvas.limb(kneeBack, step(kneeBack, pose.shinBack, kShin), kLimbWidth * 0.9f);
    const Point elbowBack = step(shoulder, pose.upperArmBack, kUpperArm);
    canvas.limb(shoulder, elbowBack, kLimbWidth * 0.8f);
    canvas.limb(elbowBack, step(elbowBack, pose.foreArmBack, kForeArm), kLimbWidth * 0.7f);

    canvas.limb(hip, neck, kTorsoWidth);
    canvas.joint(head, kHeadRadius);

    const Point kneeFront = step(hip, pose.thighFront, kThigh);
    canvas.limb(hip, kneeFront, kLimbWidth);
    canvas.limb(kneeFront, step(kneeFront, pose.shinFront, kShin), kLimbWidth * 0.9f);
    const Point elbowFront = step(shoulder, pose.upperArmFront, kUpperArm);
    canvas.limb(shoulder, elbowFront, kLimbWidth * 0.8f);
    canvas.limb(elbowFront, step(elbowFront, pose.foreArmFront, kForeArm), kLimbWidth * 0.7f);
}
