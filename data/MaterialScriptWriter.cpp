#include "MaterialScriptWriter.h"

#include "FigurePalette.h"
#include "game/logic/HeroLook.h"

#include <fstream>
#include <sstream>

namespace
{
constexpr int kFigureShininess = 16;

void writeGround(std::ostream& out, const std::string& groundTexture)
{
    out << "material " << MaterialScriptWriter::kGroundMaterial << "\n{\n"
        << "    receive_shadows on\n"
        << "    technique\n    {\n        pass\n        {\n"
        << "            ambient 1 1 1\n"
        << "            diffuse 1 1 1\n"
        << "            specular 0 0 0 1\n"
        << "            texture_unit\n            {\n"
        << "                texture " << groundTexture << "\n"
        << "                filtering trilinear\n"
        << "            }\n        }\n    }\n}\n\n";
}

void writeSky(std::ostream& out, const std::string& skyCubeName)
{
    out << "material " << MaterialScriptWriter::kSkyMaterial << "\n{\n"
        << "    technique\n    {\n        pass\n        {\n"
        << "            lighting off\n"
        << "            depth_write off\n"
        << "            texture_unit\n            {\n"
        << "                texture " << skyCubeName << " cubic\n"
        << "                tex_address_mode clamp\n"
        << "            }\n        }\n    }\n}\n\n";
}

// The colours come from the palette texture. The pass's ambient and diffuse are halved and the texture stage
// doubles them back: the light's sum is then never clamped before the colour multiplies it, and each part is lit
// exactly as a material of its plain colour would be. Glossy parts carry their highlight in the vertex colour.
void writeFigure(std::ostream& out)
{
    out << "material " << FigurePalette::kMaterialName << "\n{\n"
        << "    technique\n    {\n        pass\n        {\n"
        << "            ambient 0.5 0.5 0.5\n"
        << "            diffuse 0.5 0.5 0.5\n"
        << "            specular vertexcolour " << kFigureShininess << "\n"
        << "            texture_unit\n            {\n"
        << "                texture " << Sarna::HeroLook::kFigureTexture << "\n"
        << "                filtering none\n"
        << "                colour_op_ex modulate_x2 src_texture src_current\n"
        << "            }\n        }\n    }\n}\n\n";
}
} // namespace

std::string MaterialScriptWriter::scriptText(const std::string& groundTexture, const std::string& skyCubeName)
{
    std::ostringstream out;
    out << "// Materials of the game's scene and of its running man; generated at build time.\n\n";
    writeGround(out, groundTexture);
    writeSky(out, skyCubeName);
    writeFigure(out);
    return out.str();
}

bool MaterialScriptWriter::write(const std::string& directory, const std::string& groundTexture,
                                 const std::string& skyCubeName)
{
    std::ofstream file(directory + "/" + kScriptName);
    file << scriptText(groundTexture, skyCubeName);
    return static_cast<bool>(file);
}
