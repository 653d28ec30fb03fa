#include "SoundSynthesizer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <random>

namespace
{
using Signal = std::vector<float>;

constexpr double kTwoPi = 6.283185307179586;
constexpr double kRate = Sarna::kSoundSampleRate;
constexpr double kAttackSeconds = 0.004; // quick enough to sound at once, slow enough not to click
constexpr double kReleaseSeconds = 0.02; // a cue's last moment fades to nothing, so that it ends without a click
constexpr std::uint32_t kNoiseSeed = 20240516;

std::size_t frames(double seconds)
{
    return static_cast<std::size_t>(seconds * kRate);
}

/// A decaying note added into signal from start: a sine and a softer octave, with a short attack.
void addNote(Signal& signal, double start, double frequency, double decaySeconds, double level)
{
    for (std::size_t i = frames(start); i < signal.size(); ++i)
    {
        const double t = static_cast<double>(i) / kRate - start;
        const double envelope = std::min(1.0, t / kAttackSeconds) * std::exp(-t / decaySeconds);
        const double phase = kTwoPi * frequency * t;
        signal[i] += static_cast<float>(level * envelope * (std::sin(phase) + 0.3 * std::sin(2.0 * phase)));
    }
}

/// A tone gliding from one frequency to another over its length, with flat ends.
void addGlide(Signal& signal, double start, double length, double from, double to, double level)
{
    double phase = 0.0;
    const std::size_t end = std::min(signal.size(), frames(start + length));
    for (std::size_t i = frames(start); i < end; ++i)
    {
        const double t = static_cast<double>(i) / kRate - start;
        const double toEnd = length - t;
        const double envelope = std::min({1.0, t / kAttackSeconds, toEnd / kAttackSeconds});
        phase += kTwoPi * (from + (to - from) * t / length) / kRate;
        signal[i] += static_cast<float>(level * envelope * (std::sin(phase) + 0.2 * std::sin(3.0 * phase)));
    }
}

Signal whiteNoise(std::size_t count)
{
    std::minstd_rand generator(kNoiseSeed);
    Signal noise(count);
    const double range = static_cast<double>(std::minstd_rand::max() - std::minstd_rand::min());
    for (float& sample : noise)
        sample = static_cast<float>(2.0 * (generator() - std::minstd_rand::min()) / range - 1.0);
    return noise;
}

void fadeOutEnd(Signal& signal)
{
    const std::size_t fade = std::min(signal.size(), frames(kReleaseSeconds));
    for (std::size_t i = 0; i < fade; ++i)
        signal[signal.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
}

/// Scales the signal so that its loudest sample is peak (a fraction of full scale) and rounds it to 16 bits.
std::vector<std::int16_t> toSamples(const Signal& signal, float peak)
{
    float loudest = 0.0f;
    for (float sample : signal)
        loudest = std::max(loudest, std::fabs(sample));
    const float gain = loudest > 0.0f ? peak * 32767.0f / loudest : 0.0f;
    std::vector<std::int16_t> samples(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i)
        samples[i] = static_cast<std::int16_t>(std::lround(signal[i] * gain));
    return samples;
}

/// A one-shot cue: faded out at its end, then scaled to peak.
std::vector<std::int16_t> toCue(Signal signal, float peak)
{
    fadeOutEnd(signal);
    return toSamples(signal, peak);
}

// Two notes rising a fifth: the chase is on.
std::vector<std::int16_t> startCue()
{
    Signal signal(frames(0.5));
    addNote(signal, 0.0, 880.0, 0.08, 1.0);
    addNote(signal, 0.14, 1318.5, 0.12, 1.0);
    return toCue(signal, SoundSynthesizer::kCuePeak);
}

// Two quick rising chirps, sharp enough to cut through the wind.
std::vector<std::int16_t> warning()
{
    Signal signal(frames(0.28));
    addGlide(signal, 0.0, 0.1, 700.0, 1150.0, 1.0);
    addGlide(signal, 0.15, 0.1, 700.0, 1150.0, 1.0);
    return toCue(signal, SoundSynthesizer::kWarningPeak);
}

// A thud whose pitch falls away under a short burst of noise, loud from its first milliseconds.
std::vector<std::int16_t> caught()
{
    Signal signal(frames(0.7));
    const Signal noise = whiteNoise(signal.size());
    double phase = 0.0;
    for (std::size_t i = 0; i < signal.size(); ++i)
    {
        const double t = static_cast<double>(i) / kRate;
        phase += kTwoPi * (50.0 + 130.0 * std::exp(-t / 0.08)) / kRate;
        const double attack = std::min(1.0, t / 0.002);
        signal[i] =
            static_cast<float>(attack * (std::sin(phase) * std::exp(-t / 0.18) + 0.6 * noise[i] * std::exp(-t / 0.04)));
    }
    return toCue(signal, SoundSynthesizer::kCatchPeak);
}

// A major arpeggio up to the octave, ringing on.
std::vector<std::int16_t> won()
{
    Signal signal(frames(1.4));
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    for (int i = 0; i < 4; ++i)
        addNote(signal, 0.12 * i, notes[i], 0.4, 1.0);
    return toCue(signal, SoundSynthesizer::kCuePeak);
}

// Falling half-steps down to a low, long note.
std::vector<std::int16_t> lost()
{
    Signal signal(frames(1.7));
    const double notes[] = {392.0, 369.99, 349.23, 293.66};
    for (int i = 0; i < 4; ++i)
        addNote(signal, 0.25 * i, notes[i], i == 3 ? 0.5 : 0.15, 1.0);
    return toCue(signal, SoundSynthesizer::kCuePeak);
}

// Noise through two low-pass stages whose cutoff and loudness swell in slow gusts, every slow cycle a whole number
// of times per loop. The loop's last frames are blended into its first ones, so its end runs on into its start.
std::vector<std::int16_t> wind()
{
    const std::size_t loop = frames(4.0);
    const std::size_t blend = frames(0.5);
    const Signal noise = whiteNoise(loop + blend);
    Signal filtered(noise.size());
    double first = 0.0;
    double second = 0.0;
    for (std::size_t i = 0; i < noise.size(); ++i)
    {
        const double cycle = kTwoPi * static_cast<double>(i % loop) / static_cast<double>(loop);
        const double cutoff = 500.0 + 300.0 * std::sin(2.0 * cycle) + 150.0 * std::sin(3.0 * cycle + 1.0);
        const double smoothing = 1.0 - std::exp(-kTwoPi * cutoff / kRate);
        first += smoothing * (noise[i] - first);
        second += smoothing * (first - second);
        filtered[i] = static_cast<float>(second);
    }
    Signal signal(loop);
    for (std::size_t i = 0; i < loop; ++i)
    {
        const double cycle = kTwoPi * static_cast<double>(i) / static_cast<double>(loop);
        const double gust = 0.65 + 0.25 * std::sin(cycle) + 0.1 * std::sin(3.0 * cycle);
        double sample = filtered[i];
        if (i < blend)
        {
            const double weight = static_cast<double>(i) / static_cast<double>(blend);
            sample = weight * filtered[i] + (1.0 - weight) * filtered[loop + i];
        }
        signal[i] = static_cast<float>(gust * sample);
    }
    return toSamples(signal, SoundSynthesizer::kWindPeak);
}
} // namespace

std::vector<std::int16_t> SoundSynthesizer::make(Sarna::SoundCue cue)
{
    switch (cue)
    {
    case Sarna::SoundCue::Start:
        return startCue();
    case Sarna::SoundCue::Warning:
        return warning();
    case Sarna::SoundCue::Catch:
        return caught();
    case Sarna::SoundCue::Won:
        return won();
    case Sarna::SoundCue::Lost:
        return lost();
    case Sarna::SoundCue::Wind:
        return wind();
    }
    return {};
}
