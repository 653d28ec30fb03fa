// The game's sounds as the generator makes them, and the WAV files it writes, read back by SDL as the game reads them.

#include "SoundSynthesizer.h"
#include "WavFileWriter.h"
#include "support/TempDir.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{

using Sarna::SoundCue;

constexpr double kFullScale = 32768.0;
const SoundCue kOneShots[] = {SoundCue::Start, SoundCue::Warning, SoundCue::Catch, SoundCue::Won, SoundCue::Lost};

double seconds(const std::vector<std::int16_t>& samples)
{
    return static_cast<double>(samples.size()) / Sarna::kSoundSampleRate;
}

/// Loudest sample as a fraction of full scale.
double peak(const std::vector<std::int16_t>& samples, std::size_t from = 0, std::size_t count = SIZE_MAX)
{
    const auto end = samples.begin() + static_cast<std::ptrdiff_t>(std::min(samples.size(), from + count));
    int loudest = 0;
    for (auto sample = samples.begin() + static_cast<std::ptrdiff_t>(from); sample < end; ++sample)
        loudest = std::max(loudest, std::abs(static_cast<int>(*sample)));
    return loudest / kFullScale;
}

double rms(const std::vector<std::int16_t>& samples)
{
    double sum = 0.0;
    for (std::int16_t sample : samples)
        sum += static_cast<double>(sample) * sample;
    return std::sqrt(sum / static_cast<double>(samples.size())) / kFullScale;
}

TEST(GeneratedSounds, CuesAreShortAudibleAndNeverClip)
{
    for (SoundCue cue : kOneShots)
    {
        const std::vector<std::int16_t> samples = SoundSynthesizer::make(cue);
        EXPECT_GE(seconds(samples), 0.2) << Sarna::soundCueName(cue);
        EXPECT_LE(seconds(samples), 2.0) << Sarna::soundCueName(cue);
        EXPECT_LT(peak(samples), 0.95) << Sarna::soundCueName(cue);
        EXPECT_GT(rms(samples), 0.05) << Sarna::soundCueName(cue);
        EXPECT_LT(std::abs(samples.back()), 100) << Sarna::soundCueName(cue) << " ends with a click";
    }
    // Heard at once: the catch is at full strength within its first 20 ms.
    const std::vector<std::int16_t> caught = SoundSynthesizer::make(SoundCue::Catch);
    EXPECT_GT(peak(caught, 0, Sarna::kSoundSampleRate / 50), 0.5);
}

TEST(GeneratedSounds, TheWindIsAQuietBedThatLoopsWithoutASeam)
{
    const std::vector<std::int16_t> wind = SoundSynthesizer::make(SoundCue::Wind);
    EXPECT_GE(seconds(wind), 2.0);
    EXPECT_GT(rms(wind), 0.01);
    for (SoundCue cue : kOneShots)
        EXPECT_LT(peak(wind), peak(SoundSynthesizer::make(cue)) / 2) << Sarna::soundCueName(cue);
    int largestStep = 0;
    for (std::size_t i = 1; i < wind.size(); ++i)
        largestStep = std::max(largestStep, std::abs(wind[i] - wind[i - 1]));
    EXPECT_LE(std::abs(wind.front() - wind.back()), largestStep) << "the loop jumps where it starts over";
}

TEST(GeneratedSounds, TheWavFileReadsBackAsMono16BitAtTheGamesRate)
{
    TempDir dir;
    const std::vector<std::int16_t> samples = {0, 1, -1, 32767, -32768, 1234};
    ASSERT_TRUE(WavFileWriter::write(dir.file("cue.wav"), samples, Sarna::kSoundSampleRate));
    SDL_AudioSpec wavFormat{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV(dir.file("cue.wav").c_str(), &wavFormat, &buffer, &length), nullptr) << SDL_GetError();
    EXPECT_EQ(wavFormat.freq, Sarna::kSoundSampleRate);
    EXPECT_EQ(wavFormat.format, AUDIO_S16SYS);
    EXPECT_EQ(wavFormat.channels, 1);
    std::vector<std::int16_t> read(length / sizeof(std::int16_t));
    std::memcpy(read.data(), buffer, read.size() * sizeof(std::int16_t));
    SDL_FreeWAV(buffer);
    EXPECT_EQ(read, samples);
    EXPECT_FALSE(WavFileWriter::write(dir.file("no-such-folder/cue.wav"), samples, Sarna::kSoundSampleRate));
}

} // namespace
