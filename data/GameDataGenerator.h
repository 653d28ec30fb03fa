#pragma once

#include <string>

/// Writes all of the game's data: the running man's mesh and skeleton, the material script, the ground and sky
/// textures, the three pictures and the sounds into mediaDirectory, and the default trajectory library into
/// runDirectory. Needs a running engine (HeadlessEngine); reports each file and each failure in the engine log.
class GameDataGenerator
{
public:
    static constexpr int kGroundSize = 512;
    static constexpr int kSkyFaceSize = 512;
    static constexpr int kJpegQuality = 92;

    static bool run(const std::string& mediaDirectory, const std::string& runDirectory);

private:
    static bool writeTextures(const std::string& mediaDirectory);
    static bool writePictures(const std::string& mediaDirectory);
    static bool writeSounds(const std::string& mediaDirectory);
    static bool writeLibrary(const std::string& runDirectory);
};
