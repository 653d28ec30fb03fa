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

TEST(SoundMixer, ACueSoundsFromItsFirstSampleInTheNextMixAndTheCuesAddUp)
{
    SoundMixer mixer;
    mixer.setClip(SoundCue::Catch, {20000, 20000, -100});
    mixer.setClip(SoundCue::Warning, {-5000, -4000});
    EXPECT_TRUE(silent(mixed(mixer, 4)));

    mixer.play(SoundCue::Catch);
    mixer.play(SoundCue::Warning);
    EXPECT_EQ(mixed(mixer, 4), (std::vector<std::int16_t>{15000, 16000, -100, 0}));
    EXPECT_EQ(mixer.framesMixed(), 8u);

    // Asked again while still sounding, a cue starts over.
    mixer.play(SoundCue::Catch);
    EXPECT_EQ(mixed(mixer, 2), (std::vector<std::int16_t>{20000, 20000}));
    mixer.play(SoundCue::Catch);
    EXPECT_EQ(mixed(mixer, 3), (std::vector<std::int16_t>{20000, 20000, -100}));
}

TEST(SoundMixer, EveryClipAtOnceStaysBelowFullScaleAndLoudSumsKeepTheirOrder)
{
    // The catch over a warning and the wind used to be cut flat at full scale.
    for (const std::int16_t peak : {std::int16_t(32767), std::int16_t(-32768)})
    {
        SoundMixer mixer;
        for (int cue = 0; cue < Sarna::kSoundCueCount; ++cue)
            mixer.setClip(static_cast<SoundCue>(cue), std::vector<std::int16_t>(SoundMixer::kWindFadeFrames * 2, peak));
        mixer.setWindPlaying(true);
        mixed(mixer, SoundMixer::kWindFadeFrames);
        for (int cue = 0; cue < Sarna::kSoundCueCount - 1; ++cue)
            mixer.play(static_cast<SoundCue>(cue));
        const std::vector<std::int16_t> loudest = mixed(mixer, 100);
        for (std::int16_t sample : loudest)
        {
            ASSERT_LT(std::abs(sample), 32767) << peak;
            ASSERT_GT(std::abs(sample), 30000) << peak;
        }
    }

    // A louder sum is never written quieter: the limiter bends the level past its knee without folding it back.
    SoundMixer mixer;
    std::vector<std::int16_t> rising;
    for (int level = 20000; level <= 32767; level += 250)
        rising.push_back(static_cast<std::int16_t>(level));
    mixer.setClip(SoundCue::Catch, rising);
    mixer.play(SoundCue::Catch);
    const std::vector<std::int16_t> out = mixed(mixer, rising.size());
    EXPECT_EQ(out.front(), 20000);
    EXPECT_TRUE(std::is_sorted(out.begin(), out.end()));
    EXPECT_GT(out.back(), 29000) << "a lone loud cue stays loud";
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
