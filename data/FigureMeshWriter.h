#pragma once

#include "game/logic/GameMediaNames.h"

#include <string>

/// Builds the running man as an engine mesh with its skeleton and both animations, and writes the two binary
/// files the game loads. Needs a running engine (HeadlessEngine is enough).
class FigureMeshWriter
{
public:
    static constexpr const char* kMeshName = Sarna::kFigureMeshName;
    static constexpr const char* kSkeletonName = "Ogre.skeleton";

    /// Writes kMeshName and kSkeletonName into directory. Returns false, with a line in the engine log, when a
    /// file cannot be written.
    static bool write(const std::string& directory);
};
