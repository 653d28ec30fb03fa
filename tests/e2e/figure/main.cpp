// Renders the running man through both of his animations under a real X server and checks that the frames show
// a person running and then falling: every frame differs from the one before, and the last frame of the fall is
// far lower and longer than the man standing. Writes the frames as one labelled strip (PNG) to the path given.

#include "FigureStudio.h"
#include "Silhouette.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{
struct Pose
{
    const char* animation;
    float time;
};

const std::vector<Pose> kRunPoses = {{"Run", 0.0f}, {"Run", 0.1f}, {"Run", 0.2f}, {"Run", 0.3f},
                                     {"Run", 0.4f}, {"Run", 0.5f}, {"Run", 0.6f}, {"Run", 0.7f}};
const std::vector<Pose> kDyingPoses = {{"Dying", 0.0f}, {"Dying", 0.3f}, {"Dying", 0.6f},  {"Dying", 0.9f},
                                       {"Dying", 1.2f}, {"Dying", 1.5f}, {"Dying", 1.75f}, {"Dying", 2.0f}};

/// Consecutive frames of an animation must differ by at least this many pixels.
constexpr int kMinimumChange = 150;
constexpr int kLabelHeight = 30;

int failures = 0;

void check(bool condition, const std::string& what)
{
    std::printf("%s: %s\n", condition ? "ok" : "FAILED", what.c_str());
    if (!condition)
        ++failures;
}

std::string label(const Pose& pose)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s %.2f s", pose.animation, pose.time);
    return text;
}

void checkSequence(FigureStudio& studio, const std::vector<Pose>& poses)
{
    FigureStudio::Frame previous;
    for (const Pose& pose : poses)
    {
        FigureStudio::Frame frame = studio.render(pose.animation, pose.time, false);
        const Silhouette silhouette = Silhouette::of(frame, FigureStudio::kBackground);
        check(silhouette.pixels > 1000,
              label(pose) + " shows the man (" + std::to_string(silhouette.pixels) + " pixels)");
        if (!previous.is_empty())
        {
            const int changed = differingPixels(previous, frame);
            check(changed >= kMinimumChange,
                  label(pose) + " differs from the frame before (" + std::to_string(changed) + " pixels)");
        }
        previous = frame;
    }
}

void checkFall(FigureStudio& studio)
{
    const Silhouette standing = Silhouette::of(studio.render("Dying", 0.0f, false), FigureStudio::kBackground);
    const Silhouette lying = Silhouette::of(studio.render("Dying", 2.0f, false), FigureStudio::kBackground);
    std::printf("standing %dx%d at y %d..%d, lying %dx%d at y %d..%d\n", standing.width(), standing.height(),
                standing.top, standing.bottom, lying.width(), lying.height(), lying.top, lying.bottom);
    check(lying.height() * 2 < standing.height(), "the fallen man is less than half as tall as the standing one");
    check(lying.width() > standing.width() * 3 / 2, "the fallen man is much longer than the standing one is wide");
    check(lying.top > standing.top + standing.height() / 2,
          "the fallen man lies in the lower half of the standing one");
    check(lying.bottom - standing.bottom < standing.height() / 5 &&
              standing.bottom - lying.bottom < standing.height() / 5,
          "the fallen man lies where the standing one stood, on the ground");
}

FigureStudio::Frame strip(FigureStudio& studio)
{
    const int columns = static_cast<int>(kRunPoses.size());
    const int cellHeight = FigureStudio::kHeight + kLabelHeight;
    FigureStudio::Frame result(columns * FigureStudio::kWidth, 2 * cellHeight, 1, 3, 24);
    const unsigned char white[3] = {240, 236, 225};
    const unsigned char none[3] = {0, 0, 0};
    int row = 0;
    for (const auto* poses : {&kRunPoses, &kDyingPoses})
    {
        for (int column = 0; column < columns; ++column)
        {
            const Pose& pose = (*poses)[column];
            const int left = column * FigureStudio::kWidth;
            const int top = row * cellHeight;
            result.draw_image(left, top, studio.render(pose.animation, pose.time, true));
            result.draw_text(left + 10, top + FigureStudio::kHeight + 4, "%s", white, none, 1.0f, 22,
                             label(pose).c_str());
        }
        ++row;
    }
    return result;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s STRIP.png\n", argv[0]);
        return 2;
    }
    FigureStudio studio(FIGURE_PLUGIN_DIR, FIGURE_MEDIA_DIR);
    if (!studio.isReady())
    {
        std::fprintf(stderr, "the engine could not render the figure; see figure-strip.log\n");
        return 1;
    }
    checkSequence(studio, kRunPoses);
    checkSequence(studio, kDyingPoses);
    checkFall(studio);
    const bool saved = FigureStudio::savePng(strip(studio), argv[1]);
    check(saved, std::string("strip written to ") + argv[1]);
    std::printf("%d checks failed\n", failures);
    return failures == 0 ? 0 : 1;
}
