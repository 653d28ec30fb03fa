#include "trajectory/KelTrajectoryLibrary.h"

#include "support/LibraryFile.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "support/TestTrajectories.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <locale>
#include <sys/resource.h>

namespace
{

const char* const kWriteFailed = "[KelTrajectoryLibrary::outPutToFile] lors parsing fichier xml";

std::vector<std::string> namesOf(const KelTrajectoryLibrary& library)
{
    std::vector<std::string> names;
    for (const auto& entry : library)
        names.push_back(entry.first);
    return names;
}

class LibraryFileTest : public ::testing::Test
{
protected:
    LogCapture log;
    TempDir dir;
    KelTrajectoryLibrary library;
};

} // namespace

TEST_F(LibraryFileTest, EmptyLibraryWritesOnlyTheRoot)
{
    ASSERT_TRUE(library.outPutToFile(dir.file("empty.xml")));
    EXPECT_EQ(TempDir::read(dir.file("empty.xml")), TempDir::read(TEST_DATA_DIR "/empty.xml"));
}

TEST_F(LibraryFileTest, TwoKeyDrawingIsWrittenByteForByte)
{
    library.addTrajectory(trajectoryOf("traj1", {{120, 455, 0}, {121, 452, 16}}));
    ASSERT_TRUE(library.outPutToFile(dir.file("out.xml")));
    EXPECT_EQ(TempDir::read(dir.file("out.xml")), TempDir::read(TEST_DATA_DIR "/two-keys.xml"));
}

TEST_F(LibraryFileTest, TwoKeyFileReadsBack)
{
    ASSERT_TRUE(library.parseFileForTraj(TEST_DATA_DIR "/two-keys.xml"));
    ASSERT_EQ(library.count(), 1);
    Trajectory traj = library.getTraj(0);
    EXPECT_EQ(traj.getName(), "traj1");
    ASSERT_EQ(traj.getTrackPos().size(), 2u);
    EXPECT_EQ(traj.getTrackPos()[1].time, 16);
    EXPECT_EQ(traj.getTrackPos()[1].px, 121);
    EXPECT_EQ(traj.getTrackPos()[1].py, 452);
    EXPECT_TRUE(traj.getTrackYaw().empty());
    EXPECT_TRUE(log.contains(TEST_DATA_DIR "/two-keys.xml : lecture du fichier dans "
                                           "[KelTrajectoryLibrary::parseFileForTraj]"));
    EXPECT_TRUE(log.contains("traj1 : Ajout d'une trajectoire"));
}

TEST_F(LibraryFileTest, RoundTripKeepsEveryNameAndValue)
{
    Trajectory withYaw = trajectoryOf("b", {{0.5f, 1234567.0f, 0}, {-3.25f, 2.0f / 3.0f, 1500000.25}});
    withYaw.addYawKey({90, 0});
    library.addTrajectory(withYaw);
    Trajectory long_ = trajectoryOf("long", {});
    for (int i = 0; i < 10; ++i)
        long_.addPositionKey({float(i), 0, 1000000.0 + i});
    library.addTrajectory(long_);
    library.addTrajectory(trajectoryOf("a", {{1, 2, 3}}));
    ASSERT_TRUE(library.outPutToFile(dir.file("lib.xml")));

    std::string text = TempDir::read(dir.file("lib.xml"));
    EXPECT_NE(text.find("<Elem time=\"0\"  px=\"0.5\"  py=\"1234567\" />"), std::string::npos);
    EXPECT_NE(text.find("<Elem time=\"1e+06\"  px=\"0\"  py=\"0\" />"), std::string::npos);
    EXPECT_NE(text.find("<Elem time=\"1000009\"  px=\"9\"  py=\"0\" />"), std::string::npos);
    EXPECT_NE(text.find("<TrackYaw>\n<Elem time=\"0\"  yaw=\"90\" />\n</TrackYaw>"), std::string::npos);

    KelTrajectoryLibrary reread;
    ASSERT_TRUE(reread.parseFileForTraj(dir.file("lib.xml")));
    EXPECT_EQ(namesOf(reread), (std::vector<std::string>{"a", "b", "long"}));
    Trajectory b = reread.getTraj(1);
    ASSERT_EQ(b.getTrackPos().size(), 2u);
    EXPECT_EQ(b.getTrackPos()[0].py, 1234567.0f);
    EXPECT_EQ(b.getTrackPos()[1].time, 1500000.25);
    EXPECT_EQ(b.getTrackPos()[1].py, 2.0f / 3.0f);
    EXPECT_TRUE(b.getTrackYaw().empty());
    const Trajectory rereadLong = reread.getTraj(2);
    ASSERT_EQ(rereadLong.getTrackPos().size(), 10u);
    EXPECT_EQ(rereadLong.getTrackPos()[9].time, 1000009);
}

