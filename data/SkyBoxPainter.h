#pragma once

#include <CImg.h>
#include <OgreVector.h>

#include <string>

/// Paints the six faces of an evening sky cube map: a deep blue zenith, a warm glow round a low sun, streaks of
/// lit cloud and a dark horizon haze. Every texel's colour comes from its direction, so the faces meet exactly.
class SkyBoxPainter
{
public:
    /// Common name of the cube; the engine loads the faces from it with the suffixes of faceSuffix.
    static constexpr const char* kCubeName = "EveningSky.jpg";
    static constexpr int kFaceCount = 6;

    /// File suffix of a face in the engine's cube-map order: +X, -X, +Y, -Y, +Z, -Z.
    static const char* faceSuffix(int face);
    /// The file name of a face, e.g. "EveningSky_rt.jpg".
    static std::string faceFileName(int face);

    /// Direction seen through texel (x, y) of a face of the given size, in the usual cube-map layout.
    static Ogre::Vector3 texelDirection(int face, int x, int y, int size);
    /// The sky's colour, 0..1 per channel, in a direction.
    static Ogre::Vector3 colourAt(const Ogre::Vector3& direction);

    static cimg_library::CImg<unsigned char> paintFace(int face, int size);
};
