#include "game/sound/SoundMixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace
{

using Sarna::SoundCue;
using Sarna::SoundMixer;

std::vector<std::int16_t> mixed(SoundMixer& mixer, std::size_t frames)
{
    std::vector<std::int16_t> out(frames, 12345);
    mixer.mix(out.data(), out.size());
    return out;
}

bool silent(const std::vector<std::int16_t>& samples)
{
    return std::all_of(samples.begin(), samples.end(), [](std::int16_t sample) { return sample == 0; });
}

TEST(SoundMixer, ACueSoundsFromItsFirstSampleInTheNextMixAndTheCuesAddUpWithoutWrappingAround)
{
    SoundMixer mixer;
    mixer.setClip(SoundCue::Catch, {30000, 30000, -100});
    mixer.setClip(SoundCue::Warning, {20000, -20000});
    EXPECT_TRUE(silent(mixed(mixer, 4)));

    mixer.play(SoundCue::Catch);
    mixer.play(SoundCue::Warning);
    EXPECT_EQ(mixed(mixer, 4), (std::vector<std::int16_t>{32767, 10000, -100, 0}));
    EXPECT_EQ(mixer.framesMixed(), 8u);

    // Asked again while still sounding, a cue starts over.
    mixer.play(SoundCue::Catch);
    EXPECT_EQ(mixed(mixer, 2), (std::vector<std::int16_t>{30000, 30000}));
    mixer.play(SoundCue::Catch);
    EXPECT_EQ(mixed(mixer, 3), (std::vector<std::int16_t>{30000, 30000, -100}));
}

TEST(SoundMixer, MutedItWritesSilenceWhileItsSoundsRunOnUnheard)
{
    SoundMixer mixer;
    mixer.setClip(SoundCue::Lost, {1000, 2000, 3000, 4000});
    mixer.setMuted(true);
    mixer.play(SoundCue::Lost);
    EXPECT_TRUE(silent(mixed(mixer, 2)));
    mixer.setMuted(false);
    EXPECT_EQ(mixed(mixer, 3), (std::vector<std::int16_t>{3000, 4000, 0}));
}

TEST(SoundMixer, TheWindLoopsWhilePlayingAndFadesInAndOut)
{
    SoundMixer mixer;
    mixer.setClip(SoundCue::Wind, {10000, -10000, 10000, -10000, 10000});
    EXPECT_TRUE(silent(mixed(mixer, 100)));
    const auto level = [](const std::vector<std::int16_t>& samples)
    {
        std::vector<int> levels;
        for (std::int16_t sample : samples)
            levels.push_back(std::abs(sample));
        return levels;
    };

    mixer.setWindPlaying(true);
    const std::vector<int> fadingIn = level(mixed(mixer, SoundMixer::kWindFadeFrames));
    EXPECT_GT(fadingIn.front(), 0);
    EXPECT_LT(fadingIn.front(), 100) << "no click at the start";
    EXPECT_TRUE(std::is_sorted(fadingIn.begin(), fadingIn.end()));
    // At full level, negative samples as well as positive ones, and round the odd-length loop again and again:
    // where it starts over, two samples of the same sign follow each other.
    const std::vector<std::int16_t> full = mixed(mixer, 10);
    EXPECT_EQ(level(full), std::vector<int>(10, 10000));
    int startsOver = 0;
    for (std::size_t i = 1; i < full.size(); ++i)
        startsOver += full[i] == full[i - 1] ? 1 : 0;
    EXPECT_GE(startsOver, 1);
    EXPECT_LE(startsOver, 2);

    mixer.setWindPlaying(false);
    const std::vector<int> fadingOut = level(mixed(mixer, SoundMixer::kWindFadeFrames));
    EXPECT_TRUE(std::is_sorted(fadingOut.rbegin(), fadingOut.rend()));
    EXPECT_LT(fadingOut.back(), 100);
    EXPECT_TRUE(silent(mixed(mixer, 100)));
}

} // namespace