TEST_F(LibraryFileTest, CommaDecimalLocaleChangesNoByte)
{
    struct CommaDecimal : std::numpunct<char>
    {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    library.addTrajectory(trajectoryOf("traj1", {{1234.5f, 0.25f, 0}, {121, 452, 16}}));
    ASSERT_TRUE(library.outPutToFile(dir.file("classic.xml")));

    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    const bool saved = library.outPutToFile(dir.file("comma.xml"));
    KelTrajectoryLibrary reread;
    const bool read = reread.parseFileForTraj(dir.file("comma.xml"));
    std::locale::global(previous);

    ASSERT_TRUE(saved);
    EXPECT_NE(TempDir::read(dir.file("comma.xml")).find("px=\"1234.5\"  py=\"0.25\""), std::string::npos);
    EXPECT_EQ(TempDir::read(dir.file("comma.xml")), TempDir::read(dir.file("classic.xml")));
    ASSERT_TRUE(read);
    EXPECT_EQ(reread.getTraj(0).getTrackPos().at(0).px, 1234.5f);
}

TEST_F(LibraryFileTest, Latin1NamesAreSavedAsUtf8AndReadBack)
{
    const std::string declared = dir.write(
        "declared.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\n<Trajectories>\n"
                        "<Trajectory name=\"caf\xE9\"><TrackPos><Elem time=\"0\" px=\"1\" py=\"2\"/></TrackPos>"
                        "</Trajectory></Trajectories>\n");
    const std::string undeclared =
        dir.write("undeclared.xml", "<Trajectories><Trajectory name=\"\xE9t\xE9\"><TrackPos>"
                                    "<Elem time=\"0\" px=\"3\" py=\"4\"/></TrackPos></Trajectory></Trajectories>");
    ASSERT_TRUE(library.parseFileForTraj(declared));
    ASSERT_TRUE(library.parseFileForTraj(undeclared));
    ASSERT_TRUE(library.outPutToFile(dir.file("saved.xml")));
    EXPECT_NE(TempDir::read(dir.file("saved.xml")).find("name=\"caf\xC3\xA9\""), std::string::npos);

    KelTrajectoryLibrary reread;
    ASSERT_TRUE(reread.parseFileForTraj(dir.file("saved.xml")));
    EXPECT_EQ(namesOf(reread), (std::vector<std::string>{"caf\xC3\xA9", "\xC3\xA9t\xC3\xA9"}));
}

TEST_F(LibraryFileTest, AHundredThousandTrajectoriesRoundTrip)
{
    for (int i = 0; i < 100000; ++i)
        library.addTrajectory(trajectoryOf("traj" + std::to_string(i + 1), {{float(i % 1000), 1, 0}}));
    ASSERT_TRUE(library.outPutToFile(dir.file("many.xml")));
    KelTrajectoryLibrary reread;
    ASSERT_TRUE(reread.parseFileForTraj(dir.file("many.xml")));
    ASSERT_EQ(reread.count(), 100000);
    EXPECT_EQ(reread.getTraj(99999).getName(), "traj99999");
    EXPECT_EQ(reread.getTraj(99999).getTrackPos().at(0).px, 998.0f);
}

TEST_F(LibraryFileTest, NamesWithXmlCharactersSurviveAndPlainNamesAreWrittenAsBefore)
{
    const std::string awkward = "a&b<c>d\"e'f\tg\nh";
    library.addTrajectory(trajectoryOf(awkward, {{1, 1, 0}}));
    library.addTrajectory(trajectoryOf("plain-name_1", {{2, 2, 0}}));
    ASSERT_TRUE(library.outPutToFile(dir.file("names.xml")));
    std::string text = TempDir::read(dir.file("names.xml"));
    EXPECT_NE(text.find("<Trajectory name=\"plain-name_1\" >\n"), std::string::npos);

    KelTrajectoryLibrary reread;
    ASSERT_TRUE(reread.parseFileForTraj(dir.file("names.xml")));
    EXPECT_EQ(namesOf(reread), (std::vector<std::string>{awkward, "plain-name_1"}));
}

TEST_F(LibraryFileTest, IndicesFollowByteWiseNameOrder)
{
    for (int i = 1; i <= 12; ++i)
        library.addTrajectory(trajectoryOf("traj" + std::to_string(i), {{float(i), 0, 0}}));
    EXPECT_EQ(library.getTraj(0).getName(), "traj1");
    EXPECT_EQ(library.getTraj(1).getName(), "traj10");
    EXPECT_EQ(library.getTraj(3).getName(), "traj12");
    EXPECT_EQ(library.getTraj(4).getName(), "traj2");
    EXPECT_EQ(library.getTraj(11).getName(), "traj9");
}

TEST_F(LibraryFileTest, BadIndicesAreLoggedAndNeverFail)
{
    EXPECT_TRUE(library.getTraj(0).getName().empty());
    EXPECT_EQ(log.countOf("KelTrajectoryLibrary::getTraj est vide, ou i<0"), 1u);

    library.addTrajectory(trajectoryOf("x", {{1, 1, 0}}));
    library.addTrajectory(trajectoryOf("y", {{2, 2, 0}}));
    Trajectory none = library.getTraj(-1);
    EXPECT_TRUE(none.getName().empty());
    EXPECT_TRUE(none.getTrackPos().empty());
    EXPECT_EQ(log.countOf("KelTrajectoryLibrary::getTraj est vide, ou i<0"), 2u);

    EXPECT_EQ(library.getTraj(library.count()).getName(), "y");
    EXPECT_TRUE(log.contains("KelTrajectoryLibrary::getTraj. i trop grand."));
}

TEST_F(LibraryFileTest, ReadingASecondFileMergesIntoTheLibrary)
{
    library.addTrajectory(trajectoryOf("traj1", {{1, 1, 0}}));
    library.addTrajectory(trajectoryOf("traj2", {{2, 2, 0}}));
    ASSERT_TRUE(library.outPutToFile(dir.file("first.xml")));

    KelTrajectoryLibrary second;
    second.addTrajectory(trajectoryOf("traj2", {{20, 20, 0}}));
    second.addTrajectory(trajectoryOf("traj3", {{3, 3, 0}}));
    ASSERT_TRUE(second.outPutToFile(dir.file("second.xml")));

    KelTrajectoryLibrary merged;
    ASSERT_TRUE(merged.parseFileForTraj(dir.file("first.xml")));
    ASSERT_TRUE(merged.parseFileForTraj(dir.file("second.xml")));
    EXPECT_EQ(namesOf(merged), (std::vector<std::string>{"traj1", "traj2", "traj3"}));
    EXPECT_EQ(merged.getTraj(1).getTrackPos().at(0).px, 20);
}

TEST_F(LibraryFileTest, ReaderSkipsWhatItCannotUseAndKeepsTheRest)
{
    std::string file = dir.write("odd.xml", R"(<Trajectories>
<Trajectory name="dup"><TrackPos><Elem time="0" px="1" py="1"/></TrackPos></Trajectory>
<Trajectory name="dup"><TrackPos><Elem time="0" px="2" py="2"/></TrackPos></Trajectory>
<Trajectory><TrackPos><Elem time="0" px="3" py="3"/></TrackPos></Trajectory>
<Trajectory name=""><TrackPos><Elem time="0" px="3" py="3"/></TrackPos></Trajectory>
<Trajectory name="firstEmpty"><TrackPos></TrackPos><TrackPos><Elem time="0" px="4" py="4"/></TrackPos></Trajectory>
<Trajectory name="noTime"><TrackPos><Elem px="5" py="5"/><Elem px="6" py="abc"/><Elem time="7xyz" px=" 8"/></TrackPos>
  <TrackYaw><Elem time="0" yaw="1"/></TrackYaw></Trajectory>
<trajectory name="lowercase"><TrackPos><Elem time="0" px="9" py="9"/></TrackPos></trajectory>
</Trajectories>)");
    ASSERT_TRUE(library.parseFileForTraj(file));
    EXPECT_EQ(namesOf(library), (std::vector<std::string>{"dup", "noTime"}));
    EXPECT_EQ(log.countOf("dup : Ajout d'une trajectoire"), 2u);
    EXPECT_EQ(library.getTraj(0).getTrackPos().at(0).px, 2);

    Trajectory noTime = library.getTraj(1);
    ASSERT_EQ(noTime.getTrackPos().size(), 2u);
    EXPECT_EQ(noTime.getTrackPos()[0].time, 0);
    EXPECT_EQ(noTime.getTrackPos()[0].px, 6);
    EXPECT_EQ(noTime.getTrackPos()[0].py, 0);
    EXPECT_EQ(noTime.getTrackPos()[1].time, 7);
    EXPECT_EQ(noTime.getTrackPos()[1].px, 8);
    EXPECT_TRUE(noTime.getTrackYaw().empty());
}

TEST_F(LibraryFileTest, WindowsLineEndsAndByteOrderMarkAreRead)
{
    std::string text = TempDir::read(TEST_DATA_DIR "/two-keys.xml");
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    ASSERT_TRUE(library.parseFileForTraj(dir.write("crlf.xml", "\xEF\xBB\xBF" + crlf)));
    ASSERT_EQ(library.count(), 1);
    EXPECT_EQ(library.getTraj(0).getTrackPos().size(), 2u);
}

TEST_F(LibraryFileTest, UnreadableFilesFailAndLeaveTheLibraryUnchanged)
{
    library.addTrajectory(trajectoryOf("kept", {{1, 1, 0}}));

    EXPECT_FALSE(library.parseFileForTraj(dir.file("missing.xml")));
    EXPECT_FALSE(library.parseFileForTraj(dir.write("empty.xml", "")));
    EXPECT_FALSE(library.parseFileForTraj(dir.write("broken.xml", "<Trajectories>\n<Trajectory name=\"x\">")));
    EXPECT_EQ(log.countOf(kLibraryLoadFailedLine), 3u);

    EXPECT_FALSE(library.parseFileForTraj(dir.write("other.xml", "<?xml version=\"1.0\" ?>\n<Library/>\n")));
    EXPECT_TRUE(log.contains("impossible de lire correctement le xml. erreur lors parsing fichier xml"));

    EXPECT_EQ(namesOf(library), (std::vector<std::string>{"kept"}));
}

TEST_F(LibraryFileTest, TrajectoryWithoutKeysIsWrittenEmptyAndSkippedOnReading)
{
    library.addTrajectory(trajectoryOf("traj1", {}));
    ASSERT_TRUE(library.outPutToFile(dir.file("nokeys.xml")));
    EXPECT_EQ(TempDir::read(dir.file("nokeys.xml")), TempDir::read(TEST_DATA_DIR "/no-keys.xml"));
    KelTrajectoryLibrary reread;
    EXPECT_TRUE(reread.parseFileForTraj(dir.file("nokeys.xml")));
    EXPECT_EQ(reread.count(), 0);
}

TEST_F(LibraryFileTest, FailedSaveKeepsThePreviousFile)
{
    const std::string target = dir.file("library1.xml");
    library.addTrajectory(trajectoryOf("good", {{1, 1, 0}}));
    ASSERT_TRUE(library.outPutToFile(target));
    const std::string good = TempDir::read(target);

    // A disk that fills up part-way through: writes beyond a few bytes fail.
    for (int i = 0; i < 2000; ++i)
        library.addTrajectory(trajectoryOf("big" + std::to_string(i), {{1, 1, 0}, {2, 2, 1}}));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    bool saved = library.outPutToFile(target);
    setrlimit(RLIMIT_FSIZE, &previous);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(log.contains(kWriteFailed));
    EXPECT_EQ(TempDir::read(target), good);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1u) << "a temporary file was left behind";
}

TEST_F(LibraryFileTest, SaveIntoAMissingFolderFails)
{
    library.addTrajectory(trajectoryOf("x", {{1, 1, 0}}));
    EXPECT_FALSE(library.outPutToFile(dir.file("no/such/folder/lib.xml")));
    EXPECT_EQ(log.countOf(kWriteFailed), 1u);
}
