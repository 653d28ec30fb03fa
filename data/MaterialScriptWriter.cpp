#include "MaterialScriptWriter.h"

#include "FigureModel.h"

#include <fstream>
#include <sstream>

namespace
{
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

void writeFigureColour(std::ostream& out, const FigureColour& colour)
{
    out << "material " << colour.material << "\n{\n"
        << "    technique\n    {\n        pass\n        {\n"
        << "            ambient " << colour.red << ' ' << colour.green << ' ' << colour.blue << "\n"
        << "            diffuse " << colour.red << ' ' << colour.green << ' ' << colour.blue << "\n";
    if (colour.shininess > 0.0f)
        out << "            specular 0.35 0.35 0.35 " << colour.shininess << "\n";
    out << "        }\n    }\n}\n\n";
}
} // namespace

std::string MaterialScriptWriter::scriptText(const std::string& groundTexture, const std::string& skyCubeName)
{
    std::ostringstream out;
    out << "// Materials of the game's scene and of its running man; generated at build time.\n\n";
    writeGround(out, groundTexture);
    writeSky(out, skyCubeName);
    for (const FigureColour& colour : FigureModel::colours())
        writeFigureColour(out, colour);
    return out.str();
}

bool MaterialScriptWriter::write(const std::string& directory, const std::string& groundTexture,
                                 const std::string& skyCubeName)
{
    std::ofstream file(directory + "/" + kScriptName);
    file << scriptText(groundTexture, skyCubeName);
    return static_cast<bool>(file);
}
