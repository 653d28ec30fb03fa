#include "tool/DrawingSession.h"

#include "FakeDrawingWindow.h"
#include "platform/MessageBoxSeam.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "tool/StartLibrary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace
{

constexpr const char* kPrompt = "choisissez le nom du fichier ou enregistrer la bibliotheque\n";

struct Key
{
    float px;
    float py;
    double time;
    bool operator==(const Key& other) const { return px == other.px && py == other.py && time == other.time; }
};

std::ostream& operator<<(std::ostream& out, const Key& key)
{
    return out << "(" << key.px << ", " << key.py << " @ " << key.time << ")";
}

class DrawingSessionTest : public ::testing::Test
{
protected:
    DrawingSessionTest()
    {
        platform::setMessageBoxResponder(
            [this](const platform::MessageBoxRequest& request)
            {
                questions.push_back(request);
                const int answer = answers.empty() ? 0 : answers.front();
                if (!answers.empty())
                {
                    answers.pop_front();
                }
                return answer;
            });
    }

    ~DrawingSessionTest() override { platform::setMessageBoxResponder({}); }

    /// Creates the session, which reads the clock once.
    void start()
    {
        if (!session)
        {
            session = std::make_unique<DrawingSession>(
                window, [this] { return readClock(); }, consoleIn, consoleOut);
        }
    }

    /// Runs one pass per scripted window event.
    void run()
    {
        start();
        while (window.hasPending())
        {
            session->runPass();
        }
    }

    /// The scripted readings, then the window's playback clock or a clock that advances one millisecond per
    /// reading.
    DWORD readClock()
    {
        if (clockReadings.empty())
        {
            return clockFollowsPlayback ? window.now : ++lastReading;
        }
        lastReading = clockReadings.front();
        clockReadings.pop_front();
        return lastReading;
    }

    /// A stroke of left-button samples at the given pixels, then the release.
    void stroke(const std::vector<std::pair<int, int>>& pixels)
    {
        for (const auto& [x, y] : pixels)
        {
            window.press(x, y);
        }
        window.release(pixels.back().first, pixels.back().second);
    }

    void keepNext(int answer) { answers.push_back(answer); }

    /// Keeps a one-sample drawing as traj1 and saves the library as library.xml; returns the file's name.
    std::string keepOneAndSave()
    {
        const std::string fileName = dir.file("library.xml");
        stroke({{1, 2}});
        keepNext(IDYES);
        saveAs(fileName);
        run();
        return fileName;
    }

    /// Keeps a drawing that goes right from (100, 100) to (200, 100) in 100 ms, then down to (200, 300) by 300 ms.
    void keepCornerPath()
    {
        start();
        clockReadings.insert(clockReadings.end(), {5'000, 5'000, 5'100, 5'300});
        stroke({{100, 100}, {200, 100}, {200, 300}});
        keepNext(IDYES);
        run();
    }

    /// Holds a key for two passes: the added keys must act once per press.
    void tapTwice(bool WindowState::*key)
    {
        window.holdKey(key);
        window.holdKey(key);
    }

    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        for (const auto& entry : session->getLibrary())
        {
            result.push_back(entry.first);
        }
        return result;
    }

    std::vector<Key> keysOf(const std::string& name) const
    {
        std::vector<Key> keys;
        for (const auto& entry : session->getLibrary())
        {
            if (entry.first == name)
            {
                for (const PositionKey& key : entry.second.getTrackPos())
                {
                    keys.push_back({key.px, key.py, key.time});
                }
            }
        }
        return keys;
    }

    void saveAs(const std::string& fileName)
    {
        consoleIn.clear();
        consoleIn << fileName << "\n";
        window.holdKey(&WindowState::space);
    }

    LogCapture log;
    TempDir dir;
    FakeDrawingWindow window;
    std::deque<DWORD> clockReadings;
    DWORD lastReading = 0;
    bool clockFollowsPlayback = false;
    std::deque<int> answers;
    std::vector<platform::MessageBoxRequest> questions;
    std::stringstream consoleIn;
    std::ostringstream consoleOut;
    std::unique_ptr<DrawingSession> session;
};

