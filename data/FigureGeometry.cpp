#include "FigureGeometry.h"

#include <OgreMath.h>

#include <algorithm>

namespace
{
constexpr float kMinimumDoubleArea = 1e-8f;

/// A unit vector perpendicular to axis, as close to world X as possible (world Z for an axis along X).
Ogre::Vector3 sideAxis(const Ogre::Vector3& axis)
{
    const Ogre::Vector3 reference = std::abs(axis.x) > 0.9f ? Ogre::Vector3::UNIT_Z : Ogre::Vector3::UNIT_X;
    return (reference - axis * axis.dotProduct(reference)).normalisedCopy();
}
} // namespace

std::size_t FigureGeometry::colourGroup(const std::string& colourName)
{
    const auto found = std::find(colourNames.begin(), colourNames.end(), colourName);
    if (found != colourNames.end())
        return static_cast<std::size_t>(found - colourNames.begin());
    colourNames.push_back(colourName);
    triangles.emplace_back();
    return colourNames.size() - 1;
}

std::size_t FigureGeometry::triangleCount() const
{
    std::size_t count = 0;
    for (const auto& group : triangles)
        count += group.size() / 3;
    return count;
}

std::uint16_t FigureGeometry::addVertex(std::size_t group, const Ogre::Vector3& position, const Ogre::Vector3& normal,
                                        unsigned short bone)
{
    vertices.push_back({position, normal.normalisedCopy(), bone, static_cast<unsigned short>(group)});
    return static_cast<std::uint16_t>(vertices.size() - 1);
}

void FigureGeometry::addTriangle(std::size_t group, std::uint16_t a, std::uint16_t b, std::uint16_t c,
                                 const Ogre::Vector3& outward)
{
    const Ogre::Vector3& pa = vertices[a].position;
    const Ogre::Vector3 faceNormal = (vertices[b].position - pa).crossProduct(vertices[c].position - pa);
    if (faceNormal.squaredLength() < kMinimumDoubleArea * kMinimumDoubleArea)
        return;
    auto& list = triangles[group];
    list.push_back(a);
    if (faceNormal.dotProduct(outward) >= 0.0f)
    {
        list.push_back(b);
        list.push_back(c);
    }
    else
    {
        list.push_back(c);
        list.push_back(b);
    }
}

void FigureGeometry::addQuad(std::size_t group, std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d,
                             const Ogre::Vector3& outward)
{
    addTriangle(group, a, b, c, outward);
    addTriangle(group, a, c, d, outward);
}

void FigureGeometry::addCap(std::size_t group, unsigned short bone, const std::vector<Ogre::Vector3>& ring,
                            const Ogre::Vector3& outward)
{
    std::vector<std::uint16_t> capIndices;
    for (const Ogre::Vector3& point : ring)
        capIndices.push_back(addVertex(group, point, outward, bone));
    for (std::size_t i = 1; i + 1 < capIndices.size(); ++i)
        addTriangle(group, capIndices[0], capIndices[i], capIndices[i + 1], outward);
}

void FigureGeometry::addPrism(const std::string& colour, unsigned short bone, const Ogre::Vector3& bottom,
                              const Ogre::Vector2& bottomRadii, const Ogre::Vector3& top, const Ogre::Vector2& topRadii,
                              int sides)
{
    const std::size_t group = colourGroup(colour);
    const Ogre::Vector3 axis = (top - bottom).normalisedCopy();
    const Ogre::Vector3 sideX = sideAxis(axis);
    const Ogre::Vector3 sideZ = sideX.crossProduct(axis);

    std::vector<Ogre::Vector3> bottomRing;
    std::vector<Ogre::Vector3> topRing;
    std::vector<std::uint16_t> bottomIndices;
    std::vector<std::uint16_t> topIndices;
    for (int i = 0; i < sides; ++i)
    {
        const float angle = Ogre::Math::TWO_PI * static_cast<float>(i) / static_cast<float>(sides);
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        bottomRing.push_back(bottom + sideX * (bottomRadii.x * c) + sideZ * (bottomRadii.y * s));
        topRing.push_back(top + sideX * (topRadii.x * c) + sideZ * (topRadii.y * s));
        // The normal of an ellipse, averaged over both ends so that tapered parts shade evenly.
        const Ogre::Vector3 normal =
            sideX * (c / (bottomRadii.x + topRadii.x)) + sideZ * (s / (bottomRadii.y + topRadii.y));
        bottomIndices.push_back(addVertex(group, bottomRing.back(), normal, bone));
        topIndices.push_back(addVertex(group, topRing.back(), normal, bone));
    }
    for (int i = 0; i < sides; ++i)
    {
        const int next = (i + 1) % sides;
        const Ogre::Vector3 outward = vertices[bottomIndices[i]].normal + vertices[bottomIndices[next]].normal;
        addQuad(group, bottomIndices[i], bottomIndices[next], topIndices[next], topIndices[i], outward);
    }
    addCap(group, bone, bottomRing, -axis);
    addCap(group, bone, topRing, axis);
}

