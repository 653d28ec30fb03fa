// The forecast against the parser itself, on the markup that once fooled a simpler nesting count. The fuzz
// target under tests/fuzz makes the same comparison on generated input.

#include "TinyXmlForecast.h"

#include "support/Markup.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

constexpr TinyXmlLimits kNoLimits{1000000, 1000000};

} // namespace

TEST(TinyXmlForecast, FindsTheDepthTheParserReaches)
{
    const std::string deep = repeated("<a>", 40);
    for (const std::string& text : std::vector<std::string>{
             std::string("<?xml version=\"1.0\" ?>\n<Trajectories>\n<Trajectory name=\"t\" >\n\t<TrackPos>\n"
                         "\t\t<Elem time=\"0\"  px=\"1\"  py=\"2\" />\n</TrackPos><TrackYaw>\n</TrackYaw>"
                         "</Trajectory>\n\n</Trajectories>\n"),
             "<Trajectories><\">" + deep,                              // unknown markup holding a quote
             "</x\">" + deep,                                          // end tag at document level
             "<m t=\"&#\"#;\">" + deep,                                // quote inside a character reference
             "<?xml version=\"1.0\" ?>" + repeated("<a>\xC3</a>", 40), // UTF-8 lead byte swallowing "<"
             "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + repeated("<a>\xC3</a>", 40), // the same, one byte
             "\xEF\xBB\xBF" + repeated("<a>\xE2</a>", 40),                                    // byte order mark: UTF-8
             "<a><!-- <b><c> --><![CDATA[<d><e>]]><f x='>'/><g>text<h/></g></a>",
             "<a>" + repeated("<b></b >", 5) + "<c></cc></c>" + deep, // an end tag that only starts alike
             "<a b=c d='e'><f g=\"h\" g=\"i\">" + deep,               // a repeated attribute ends the parse
             "<a>&#x41;&#65;&amp;&bogus;<b>" + deep,
         })
    {
        const std::string padded = padForTinyXml(text);
        TiXmlDocument document;
        document.Parse(padded.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
        const TinyXmlForecast forecast = forecastTinyXmlParse(padded.c_str(), kNoLimits);
        EXPECT_FALSE(forecast.assertion) << text;
        EXPECT_EQ(forecast.deepestElement, elementTreeIn(document).deepest) << text;
    }
}

TEST(TinyXmlForecast, StopsAtTheLimits)
{
    const std::string deep = padForTinyXml(repeated("<a>", 1000));
    TinyXmlForecast forecast = forecastTinyXmlParse(deep.c_str(), {10, 10});
    EXPECT_TRUE(forecast.cutShort);
    EXPECT_EQ(forecast.deepestElement, 11u);

    const std::string wide = padForTinyXml("<a b='' c='' d='' e=''/>");
    EXPECT_FALSE(forecastTinyXmlParse(wide.c_str(), {10, 4}).cutShort);
    EXPECT_TRUE(forecastTinyXmlParse(wide.c_str(), {10, 3}).cutShort);
}
