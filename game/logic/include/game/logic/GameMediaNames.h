#pragma once

namespace Sarna
{

/// Names under which the game loads what the game data generator (data/) writes: both include this header, so
/// that a renamed resource cannot leave the game looking for the old one.

/// The running man's mesh; the hero and every runner are entities of it.
constexpr const char* kFigureMeshName = "Ogre.mesh";
/// Materials of the material script: the sand under the figures and the evening sky box.
constexpr const char* kGroundMaterialName = "TerrainSarnavel";
constexpr const char* kSkyMaterialName = "Examples/EveningSkyBox";
/// The full-screen pictures before a game, after a won game and after a lost one.
constexpr const char* kStartPictureFile = "Debut.jpg";
constexpr const char* kWinPictureFile = "Win.jpg";
constexpr const char* kLostPictureFile = "Lost.jpg";

} // namespace Sarna