TEST_F(DrawingSessionTest, KeptStrokeHoldsEachSampleAtItsPixelAndClockTime)
{
    clockReadings = {1'000, 5'000, 5'003, 5'010, 5'020};
    stroke({{10, 20}, {11, 22}, {12, 24}});
    keepNext(IDYES);

    run();

    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, "dessin fini.Voulez-vous le garder");
    EXPECT_EQ(questions[0].caption, "info");
    EXPECT_EQ(questions[0].type, MB_YESNO);
    EXPECT_EQ(names(), std::vector<std::string>{"traj1"});
    EXPECT_EQ(keysOf("traj1"), (std::vector<Key>{{10, 20, 3}, {11, 22, 10}, {12, 24, 20}}));
    EXPECT_FALSE(session->isDrawing());
}

TEST_F(DrawingSessionTest, SamplesAreLitUntilTheQuestionIsAnswered)
{
    window.press(10, 20);
    window.press(11, 22);

    run();
    EXPECT_EQ(window.litPixels, (std::set<std::pair<int, int>>{{10, 20}, {11, 22}}));
    EXPECT_TRUE(session->isDrawing());

    window.release(11, 22);
    keepNext(IDNO);
    run();
    EXPECT_TRUE(window.litPixels.empty());
    EXPECT_EQ(window.clearCount, 1);
}

TEST_F(DrawingSessionTest, OnlyKeptDrawingsAdvanceTheNames)
{
    for (int answer : {IDNO, IDYES, 0, IDYES})
    {
        stroke({{50, 60}, {51, 61}});
        keepNext(answer);
    }

    run();

    EXPECT_EQ(questions.size(), 4u);
    EXPECT_EQ(names(), (std::vector<std::string>{"traj1", "traj2"}));
    EXPECT_EQ(window.clearCount, 4);
}

TEST_F(DrawingSessionTest, PressOnTheTopRowEndsTheStrokeAtOnce)
{
    window.press(30, 0);
    keepNext(IDYES);

    run();

    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(names(), std::vector<std::string>{"traj1"});
    EXPECT_TRUE(keysOf("traj1").empty());
    EXPECT_TRUE(window.litPixels.empty());
}

TEST_F(DrawingSessionTest, StrokeEndsOnASecondButtonOrWhenThePointerLeaves)
{
    window.press(10, 10);
    window.script({12, 12, DrawingWindow::kLeftButton | 2u});
    window.press(20, 20);
    window.script({-1, -1, DrawingWindow::kLeftButton});
    answers = {IDYES, IDYES};

    run();

    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(keysOf("traj1").size(), 1u);
    EXPECT_EQ(keysOf("traj2").size(), 1u);
}

TEST_F(DrawingSessionTest, PressOutsideTheWindowStartsNoStroke)
{
    window.script({-1, -1, DrawingWindow::kLeftButton});
    window.script({40, 40, 2u});

    run();

    EXPECT_TRUE(questions.empty());
    EXPECT_FALSE(session->isDrawing());
}

TEST_F(DrawingSessionTest, StrokeAcrossMidnightHasGrowingTimes)
{
    clockReadings = {0, 86'399'990, 86'399'995, 3, 250};
    stroke({{1, 1}, {2, 2}, {3, 3}});
    keepNext(IDYES);

    run();

    EXPECT_EQ(keysOf("traj1"), (std::vector<Key>{{1, 1, 5}, {2, 2, 13}, {3, 3, 260}}));
}

TEST_F(DrawingSessionTest, SamplesInTheSameMillisecondGiveOneKeyButBothPixelsAreLit)
{
    clockReadings = {0, 100, 107, 107};
    window.press(5, 5);
    window.press(6, 7);

    run();
    EXPECT_EQ(window.litPixels.size(), 2u);

    window.release(6, 7);
    keepNext(IDYES);
    run();
    EXPECT_EQ(keysOf("traj1"), (std::vector<Key>{{6, 7, 7}}));
}

