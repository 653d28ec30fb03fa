#include "game/shell/EngineConfigLists.h"

#include <OgreConfigFile.h>

namespace
{
const char* const kSeparators = "\t:=";

Ogre::ConfigFile loadConfigFile(const std::string& fileName)
{
    Ogre::ConfigFile file;
    file.load(fileName, kSeparators, true);
    return file;
}
} // namespace

std::vector<std::string> pluginNamesInFile(const std::string& fileName)
{
    std::vector<std::string> names;
    const Ogre::ConfigFile file = loadConfigFile(fileName);
    for (const auto& section : file.getSettingsBySection())
    {
        for (const auto& setting : section.second)
        {
            if (setting.first == "Plugin")
            {
                names.push_back(setting.second);
            }
        }
    }
    return names;
}

std::vector<ResourceLocation> resourceLocationsInFile(const std::string& fileName)
{
    std::vector<ResourceLocation> locations;
    const Ogre::ConfigFile file = loadConfigFile(fileName);
    for (const auto& section : file.getSettingsBySection())
    {
        for (const auto& setting : section.second)
        {
            locations.push_back({section.first, setting.first, setting.second});
        }
    }
    return locations;
}
