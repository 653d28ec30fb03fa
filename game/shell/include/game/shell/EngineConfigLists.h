#pragma once

#include <string>
#include <vector>

/// One resource location of "resources.cfg": a section names the group, a setting's key the archive type
/// and its value the directory or archive.
struct ResourceLocation
{
    std::string group;
    std::string archiveType;
    std::string location;
};

/// Plug-in names of a plug-in list file, in the file's section and key order. Only settings keyed exactly
/// "Plugin" count; their values are passed on unchanged (a plug-in folder setting is not applied).
std::vector<std::string> pluginNamesInFile(const std::string& fileName);

/// Resource locations of a resource list file: sections in ascending name order, settings within a
/// section in ascending key order and, for equal keys, in file order.
std::vector<ResourceLocation> resourceLocationsInFile(const std::string& fileName);