TEST_F(DrawingSessionTest, EscapeClosesTheWindowOnlyWhenIdle)
{
    window.press(10, 10);
    window.script({11, 11, DrawingWindow::kLeftButton, true});
    window.release(11, 11);
    window.holdKey(&WindowState::escape);
    window.press(100, 100);
    start();

    session->run();

    EXPECT_EQ(questions.size(), 1u);
    EXPECT_TRUE(names().empty()) << "the answer 0 keeps nothing";
    EXPECT_TRUE(window.closed);
    EXPECT_TRUE(window.hasPending()) << "the pass after ESC must not run";
}

TEST_F(DrawingSessionTest, SpaceWritesTheLibraryToTheTypedName)
{
    stroke({{120, 455}, {121, 452}});
    keepNext(IDYES);
    const std::string fileName = dir.file("library.xml");
    saveAs(fileName);

    run();

    EXPECT_EQ(consoleOut.str(), kPrompt + ("nom Fichier : " + fileName + "\n"));
    KelTrajectoryLibrary written;
    ASSERT_TRUE(written.parseFileForTraj(fileName));
    ASSERT_EQ(written.count(), 1);
    EXPECT_EQ(written.getTraj(0).getName(), "traj1");
    EXPECT_EQ(written.getTraj(0).getTrackPos().size(), 2u);
}

TEST_F(DrawingSessionTest, FailedSaveIsToldAndLeavesTheEarlierFile)
{
    const std::string earlier = dir.write("library.xml", "earlier contents");
    const std::string missingFolder = dir.file("missing/library.xml");
    stroke({{1, 2}});
    keepNext(IDYES);
    saveAs(missingFolder);

    run();

    EXPECT_EQ(consoleOut.str(), kPrompt + ("nom Fichier : " + missingFolder + "\n") +
                                    ("echec de l'enregistrement du fichier " + missingFolder + "\n"));
    EXPECT_EQ(TempDir::read(earlier), "earlier contents");
}

TEST_F(DrawingSessionTest, EndOfInputAtThePromptSavesNothing)
{
    stroke({{1, 2}});
    keepNext(IDYES);
    window.holdKey(&WindowState::space);
    window.holdKey(&WindowState::l);

    run();

    EXPECT_EQ(consoleOut.str(), std::string(kPrompt) + "aucun nom de fichier lu : bibliotheque non enregistree\n");
    EXPECT_EQ(names(), std::vector<std::string>{"traj1"}) << "L without a saved name does nothing";
}

TEST_F(DrawingSessionTest, LReplacesTheDrawingsWithTheFileAndNamingGoesOn)
{
    const std::string fileName = keepOneAndSave();
    dir.write("library.xml", "<Trajectories>"
                             "<Trajectory name=\"traj2\"><TrackPos><Elem time=\"0\" px=\"7\" py=\"8\"/></TrackPos>"
                             "</Trajectory>"
                             "<Trajectory name=\"other\"><TrackPos><Elem time=\"0\" px=\"9\" py=\"9\"/></TrackPos>"
                             "</Trajectory>"
                             "</Trajectories>");

    window.holdKey(&WindowState::l);
    run();
    EXPECT_EQ(names(), (std::vector<std::string>{"other", "traj2"}));

    stroke({{30, 40}});
    keepNext(IDYES);
    run();
    EXPECT_EQ(names(), (std::vector<std::string>{"other", "traj2"}));
    EXPECT_EQ(keysOf("traj2"), (std::vector<Key>{{30, 40, 1}})) << "the next kept drawing replaces the loaded traj2";
}

