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
#include <unistd.h>
#include <vector>

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
        std::vector<std::string> refusals;
        EXPECT_FALSE(library.parseFileForTraj(dir.write("deep.xml", text), refusals));
        EXPECT_EQ(refusals,
                  std::vector<std::string>{"limite depassee : imbrication d'au moins 257 elements, limite 256"});
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
    std::vector<std::string> refusals;
    EXPECT_FALSE(library.parseFileForTraj(dir.write("wide.xml", "<Trajectories" + attributes + "/>"), refusals));
    EXPECT_TRUE(log.contains(kLibraryLoadFailedLine));
    EXPECT_EQ(refusals, std::vector<std::string>{"limite depassee : au moins 65 attributs sur un element, limite 64"});
}

TEST_F(HostileFileTest, TextThatWouldTakeTooMuchMemoryToParseIsRefused)
{
    // 4 MB of empty elements: four bytes each in the file, about 230 once parsed (and read, before the limit).
    std::vector<std::string> refusals;
    EXPECT_FALSE(
        library.parseFileForTraj(dir.write("dense.xml", "<Trajectories>" + repeated("<a/>", 1000000)), refusals));
    EXPECT_TRUE(log.contains(kLibraryLoadFailedLine));
    EXPECT_EQ(refusals, std::vector<std::string>{"limite depassee : memoire prevue de 300000330 octets, limite "
                                                 "96777496 (20 fois la taille du fichier plus 16777216)"});
}

TEST_F(HostileFileTest, SpecialFilesAreRefusedWithoutWaiting)
{
    ASSERT_EQ(::mkfifo(dir.file("library1.xml").c_str(), 0644), 0);
    EXPECT_FALSE(library.parseFileForTraj(dir.file("library1.xml")));
    EXPECT_FALSE(library.parseFileForTraj("/dev/zero"));
    EXPECT_FALSE(library.parseFileForTraj(dir.path));
    EXPECT_EQ(log.countOf(kLibraryLoadFailedLine), 3u);

    // A sparse file over the size limit is refused unread, and the line says so.
    const std::string large = dir.file("large.xml");
    ASSERT_EQ(::truncate(dir.write("large.xml", "").c_str(), off_t(100) * 1000 * 1000), 0);
    std::vector<std::string> refusals;
    EXPECT_FALSE(library.parseFileForTraj(large, refusals));
    EXPECT_EQ(refusals, std::vector<std::string>{"limite depassee : fichier de 100000000 octets, limite 92274688"});
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

TEST_F(HostileFileTest, ExtremeTimesDoNotBreakTheTrack)
{
    std::string text = "<Trajectories><Trajectory name=\"n\"><TrackPos>"
                       "<Elem time=\"1e999\" px=\"-1e9\" py=\"nan\"/><Elem time=\"-inf\" px=\"inf\" py=\"1e-999\"/>"
                       "<Elem time=\"5\" px=\"0x10\" py=\"  -2.5e1 \"/></TrackPos></Trajectory></Trajectories>";
    ASSERT_TRUE(library.parseFileForTraj(dir.write("numbers.xml", text)));
    const Trajectory trajectory = library.getTraj(0);
    const auto& keys = trajectory.getTrackPos();
    ASSERT_EQ(keys.size(), 3u);
    for (std::size_t i = 1; i < keys.size(); ++i)
        EXPECT_LT(keys[i - 1].time, keys[i].time);
}

TEST_F(HostileFileTest, TrajectoriesWithCoordinatesTooLargeToTurnAreLeftOut)
{
    // Turned by 45 degrees, 3e38 on both axes overflowed to infinity, and interpolating between infinities gave
    // the NaN positions that stopped the game on the engine's assertion.
    const auto trajectory = [](const char* name, const char* px, const char* py)
    {
        return std::string("<Trajectory name=\"") + name + "\"><TrackPos><Elem time=\"0\" px=\"1\" py=\"1\"/>" +
               "<Elem time=\"16\" px=\"" + px + "\" py=\"" + py + "\"/></TrackPos></Trajectory>";
    };
    const std::string text = "<Trajectories>" + trajectory("huge", "3e38", "-3e38") + trajectory("inf", "1", "1e999") +
                             trajectory("large", "2e38", "-2e38") + trajectory("edge", "-2.4e38", "2.4e38") +
                             "</Trajectories>";
    std::vector<std::string> refusals;
    ASSERT_TRUE(library.parseFileForTraj(dir.write("huge.xml", text), refusals));
    ASSERT_EQ(library.count(), 2);
    EXPECT_EQ(library.getTraj(0).getName(), "edge");
    EXPECT_EQ(library.getTraj(1).getName(), "large");
    const std::vector<std::string> expected = {
        "huge : trajectoire refusee, limite depassee : coordonnee de 3e+38 en valeur absolue, limite 2.4e+38",
        "inf : trajectoire refusee, limite depassee : coordonnee de 3.4028235e+38 en valeur absolue, limite 2.4e+38"};
    EXPECT_EQ(refusals, expected);
    for (const std::string& line : expected)
        EXPECT_TRUE(log.contains(line)) << line;
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
