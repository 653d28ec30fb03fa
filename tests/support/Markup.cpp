#include "support/Markup.h"

#include <tinyxml.h>

#include <algorithm>

std::string repeated(const std::string& piece, std::size_t count)
{
    std::string text;
    text.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

ElementTree elementTreeIn(const TiXmlNode& node)
{
    ElementTree tree;
    for (const TiXmlNode* child = node.FirstChild(); child; child = child->NextSibling())
    {
        const std::size_t self = child->ToElement() ? 1 : 0;
        const ElementTree below = elementTreeIn(*child);
        tree.deepest = std::max(tree.deepest, below.deepest + self);
        tree.elements += below.elements + self;
    }
    return tree;
}