void FigureGeometry::addEllipsoid(const std::string& colour, unsigned short bone, const Ogre::Vector3& centre,
                                  const Ogre::Vector3& radii, int rings, int segments, float fromLatitude,
                                  float toLatitude)
{
    const std::size_t group = colourGroup(colour);
    std::vector<std::vector<std::uint16_t>> grid;
    for (int ring = 0; ring <= rings; ++ring)
    {
        const float latitude =
            Ogre::Math::DegreesToRadians(fromLatitude + (toLatitude - fromLatitude) * ring / static_cast<float>(rings));
        std::vector<std::uint16_t> row;
        for (int segment = 0; segment < segments; ++segment)
        {
            const float longitude = Ogre::Math::TWO_PI * static_cast<float>(segment) / static_cast<float>(segments);
            const Ogre::Vector3 unit(std::cos(latitude) * std::cos(longitude), std::sin(latitude),
                                     std::cos(latitude) * std::sin(longitude));
            const Ogre::Vector3 offset = unit * radii;
            const Ogre::Vector3 normal(unit.x / radii.x, unit.y / radii.y, unit.z / radii.z);
            row.push_back(addVertex(group, centre + offset, normal, bone));
        }
        grid.push_back(row);
    }
    for (int ring = 0; ring < rings; ++ring)
    {
        for (int segment = 0; segment < segments; ++segment)
        {
            const int next = (segment + 1) % segments;
            const Ogre::Vector3 outward =
                vertices[grid[ring][segment]].position + vertices[grid[ring + 1][next]].position - centre * 2.0f;
            addQuad(group, grid[ring][segment], grid[ring][next], grid[ring + 1][next], grid[ring + 1][segment],
                    outward);
        }
    }
}

void FigureGeometry::addBox(const std::string& colour, unsigned short bone, const Ogre::Vector3& minimum,
                            const Ogre::Vector3& maximum)
{
    const std::size_t group = colourGroup(colour);
    const Ogre::Vector3 centre = (minimum + maximum) * 0.5f;
    const Ogre::Vector3 half = (maximum - minimum) * 0.5f;
    for (int axis = 0; axis < 3; ++axis)
    {
        for (float sign : {-1.0f, 1.0f})
        {
            Ogre::Vector3 normal = Ogre::Vector3::ZERO;
            normal[axis] = sign;
            const int u = (axis + 1) % 3;
            const int v = (axis + 2) % 3;
            std::uint16_t corners[4];
            const float us[4] = {-1.0f, 1.0f, 1.0f, -1.0f};
            const float vs[4] = {-1.0f, -1.0f, 1.0f, 1.0f};
            for (int corner = 0; corner < 4; ++corner)
            {
                Ogre::Vector3 point = centre;
                point[axis] += sign * half[axis];
                point[u] += us[corner] * half[u];
                point[v] += vs[corner] * half[v];
                corners[corner] = addVertex(group, point, normal, bone);
            }
            addQuad(group, corners[0], corners[1], corners[2], corners[3], normal);
        }
    }
}
