#include "TinyXmlForecast.h"

#include <tinyxml.h>

#include <cctype>
#include <cstring>
#include <vector>

// The forecast is right for this one version of the parser only; the build refuses any other too.
static_assert(TIXML_MAJOR_VERSION == 2 && TIXML_MINOR_VERSION == 6 && TIXML_PATCH_VERSION == 2,
              "the parse forecast follows TinyXML 2.6.2 step by step");

namespace
{

// Each member below follows the TinyXML function of the same name (tinyxmlparser.cpp and tinyxml.h of 2.6.2):
// the same tests in the same order, returning where the parser would stand afterwards, or null where it
// would give up. Only what decides the parser's path is kept; the nodes and strings it builds are not.
class Forecaster
{
public:
    Forecaster(const TinyXmlLimits& parserLimits) : limits(parserLimits) {}

    TinyXmlForecast run(const char* p)
    {
        parseDocument(p);
        return forecast;
    }

private:
    enum class NodeKind
    {
        None,
        Declaration,
        Comment,
        CData,
        Unknown,
        Element
    };

    struct Span
    {
        const char* start;
        std::size_t length;
    };

    bool stopped() const { return forecast.cutShort || forecast.assertion; }

    // White space as the parser sees it: the C library's class for the current locale, plus line ends.
    static bool isWhiteSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) || c == '\n' || c == '\r'; }
    static bool isAlpha(unsigned char c) { return c < 127 ? std::isalpha(c) != 0 : true; }
    static bool isAlphaNum(unsigned char c) { return c < 127 ? std::isalnum(c) != 0 : true; }

    static int toLower(int v, TiXmlEncoding encoding)
    {
        if (encoding == TIXML_ENCODING_UTF8)
            return v < 128 ? std::tolower(v) : v;
        return std::tolower(v);
    }

    static bool isByteOrderMarkLike(const unsigned char* u)
    {
        return u[0] == 0xEF && ((u[1] == 0xBB && u[2] == 0xBF) || (u[1] == 0xBF && (u[2] == 0xBE || u[2] == 0xBF)));
    }

    static const char* skipWhiteSpace(const char* p, TiXmlEncoding encoding)
    {
        if (!p || !*p)
            return nullptr;
        if (encoding == TIXML_ENCODING_UTF8)
        {
            while (*p)
            {
                if (isByteOrderMarkLike(reinterpret_cast<const unsigned char*>(p)))
                    p += 3;
                else if (isWhiteSpace(*p))
                    ++p;
                else
                    break;
            }
        }
        else
        {
            while (*p && isWhiteSpace(*p))
                ++p;
        }
        return p;
    }

    // The parser asserts when asked to compare at the end of the text.
    bool stringEqual(const char* p, const char* tag, bool ignoreCase, TiXmlEncoding encoding)
    {
        if (!p || !*p)
        {
            forecast.assertion = true;
            return false;
        }
        if (ignoreCase)
        {
            while (*p && *tag && toLower(*p, encoding) == toLower(*tag, encoding))
            {
                ++p;
                ++tag;
            }
        }
        else
        {
            while (*p && *tag && *p == *tag)
            {
                ++p;
                ++tag;
            }
        }
        return *tag == 0;
    }

    // An end tag: "</" and the element's name, compared without regard to what follows.
    bool endTagEqual(const char* p, const Span& name)
    {
        if (!p || !*p)
        {
            forecast.assertion = true;
            return false;
        }
        if (p[0] != '<' || p[1] != '/')
            return false;
        for (std::size_t i = 0; i < name.length; ++i)
        {
            if (p[2 + i] != name.start[i])
                return false;
        }
        return true;
    }

    static const char* readName(const char* p, Span& name)
    {
        name = Span{p, 0};
        if (p && *p && (isAlpha(static_cast<unsigned char>(*p)) || *p == '_'))
        {
            const char* start = p;
            while (p && *p &&
                   (isAlphaNum(static_cast<unsigned char>(*p)) || *p == '_' || *p == '-' || *p == '.' || *p == ':'))
                ++p;
            name.length = static_cast<std::size_t>(p - start);
            return p;
        }
        return nullptr;
    }

    static const char* getEntity(const char* p, std::string* value, TiXmlEncoding encoding)
    {
        if (*(p + 1) && *(p + 1) == '#' && *(p + 2))
        {
            unsigned long ucs = 0;
            std::ptrdiff_t delta = 0;
            unsigned mult = 1;
            const bool hex = *(p + 2) == 'x';
            if (hex && !*(p + 3))
                return nullptr;
            const char* q = std::strchr(p + (hex ? 3 : 2), ';');
            if (!q || !*q)
                return nullptr;
            delta = q - p;
            --q;
            const char stop = hex ? 'x' : '#';
            while (*q != stop)
            {
                if (*q >= '0' && *q <= '9')
                    ucs += mult * (*q - '0');
                else if (hex && *q >= 'a' && *q <= 'f')
                    ucs += mult * (*q - 'a' + 10);
                else if (hex && *q >= 'A' && *q <= 'F')
                    ucs += mult * (*q - 'A' + 10);
                else
                    return nullptr;
                mult *= hex ? 16 : 10;
                --q;
            }
            if (value)
                appendCodePoint(*value, ucs, encoding);
            return p + delta + 1;
        }
        static const char* const kEntities[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"};
        static const char kCharacters[] = {'&', '<', '>', '"', '\''};
        for (std::size_t i = 0; i < sizeof(kCharacters); ++i)
        {
            const std::size_t length = std::strlen(kEntities[i]);
            if (std::strncmp(kEntities[i], p, length) == 0)
            {
                if (value)
                    *value += kCharacters[i];
                return p + length;
            }
        }
        // An unknown entity adds nothing: the parser leaves its length at zero.
        return p + 1;
    }

    static void appendCodePoint(std::string& value, unsigned long ucs, TiXmlEncoding encoding)
    {
        if (encoding != TIXML_ENCODING_UTF8)
        {
            value += static_cast<char>(ucs);
            return;
        }
        // As TiXmlBase::ConvertUTF32ToUTF8: up to four bytes, nothing at all beyond them.
        if (ucs < 0x80)
            value += static_cast<char>(ucs);
        else if (ucs < 0x800)
            appendUtf8(value, ucs, 2, 0xC0);
        else if (ucs < 0x10000)
            appendUtf8(value, ucs, 3, 0xE0);
        else if (ucs < 0x200000)
            appendUtf8(value, ucs, 4, 0xF0);
    }

    static void appendUtf8(std::string& value, unsigned long ucs, int length, unsigned char leadMark)
    {
        char bytes[4] = {0, 0, 0, 0};
        for (int i = length - 1; i > 0; --i)
        {
            bytes[i] = static_cast<char>((ucs | 0x80) & 0xBF);
            ucs >>= 6;
        }
        bytes[0] = static_cast<char>(ucs | leadMark);
        value.append(bytes, static_cast<std::size_t>(length));
    }

    static const char* getChar(const char* p, std::string* value, TiXmlEncoding encoding)
    {
        const int length =
            encoding == TIXML_ENCODING_UTF8 ? TiXmlBase::utf8ByteTable[static_cast<unsigned char>(*p)] : 1;
        if (length == 1)
        {
            if (*p == '&')
                return getEntity(p, value, encoding);
            if (value)
                *value += *p;
            return p + 1;
        }
        if (value)
        {
            for (int i = 0; p[i] && i < length; ++i)
                *value += p[i];
        }
        return p + length;
    }

    const char* readText(const char* p, std::string* value, bool trimWhiteSpace, const char* endTag,
                         TiXmlEncoding encoding)
    {
        if (!trimWhiteSpace || !TiXmlBase::IsWhiteSpaceCondensed())
        {
            while (p && *p && !stringEqual(p, endTag, false, encoding))
                p = getChar(p, value, encoding);
        }
        else
        {
            p = skipWhiteSpace(p, encoding);
            while (p && *p && !stringEqual(p, endTag, false, encoding))
            {
                if (isWhiteSpace(*p))
                    ++p;
                else
                    p = getChar(p, value, encoding);
            }
        }
        if (p && *p)
            p += std::strlen(endTag);
        return (p && *p) ? p : nullptr;
    }

    NodeKind identify(const char* p, TiXmlEncoding encoding)
    {
        p = skipWhiteSpace(p, encoding);
        if (!p || !*p || *p != '<')
            return NodeKind::None;
        if (stringEqual(p, "<?xml", true, encoding))
            return NodeKind::Declaration;
        if (stringEqual(p, "<!--", false, encoding))
            return NodeKind::Comment;
        if (stringEqual(p, "<![CDATA[", false, encoding))
            return NodeKind::CData;
        if (stringEqual(p, "<!", false, encoding))
            return NodeKind::Unknown;
        if (isAlpha(static_cast<unsigned char>(*(p + 1))) || *(p + 1) == '_')
            return NodeKind::Element;
        return NodeKind::Unknown;
    }

    const char* parseNode(NodeKind kind, const char* p, TiXmlEncoding encoding, std::string* declaredEncoding)
    {
        if (kind == NodeKind::Element)
        {
            ++forecast.elements;
            return parseElement(p, encoding);
        }
        ++forecast.otherNodes;
        switch (kind)
        {
        case NodeKind::Declaration:
            return parseDeclaration(p, encoding, declaredEncoding);
        case NodeKind::Comment:
            return parseComment(p, encoding);
        case NodeKind::CData:
            return parseText(p, true, encoding);
        default:
            return parseUnknown(p, encoding);
        }
    }

    void parseDocument(const char* p)
    {
        TiXmlEncoding encoding = TIXML_DEFAULT_ENCODING;
        if (!p || !*p)
            return;
        const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
        if (u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF)
            encoding = TIXML_ENCODING_UTF8;
        p = skipWhiteSpace(p, encoding);
        while (p && *p && !stopped())
        {
            const NodeKind kind = identify(p, encoding);
            if (kind == NodeKind::None)
                break;
            std::string declared;
            p = parseNode(kind, p, encoding, &declared);
            if (encoding == TIXML_ENCODING_UNKNOWN && kind == NodeKind::Declaration)
                encoding = encodingNamed(declared.c_str());
            p = skipWhiteSpace(p, encoding);
        }
    }

    TiXmlEncoding encodingNamed(const char* name)
    {
        if (*name == 0 || stringEqual(name, "UTF-8", true, TIXML_ENCODING_UNKNOWN) ||
            stringEqual(name, "UTF8", true, TIXML_ENCODING_UNKNOWN))
            return TIXML_ENCODING_UTF8;
        return TIXML_ENCODING_LEGACY;
    }

    const char* parseElement(const char* p, TiXmlEncoding encoding)
    {
        // The parser's frame lives until its element is done, whichever way it ends.
        struct Frame
        {
            Forecaster& owner;
            explicit Frame(Forecaster& forecaster) : owner(forecaster)
            {
                if (++owner.depth > owner.forecast.deepestElement)
                    owner.forecast.deepestElement = owner.depth;
                if (owner.depth > owner.limits.maxDepth)
                    owner.forecast.cutShort = true;
            }
            ~Frame() { --owner.depth; }
        } frame(*this);
        if (stopped())
            return nullptr;

        p = skipWhiteSpace(p, encoding);
        if (!p || !*p || *p != '<')
            return nullptr;
        p = skipWhiteSpace(p + 1, encoding);
        Span name{};
        p = readName(p, name);
        if (!p || !*p)
            return nullptr;

        // Attributes are read before any child element, so one list serves every level in turn.
        attributeNames.clear();
        while (p && *p)
        {
            p = skipWhiteSpace(p, encoding);
            if (!p || !*p)
                return nullptr;
            if (*p == '/')
            {
                ++p;
                return *p == '>' ? p + 1 : nullptr;
            }
            if (*p == '>')
                return readEndTag(readValue(p + 1, encoding), name, encoding);
            Span attributeName{};
            p = parseAttribute(p, attributeName, nullptr, encoding);
            if (!p || !*p || !addAttribute(attributeName))
                return nullptr;
        }
        return p;
    }

    const char* readEndTag(const char* p, const Span& name, TiXmlEncoding encoding)
    {
        if (stopped() || !p || !*p || !endTagEqual(p, name))
            return nullptr;
        p = skipWhiteSpace(p + 2 + name.length, encoding);
        return (p && *p && *p == '>') ? p + 1 : nullptr;
    }

    // False for a name the element already has, which ends the parse.
    bool addAttribute(const Span& name)
    {
        std::vector<Span>& names = attributeNames;
        for (const Span& known : names)
        {
            if (known.length == name.length && std::memcmp(known.start, name.start, name.length) == 0)
                return false;
        }
        names.push_back(name);
        if (names.size() > forecast.mostAttributesInOne)
            forecast.mostAttributesInOne = names.size();
        if (names.size() > limits.maxAttributesInOne)
        {
            forecast.cutShort = true;
            return false;
        }
        return true;
    }

    const char* readValue(const char* p, TiXmlEncoding encoding)
    {
        const char* withWhiteSpace = p;
        p = skipWhiteSpace(p, encoding);
        while (p && *p && !stopped())
        {
            if (*p != '<')
            {
                ++forecast.otherNodes;
                p = parseText(TiXmlBase::IsWhiteSpaceCondensed() ? p : withWhiteSpace, false, encoding);
            }
            else
            {
                if (stringEqual(p, "</", false, encoding))
                    return p;
                const NodeKind kind = identify(p, encoding);
                if (kind == NodeKind::None)
                    return nullptr;
                p = parseNode(kind, p, encoding, nullptr);
            }
            withWhiteSpace = p;
            p = skipWhiteSpace(p, encoding);
        }
        return p;
    }

    const char* parseUnknown(const char* p, TiXmlEncoding encoding)
    {
        p = skipWhiteSpace(p, encoding);
        if (!p || !*p || *p != '<')
            return nullptr;
        ++p;
        while (p && *p && *p != '>')
            ++p;
        return (p && *p == '>') ? p + 1 : p;
    }

    const char* parseComment(const char* p, TiXmlEncoding encoding)
    {
        p = skipWhiteSpace(p, encoding);
        if (!stringEqual(p, "<!--", false, encoding))
            return nullptr;
        p += 4;
        while (p && *p && !stringEqual(p, "-->", false, encoding))
            ++p;
        if (p && *p)
            p += 3;
        return p;
    }

    const char* parseAttribute(const char* p, Span& name, std::string* value, TiXmlEncoding encoding)
    {
        ++forecast.attributes;
        p = skipWhiteSpace(p, encoding);
        if (!p || !*p)
            return nullptr;
        p = readName(p, name);
        if (!p || !*p)
            return nullptr;
        p = skipWhiteSpace(p, encoding);
        if (!p || !*p || *p != '=')
            return nullptr;
        p = skipWhiteSpace(p + 1, encoding);
        if (!p || !*p)
            return nullptr;
        if (value)
            value->clear();
        if (*p == '\'')
            return readText(p + 1, value, false, "'", encoding);
        if (*p == '"')
            return readText(p + 1, value, false, "\"", encoding);
        while (p && *p && !isWhiteSpace(*p) && *p != '/' && *p != '>')
        {
            if (*p == '\'' || *p == '"')
                return nullptr;
            if (value)
                *value += *p;
            ++p;
        }
        return p;
    }

    const char* parseText(const char* p, bool cdata, TiXmlEncoding encoding)
    {
        if (cdata || stringEqual(p, "<![CDATA[", false, encoding))
        {
            if (!stringEqual(p, "<![CDATA[", false, encoding))
                return nullptr;
            p += 9;
            while (p && *p && !stringEqual(p, "]]>", false, encoding))
                ++p;
            return readText(p, nullptr, false, "]]>", encoding);
        }
        p = readText(p, nullptr, true, "<", encoding);
        return (p && *p) ? p - 1 : nullptr;
    }

    // Only the encoding named by a declaration can change how the rest of the document is read.
    const char* parseDeclaration(const char* p, TiXmlEncoding encoding, std::string* declaredEncoding)
    {
        p = skipWhiteSpace(p, encoding);
        if (!p || !*p || !stringEqual(p, "<?xml", true, encoding))
            return nullptr;
        p += 5;
        while (p && *p)
        {
            if (*p == '>')
                return p + 1;
            p = skipWhiteSpace(p, encoding);
            if (!p || !*p)
                break;
            const bool isEncoding = stringEqual(p, "encoding", true, encoding);
            if (isEncoding || stringEqual(p, "version", true, encoding) || stringEqual(p, "standalone", true, encoding))
            {
                // The declaration's attribute is a local one: it counts as no node of the document.
                --forecast.attributes;
                Span ignored{};
                std::string value;
                p = parseAttribute(p, ignored, &value, encoding);
                if (isEncoding && declaredEncoding)
                    *declaredEncoding = value.c_str();
            }
            else
            {
                while (p && *p && *p != '>' && !isWhiteSpace(*p))
                    ++p;
            }
        }
        return nullptr;
    }

    const TinyXmlLimits limits;
    TinyXmlForecast forecast;
    std::size_t depth = 0;
    std::vector<Span> attributeNames;
};

} // namespace

TinyXmlForecast forecastTinyXmlParse(const char* text, const TinyXmlLimits& limits)
{
    return Forecaster(limits).run(text);
}

std::string padForTinyXml(std::string text)
{
    text.append(kTinyXmlPadding, '\0');
    return text;
}
