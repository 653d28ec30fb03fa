#pragma once

#include <OgreVector.h>

#include <cstdint>
#include <string>
#include <vector>

/// One vertex of the figure: position and normal in mesh space, the one bone that carries it, and the index of
/// its colour group.
struct FigureVertex
{
    Ogre::Vector3 position;
    Ogre::Vector3 normal;
    unsigned short bone;
    unsigned short colour;
};

/// Triangle soup of a low-poly figure, grouped by colour, built from simple solids. Every solid is bound whole to
/// one bone and has one colour, which each of its vertices carries. Triangles are wound counter-clockwise seen from
/// outside, as the engine culls.
class FigureGeometry
{
public:
    /// Returns the index of the colour group, creating it on first use.
    std::size_t colourGroup(const std::string& colourName);

    /// A closed prism between two elliptic rings: radii.x lies along the axis' side closest to world X,
    /// radii.y along the third axis. The sides are smooth, the ends flat.
    void addPrism(const std::string& colour, unsigned short bone, const Ogre::Vector3& bottom,
                  const Ogre::Vector2& bottomRadii, const Ogre::Vector3& top, const Ogre::Vector2& topRadii, int sides);

    /// A smooth ellipsoid, or the band of it between two latitudes (degrees, -90 = bottom, 90 = top).
    void addEllipsoid(const std::string& colour, unsigned short bone, const Ogre::Vector3& centre,
                      const Ogre::Vector3& radii, int rings, int segments, float fromLatitude = -90.0f,
                      float toLatitude = 90.0f);

    /// An axis-aligned box with flat faces.
    void addBox(const std::string& colour, unsigned short bone, const Ogre::Vector3& minimum,
                const Ogre::Vector3& maximum);

    const std::vector<FigureVertex>& getVertices() const { return vertices; }
    const std::vector<std::string>& getColourNames() const { return colourNames; }
    /// Three indices per triangle for each colour group, in the order of getColourNames.
    const std::vector<std::vector<std::uint16_t>>& getTriangles() const { return triangles; }
    std::size_t triangleCount() const;

private:
    std::uint16_t addVertex(std::size_t group, const Ogre::Vector3& position, const Ogre::Vector3& normal,
                            unsigned short bone);
    /// Adds the triangle wound so that it faces along outward; degenerate triangles are dropped.
    void addTriangle(std::size_t group, std::uint16_t a, std::uint16_t b, std::uint16_t c,
                     const Ogre::Vector3& outward);
    void addQuad(std::size_t group, std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d,
                 const Ogre::Vector3& outward);
    void addCap(std::size_t group, unsigned short bone, const std::vector<Ogre::Vector3>& ring,
                const Ogre::Vector3& outward);

    std::vector<FigureVertex> vertices;
    std::vector<std::string> colourNames;
    std::vector<std::vector<std::uint16_t>> triangles;
};
