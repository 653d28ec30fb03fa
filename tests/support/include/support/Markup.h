#pragma once

#include <cstddef>
#include <string>

class TiXmlNode;

/// piece, count times over: the building block of deep and wide hostile markup.
std::string repeated(const std::string& piece, std::size_t count);

/// What TinyXML built below a node: the most elements open at once, and how many elements there are.
struct ElementTree
{
    std::size_t deepest = 0;
    std::size_t elements = 0;
};
ElementTree elementTreeIn(const TiXmlNode& node);
