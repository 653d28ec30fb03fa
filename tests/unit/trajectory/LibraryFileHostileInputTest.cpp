// Files that a program might be handed by accident or on purpose: each must end in a logged failure or a
// sensible library, never in a crash or a hang.

#include "support/LibraryFile.h"
#include "support/LogCapture.h"
#include "support/Markup.h"
#include "support/TempDir.h"
#include "trajectory/KelTrajectoryLibrary.h"

#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>

namespace
{

std::string nested(const std::string& tag, int depth)
{
    std::string text;
    text.reserve(depth * (2 * tag.size() + 5));
    for (int i = 0; i < depth; ++i)
        text += "<" + tag + ">";
    for (int i = 0; i < depth; ++i)
        text += "</" + tag + ">";
    return text;
}

class HostileFileTest : public ::testing::Test
{
protected:
    LogCapture log;
    TempDir dir;
    KelTrajectoryLibrary library;
};

} // namespace

TEST_F(HostileFileTest, DeepNestingIsRefusedBeforeParsingHoweverItIsDisguised)
{
    // Each of these once slipped past a nesting count that read the text by other rules than the parser's,
    // and overflowed its stack.
    for (const std::string& text : {
             "<Trajectories>" + nested("x", 200000) + "</Trajectories>",
             "<?xml version=\"1.0\" ?>" + nested("Trajectories", 100000),
             nested("a b=\"<c>\"", 50000),
             "<Trajectories><\">" + repeated("<a>", 100000),
             "</x\">" + repeated("<a>", 100000),
             "<m t=\"&#\"#;\">" + repeated("<r>", 100000),
             "<?xml version=\"1.0\" ?>" + repeated("<a>\xC3</a>", 100000),
         })
    {
        EXPECT_FALSE(library.parseFileForTraj(dir.write("deep.xml", text)));
    }
    EXPECT_EQ(log.countOf(kLibraryLoadFailedLine), 7u);
    EXPECT_EQ(library.count(), 0);
}

TEST_F(HostileFileTest, ElementsWithManyAttributesAreRefused)
{
    // The parser looks every new attribute up among the element's earlier ones: quadratic time.
    std::string attributes;
    for (int i = 0; i < 100000; ++i)
        attributes += " a" + std::to_string(i) + "=\"\"";
    EXPECT_FALSE(library.parseFileForTraj(dir.write("wide.xml", "<Trajectories" + attributes + "/>")));
    EXPECT_TRUE(log.contains(kLibraryLoadFailedLine));
}

TEST_F(HostileFileTest, TextThatWouldTakeTooMuchMemoryToParseIsRefused)
{
    // 32 MB of empty elements: a few bytes each in the file, a few hundred once parsed.
    EXPECT_FALSE(library.parseFileForTraj(dir.write("dense.xml", "<Trajectories>" + repeated("<a/>", 8000000))));
    EXPECT_TRUE(log.contains(kLibraryLoadFailedLine));
}

TEST_F(HostileFileTest, SpecialFilesAreRefusedWithoutWaiting)
{
    ASSERT_EQ(::mkfifo(dir.file("library1.xml").c_str(), 0644), 0);
    EXPECT_FALSE(library.parseFileForTraj(dir.file("library1.xml")));
    EXPECT_FALSE(library.parseFileForTraj("/dev/zero"));
    EXPECT_FALSE(library.parseFileForTraj(dir.path));
    EXPECT_EQ(log.countOf(kLibraryLoadFailedLine), 3u);
}

TEST_F(HostileFileTest, OrdinaryNestingInsideCommentsAndAttributesStillReads)
{
    std::string text = "<?xml version=\"1.0\" ?>\n<!-- " + std::string(5000, '<') + " -->\n<Trajectories>\n" +
                       "<Trajectory name=\"a&gt;b\" note=\"<<<<\"><TrackPos><Elem time=\"0\" px=\"1\" py=\"2\"/>" +
                       "</TrackPos></Trajectory>\n<![CDATA[" + std::string(5000, '<') + "]]>\n</Trajectories>\n";
    ASSERT_TRUE(library.parseFileForTraj(dir.write("fine.xml", text)));
    ASSERT_EQ(library.count(), 1);
    EXPECT_EQ(library.getTraj(0).getName(), "a>b");
}

TEST_F(HostileFileTest, GarbageAndTruncatedFilesFailCleanly)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string garbage;
    for (int i = 0; i < 100000; ++i)
        garbage += static_cast<char>(byte(random));
    EXPECT_FALSE(library.parseFileForTraj(dir.write("garbage.xml", garbage)));

    std::string good = "<?xml version=\"1.0\" ?>\n<Trajectories>\n<Trajectory name=\"t\" >\n\t<TrackPos>\n"
                       "\t\t<Elem time=\"0\"  px=\"1\"  py=\"2\" />\n</TrackPos><TrackYaw>\n</TrackYaw></Trajectory>\n"
                       "\n</Trajectories>\n";
    for (std::size_t cut = 1; cut < good.size(); cut += 7)
        library.parseFileForTraj(dir.write("cut.xml", good.substr(0, cut)));
    EXPECT_EQ(library.count(), 0);
    EXPECT_TRUE(library.parseFileForTraj(dir.write("whole.xml", good)));
    EXPECT_EQ(library.count(), 1);
}

TEST_F(HostileFileTest, ExtremeNumbersDoNotBreakTheTrack)
{
    std::string text = "<Trajectories><Trajectory name=\"n\"><TrackPos>"
                       "<Elem time=\"1e999\" px=\"-1e999\" py=\"nan\"/><Elem time=\"-inf\" px=\"inf\" py=\"1e-999\"/>"
                       "<Elem time=\"5\" px=\"0x10\" py=\"  -2.5e1 \"/></TrackPos></Trajectory></Trajectories>";
    ASSERT_TRUE(library.parseFileForTraj(dir.write("numbers.xml", text)));
    const Trajectory trajectory = library.getTraj(0);
    const auto& keys = trajectory.getTrackPos();
    ASSERT_FALSE(keys.empty());
    for (std::size_t i = 1; i < keys.size(); ++i)
        EXPECT_LT(keys[i - 1].time, keys[i].time);
    float x = 0, y = 0;
    trajectory.positionAt(5, x, y);
}

TEST_F(HostileFileTest, ManyKeysInReverseTimeOrderAreReadCompletely)
{
    const int keyCount = 200000;
    std::string text = "<Trajectories><Trajectory name=\"reverse\"><TrackPos>\n";
    for (int i = keyCount - 1; i >= 0; --i)
        text += "<Elem time=\"" + std::to_string(i) + "\" px=\"" + std::to_string(i % 1000) + "\" py=\"1\"/>\n";
    text += "</TrackPos></Trajectory></Trajectories>\n";
    ASSERT_TRUE(library.parseFileForTraj(dir.write("reverse.xml", text)));
    const Trajectory trajectory = library.getTraj(0);
    const auto& keys = trajectory.getTrackPos();
    ASSERT_EQ(keys.size(), static_cast<std::size_t>(keyCount));
    EXPECT_EQ(keys.front().time, 0);
    EXPECT_EQ(keys.back().time, keyCount - 1);
    EXPECT_EQ(keys.back().px, 999);
}