TEST_F(DrawingSessionTest, FailedReloadIsToldAndKeepsTheDrawings)
{
    const std::string fileName = keepOneAndSave();
    dir.write("library.xml", "<not closed");
    stroke({{3, 4}});
    keepNext(IDYES);
    window.holdKey(&WindowState::l);
    consoleOut.str("");

    run();

    EXPECT_EQ(consoleOut.str(), "echec de la lecture du fichier " + fileName + "\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"traj1", "traj2"}));

    // A FIFO in the file's place, with no writer: the reload must not wait for one.
    std::filesystem::remove(fileName);
    ASSERT_EQ(::mkfifo(fileName.c_str(), 0644), 0);
    window.holdKey(&WindowState::l);
    consoleOut.str("");
    run();
    EXPECT_EQ(consoleOut.str(), "echec de la lecture du fichier " + fileName + "\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"traj1", "traj2"}));

    // A file refused by a limit: the console says which.
    std::filesystem::remove(fileName);
    std::string deep = "<Trajectories>";
    for (int i = 0; i < 300; ++i)
        deep += "<a>";
    dir.write("library.xml", deep);
    window.holdKey(&WindowState::l);
    consoleOut.str("");
    run();
    EXPECT_EQ(consoleOut.str(), "echec de la lecture du fichier " + fileName +
                                    "\nlimite depassee : imbrication d'au moins 257 elements, limite 256\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"traj1", "traj2"}));
}

TEST_F(DrawingSessionTest, KeysAreIgnoredDuringAStroke)
{
    const std::string fileName = dir.file("library.xml");
    window.press(10, 10);
    window.script({11, 11, DrawingWindow::kLeftButton, false, true, true});
    window.release(11, 11);
    keepNext(IDYES);
    consoleIn << fileName << "\n";

    run();

    EXPECT_EQ(consoleOut.str(), "");
    EXPECT_EQ(keysOf("traj1").size(), 2u);
}

/// A library file with one key per trajectory, named as given.
std::string libraryOf(const std::vector<std::string>& names)
{
    std::string contents = "<Trajectories>";
    for (const std::string& name : names)
    {
        contents +=
            "<Trajectory name=\"" + name + "\"><TrackPos><Elem time=\"0\" px=\"7\" py=\"8\"/></TrackPos></Trajectory>";
    }
    return contents + "</Trajectories>";
}

TEST_F(DrawingSessionTest, AContinuedLibraryKeepsEveryLoadedTrajectoryAndLReloadsItsFile)
{
    const std::vector<std::string> loaded = {"other", "traj1", "traj12", "traj3", "traj5b", "traj99999999999"};
    const std::string fileName = dir.write("library1.xml", libraryOf(loaded));
    StartLibrary start = readStartLibrary(fileName);
    ASSERT_EQ(start.state, StartLibrary::State::Read);
    this->start();
    session->continueLibrary(fileName, std::move(start.library));
    EXPECT_EQ(session->nextKeptName(), "traj13");

    stroke({{30, 40}});
    keepNext(IDYES);
    run();
    std::vector<std::string> expected = loaded;
    expected.insert(expected.begin() + 3, "traj13");
    EXPECT_EQ(names(), expected);
    EXPECT_EQ(keysOf("traj12"), (std::vector<Key>{{7, 8, 0}}));

    dir.write("library1.xml", libraryOf({"edited"}));
    window.holdKey(&WindowState::l);
    run();
    EXPECT_EQ(names(), std::vector<std::string>{"edited"});
}

TEST_F(DrawingSessionTest, AMissingLibraryStartsEmptyAndAnUnreadableOneIsRefused)
{
    const std::string missing = dir.file("new.xml");
    StartLibrary start = readStartLibrary(missing);
    EXPECT_EQ(start.state, StartLibrary::State::Missing);
    this->start();
    session->continueLibrary(missing, std::move(start.library));
    stroke({{30, 40}});
    keepNext(IDYES);
    window.holdKey(&WindowState::l);
    run();
    EXPECT_EQ(names(), std::vector<std::string>{"traj1"});
    EXPECT_EQ(consoleOut.str(), "echec de la lecture du fichier " + missing + "\n") << "L reloads the file to be";

    EXPECT_EQ(readStartLibrary(dir.write("bad.xml", "<not closed")).state, StartLibrary::State::Unreadable);
    EXPECT_EQ(readStartLibrary(dir.file("")).state, StartLibrary::State::Unreadable) << "a folder";
    // A dangling link is a file to be: a save through it creates the file it names.
    ASSERT_EQ(::symlink(dir.file("to-be.xml").c_str(), dir.file("link.xml").c_str()), 0);
    EXPECT_EQ(readStartLibrary(dir.file("link.xml")).state, StartLibrary::State::Missing);
    // A refusal names the limit, as L's does: 100 MiB against the cap of 88 MiB.
    const std::string large = dir.write("large.xml", "");
    ASSERT_EQ(::truncate(large.c_str(), 100 * 1024 * 1024), 0);
    const StartLibrary refused = readStartLibrary(large);
    EXPECT_EQ(refused.state, StartLibrary::State::Unreadable);
    EXPECT_EQ(refused.refusals,
              std::vector<std::string>{"limite depassee : fichier de 104857600 octets, limite 92274688"});
}

TEST_F(DrawingSessionTest, ASaveOverAFileWithTrajectoriesLeftOutAsksFirstAndNoDrawingTakesTheirNames)
{
    const std::string partly = "<Trajectories>"
                               "<Trajectory name=\"traj1\"><TrackPos><Elem time=\"0\" px=\"7\" py=\"8\"/></TrackPos>"
                               "</Trajectory>"
                               "<Trajectory name=\"traj2\"><TrackPos><Elem time=\"0\" px=\"1e39\" py=\"8\"/>"
                               "</TrackPos></Trajectory></Trajectories>";
    const std::string fileName = dir.write("library1.xml", partly);
    StartLibrary start = readStartLibrary(fileName);
    ASSERT_EQ(start.state, StartLibrary::State::Read);
    ASSERT_EQ(start.refusals.size(), 1u);
    EXPECT_EQ(start.refusals[0].rfind("traj2 : trajectoire refusee, limite depassee : coordonnee de ", 0), 0u);
    this->start();
    session->continueLibrary(fileName, std::move(start.library), start.leftOut);
    EXPECT_EQ(session->nextKeptName(), "traj3");

    const std::string question = "attention : 1 trajectoire(s) de " + fileName +
                                 " laissee(s) de cote a la lecture (traj2) : enregistrer ici les efface du fichier. "
                                 "Enregistrer quand meme ? (o/n)\n";
    stroke({{30, 40}});
    keepNext(IDYES);
    saveAs(fileName);
    consoleIn << "n\n";
    run();
    EXPECT_EQ(consoleOut.str(), kPrompt + ("nom Fichier : " + fileName + "\n") + question +
                                    "bibliotheque non enregistree : " + fileName + " garde ses trajectoires\n");
    EXPECT_EQ(TempDir::read(fileName), partly);

    // Once the author agrees, the file holds what is in memory, and later saves ask nothing.
    saveAs(fileName);
    consoleIn << "oui\n";
    saveAs(fileName);
    window.holdKey(&WindowState::l);
    run();
    EXPECT_EQ(names(), (std::vector<std::string>{"traj1", "traj3"}));
    const auto questionsAsked = [this]
    {
        const std::string said = consoleOut.str();
        return std::count(said.begin(), said.end(), '?');
    };
    EXPECT_EQ(questionsAsked(), 2) << consoleOut.str();

    // L of a partly read file asks again.
    dir.write("library1.xml", partly);
    window.holdKey(&WindowState::l);
    saveAs(fileName);
    run();
    EXPECT_EQ(questionsAsked(), 3) << consoleOut.str();
    EXPECT_EQ(TempDir::read(fileName), partly) << "end of input is no";
}

/// Where the corner path of keepCornerPath is at a trajectory time, worked out by hand.
std::pair<double, double> onCornerPath(double ms)
{
    if (ms <= 100)
    {
        return {100 + ms, 100};
    }
    if (ms <= 300)
    {
        return {200, ms};
    }
    return {200, 300};
}

TEST_F(DrawingSessionTest, PreviewMovesADotAlongThePathAsDrawnOrAtTheGameSpeed)
{
    keepCornerPath();
    clockFollowsPlayback = true;
    struct Case
    {
        bool WindowState::*key;
        double trajectoryMsPerMs;
        std::uint32_t endMs;
    };
    for (const Case& preview : {Case{&WindowState::p, 1.0, 300}, Case{&WindowState::g, 0.3, 1000}})
    {
        SCOPED_TRACE(preview.trajectoryMsPerMs);
        window.frames.clear();
        window.trailPoints.clear();
        const std::uint32_t start = window.now;
        tapTwice(preview.key);

        run();

        ASSERT_GT(window.frames.size(), 10u);
        for (const PlaybackFrame& frame : window.frames)
        {
            const auto [x, y] = onCornerPath((frame.time - start) * preview.trajectoryMsPerMs);
            EXPECT_NEAR(frame.dot.first, x, 1.0) << "at " << frame.time - start << " ms";
            EXPECT_NEAR(frame.dot.second, y, 1.0) << "at " << frame.time - start << " ms";
        }
        const PlaybackFrame& last = window.frames.back();
        EXPECT_EQ(last.dot, std::make_pair(200, 300));
        EXPECT_GE(last.time - start, preview.endMs);
        EXPECT_LT(last.time - start, preview.endMs + 50) << "the end is shown as soon as it is reached";
        for (const auto& key : {std::make_pair(100, 100), std::make_pair(200, 100), std::make_pair(200, 300)})
        {
            EXPECT_EQ(window.trailPoints.count(key), 1u) << "the trail passes through every key";
        }
        EXPECT_TRUE(window.trail.empty()) << "the window is black after the preview";
    }
    EXPECT_EQ(consoleOut.str(), "apercu de traj1\napercu de traj1\n") << "one preview per press";
    EXPECT_EQ(keysOf("traj1"), (std::vector<Key>{{100, 100, 0}, {200, 100, 100}, {200, 300, 300}}));
    EXPECT_EQ(questions.size(), 1u);
}

TEST_F(DrawingSessionTest, PreviewPlaysDrawingsInTurnUntilAPressStopsIt)
{
    keepCornerPath();
    clockReadings = {9'000, 9'000, 9'020};
    stroke({{300, 400}, {310, 400}});
    keepNext(IDYES);
    run();
    clockFollowsPlayback = true;

    window.holdKey(&WindowState::p);
    run();
    EXPECT_EQ(consoleOut.str(), "apercu de traj1\napercu de traj2\n");
    const auto second = std::find_if(window.frames.begin(), window.frames.end(),
                                     [](const PlaybackFrame& frame) { return frame.dot == std::make_pair(300, 400); });
    ASSERT_NE(second, window.frames.end());
    EXPECT_LE(second->trailSegments, 2u) << "the second drawing starts on a black window";
    EXPECT_EQ(window.frames.back().dot, std::make_pair(310, 400));

    window.frames.clear();
    consoleOut.str("");
    const std::uint32_t pressedAt = window.now + 50;
    window.pressTimes = {pressedAt};
    window.script(WindowState());
    window.holdKey(&WindowState::p);
    run();
    EXPECT_EQ(consoleOut.str(), "apercu de traj1\n") << "traj2 is not played after the press";
    ASSERT_FALSE(window.frames.empty());
    EXPECT_LE(window.frames.back().time, pressedAt);
    EXPECT_TRUE(window.trail.empty()) << "the window is black after the press";
    EXPECT_EQ(names(), (std::vector<std::string>{"traj1", "traj2"}));
    EXPECT_EQ(keysOf("traj1").size(), 3u);
    EXPECT_EQ(questions.size(), 2u);
}

using Point = std::pair<int, int>;

std::set<Point> endsOf(const Guides& guides, Guides::Ink ink)
{
    std::set<Point> ends;
    for (const Guides::Line& line : guides.lines)
    {
        if (line.ink == ink)
        {
            ends.insert({line.x0, line.y0});
            ends.insert({line.x1, line.y1});
        }
    }
    return ends;
}

TEST_F(DrawingSessionTest, GuidesOutlineTheStartViewAndTheHeroOverTheKeptDrawings)
{
    keepCornerPath();
    tapTwice(&WindowState::v);
    run();

    // The camera 65 units up sees 65 tan(22.5 deg) = 26.92 units on either side of z = 20, and 0.8 times that
    // across (614.4 x 768 pixels): 21.54 units. At 0.3 units per pixel about the centre (250, 350), world x
    // maps to the drawing's x and world z to its y.
    const std::set<Point> view = endsOf(window.shownGuides, Guides::Ink::CameraView);
    for (const Point& corner : {Point{178, 327}, Point{322, 327}, Point{322, 506}, Point{178, 506}})
    {
        EXPECT_EQ(view.count(corner), 1u) << corner.first << ", " << corner.second;
    }
    for (const Point& end : view)
    {
        EXPECT_TRUE(end.second >= 327 && (end.second <= 506 || end.first == 250))
            << "only the mark of the game's top, world +z, is outside, on the middle of the drawing's bottom edge";
    }
    ASSERT_EQ(window.shownGuides.circles.size(), 1u);
    const Guides::Circle hero = window.shownGuides.circles[0];
    EXPECT_EQ(std::make_tuple(hero.x, hero.y, hero.radius), std::make_tuple(250, 350, 8)) << "2.5 units around";
    EXPECT_EQ(endsOf(window.shownGuides, Guides::Ink::KeptDrawing),
              (std::set<Point>{{100, 100}, {200, 100}, {200, 300}}));

    stroke({{400, 600}, {410, 610}});
    keepNext(IDYES);
    run();
    EXPECT_EQ(endsOf(window.shownGuides, Guides::Ink::KeptDrawing).count({410, 610}), 1u) << "kept at once";

    window.holdKey(&WindowState::u);
    window.holdKey(&WindowState::v);
    run();
    EXPECT_EQ(endsOf(window.guides, Guides::Ink::KeptDrawing).count({410, 610}), 0u) << "taken back at once";
    EXPECT_TRUE(window.shownGuides.lines.empty() && window.shownGuides.circles.empty()) << "V hides them";
}

TEST_F(DrawingSessionTest, WhileGuidesAreShownDotsTakeTheRunnersSpeedAgainstTheHeros)
{
    window.holdKey(&WindowState::v);
    // 90 ms of drawing are 0.3 s of the game, where a pixel is 0.3 units: N pixels in 90 ms run at N units/s,
    // here 19, 21, 29 and 31 against the hero's 25.
    clockReadings = {0, 1'000, 1'000, 1'090, 1'180, 1'270, 1'360};
    for (const int x : {100, 119, 140, 169, 200})
    {
        window.press(x, 200);
    }
    run();
    EXPECT_EQ(window.dotInks, (std::map<Point, DotInk>{{{100, 200}, DotInk::White},
                                                       {{119, 200}, DotInk::Slower},
                                                       {{140, 200}, DotInk::AboutAsFast},
                                                       {{169, 200}, DotInk::AboutAsFast},
                                                       {{200, 200}, DotInk::Faster}}));

    window.release(200, 200);
    window.holdKey(&WindowState::v);
    window.press(100, 400);
    window.press(200, 400);
    run();
    EXPECT_EQ(window.dotInks, (std::map<Point, DotInk>{{{100, 400}, DotInk::White}, {{200, 400}, DotInk::White}}))
        << "white again once the guides are hidden";
}

TEST_F(DrawingSessionTest, NothingToShowOrTakeBackIsSaid)
{
    window.press(30, 0);
    keepNext(IDYES);
    window.holdKey(&WindowState::p);
    tapTwice(&WindowState::u);
    window.holdKey(&WindowState::g);
    window.holdKey(&WindowState::u);

    run();

    EXPECT_EQ(consoleOut.str(), "aucun dessin a montrer\n"
                                "dessin retire : traj1\n"
                                "aucun dessin a montrer\n"
                                "aucun dessin garde a retirer\n");
    EXPECT_TRUE(window.frames.empty());
    EXPECT_TRUE(names().empty());
}

TEST_F(DrawingSessionTest, UndoDropsTheLastDrawingAndTheNextOneTakesItsName)
{
    stroke({{10, 10}, {11, 11}});
    keepNext(IDYES);
    stroke({{20, 20}});
    keepNext(IDYES);
    tapTwice(&WindowState::u);
    stroke({{30, 30}, {31, 31}, {32, 32}});
    keepNext(IDYES);
    const std::string fileName = dir.file("library.xml");
    saveAs(fileName);

    run();

    EXPECT_EQ(consoleOut.str(), "dessin retire : traj2\n" + (kPrompt + ("nom Fichier : " + fileName + "\n")));
    KelTrajectoryLibrary written;
    ASSERT_TRUE(written.parseFileForTraj(fileName));
    ASSERT_EQ(written.count(), 2);
    EXPECT_EQ(written.getTraj(0).getName(), "traj1");
    EXPECT_EQ(written.getTraj(0).getTrackPos().front().px, 10.0f);
    EXPECT_EQ(written.getTraj(1).getName(), "traj2");
    EXPECT_EQ(written.getTraj(1).getTrackPos().size(), 3u);
    EXPECT_EQ(written.getTraj(1).getTrackPos().front().px, 30.0f);
}

TEST_F(DrawingSessionTest, UndoAfterAReloadTakesBackOnlyLaterDrawingsAndPutsBackWhatTheyReplaced)
{
    const std::string fileName = keepOneAndSave();
    dir.write("library.xml", "<Trajectories>"
                             "<Trajectory name=\"traj2\"><TrackPos><Elem time=\"0\" px=\"7\" py=\"8\"/></TrackPos>"
                             "</Trajectory>"
                             "</Trajectories>");
    window.holdKey(&WindowState::l);
    window.holdKey(&WindowState::u);
    stroke({{30, 40}});
    keepNext(IDYES);
    consoleOut.str("");

    run();
    EXPECT_EQ(keysOf("traj2"), (std::vector<Key>{{30, 40, 1}}));

    window.holdKey(&WindowState::u);
    run();
    EXPECT_EQ(consoleOut.str(), "aucun dessin garde a retirer\n"
                                "dessin retire : traj2\n"
                                "traj2 du fichier relu est remis\n");
    EXPECT_EQ(keysOf("traj2"), (std::vector<Key>{{7, 8, 0}}));

    stroke({{50, 60}});
    keepNext(IDYES);
    run();
    EXPECT_EQ(keysOf("traj2").front().px, 50.0f) << "the name taken back is used again";
}

TEST_F(DrawingSessionTest, WordsAfterTheFileNameAreDroppedNotSavedUnderAtTheNextSpace)
{
    const std::string first = dir.file("first.xml");
    const std::string second = dir.file("second.xml");
    stroke({{1, 2}});
    keepNext(IDYES);
    consoleIn << first << " " << second << " \t\n";
    window.holdKey(&WindowState::space);
    window.holdKey(&WindowState::space);

    run();

    EXPECT_EQ(consoleOut.str(), kPrompt + ("nom Fichier : " + first + "\n") +
                                    ("suite de la ligne ignoree : " + second + "\n") + kPrompt +
                                    "aucun nom de fichier lu : bibliotheque non enregistree\n");
    EXPECT_FALSE(TempDir::read(first).empty());
    EXPECT_FALSE(std::filesystem::exists(second));
}

} // namespace
