#pragma once

#include "game/logic/GameMediaNames.h"

#include <string>

/// Writes the game's material script: the sand ground, the evening sky box and the running man.
class MaterialScriptWriter
{
public:
    static constexpr const char* kScriptName = "dunestride.material";
    static constexpr const char* kGroundMaterial = Sarna::kGroundMaterialName;
    static constexpr const char* kSkyMaterial = Sarna::kSkyMaterialName;

    /// The script's text, referring to the ground texture and to the sky's cube faces by their common name.
    static std::string scriptText(const std::string& groundTexture, const std::string& skyCubeName);

    /// Writes the script into directory; false if the file cannot be written.
    static bool write(const std::string& directory, const std::string& groundTexture, const std::string& skyCubeName);
};
