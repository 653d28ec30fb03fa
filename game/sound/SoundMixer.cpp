#include "game/sound/SoundMixer.h"

#include <cassert>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace Sarna
{

namespace
{
constexpr float kFullScale = std::numeric_limits<std::int16_t>::max();
// The cues are made with their peaks at or below 0.9 of full scale, and one alone passes nearly untouched; only
// where several sound at once (the catch over a warning and the wind) does the limiter bend the sum.
constexpr float kLimiterKnee = 0.75f * kFullScale;
constexpr float kLimiterCeiling = 0.97f * kFullScale;
} // namespace

std::int16_t SoundMixer::limited(std::int32_t sum)
{
    const auto magnitude = static_cast<float>(std::abs(sum));
    if (magnitude <= kLimiterKnee)
        return static_cast<std::int16_t>(sum);
    // Above the knee the sum bends smoothly (slope 1 at the knee, flattening) towards a ceiling it never reaches:
    // loud mixes keep their shape instead of being cut flat at full scale, which sounds as a crackle.
    const float room = kLimiterCeiling - kLimiterKnee;
    const float bent = kLimiterKnee + room * std::tanh((magnitude - kLimiterKnee) / room);
    const auto level = static_cast<std::int16_t>(bent);
    return sum < 0 ? static_cast<std::int16_t>(-level) : level;
}

void SoundMixer::setClip(SoundCue cue, std::vector<std::int16_t> samples)
{
    assert(framesMixed() == 0);
    voices[static_cast<int>(cue)].samples = std::move(samples);
}

void SoundMixer::play(SoundCue cue)
{
    assert(cue != SoundCue::Wind);
    voices[static_cast<int>(cue)].requests.fetch_add(1, std::memory_order_release);
}

void SoundMixer::setWindPlaying(bool playing)
{
    windWanted.store(playing, std::memory_order_release);
}

void SoundMixer::setMuted(bool muted)
{
    silenced.store(muted, std::memory_order_release);
}

void SoundMixer::mix(std::int16_t* out, std::size_t frames)
{
    startRequestedVoices();
    const bool muted = silenced.load(std::memory_order_acquire);
    for (std::size_t frame = 0; frame < frames; ++frame)
    {
        const std::int16_t sample = limited(nextOneShotSum() + nextWindSample());
        out[frame] = muted ? 0 : sample;
    }
    mixedFrames.fetch_add(frames, std::memory_order_release);
}

void SoundMixer::startRequestedVoices()
{
    for (Voice& voice : voices)
    {
        const std::uint32_t requests = voice.requests.load(std::memory_order_acquire);
        if (requests != voice.requestsStarted)
        {
            voice.requestsStarted = requests;
            voice.position = 0;
        }
    }
}

std::int32_t SoundMixer::nextOneShotSum()
{
    std::int32_t sum = 0;
    for (Voice& voice : voices)
    {
        if (voice.position == kSilent)
            continue;
        if (voice.position >= voice.samples.size())
        {
            voice.position = kSilent;
            continue;
        }
        sum += voice.samples[voice.position++];
    }
    return sum;
}

std::int32_t SoundMixer::nextWindSample()
{
    const std::vector<std::int16_t>& wind = voices[static_cast<int>(SoundCue::Wind)].samples;
    const bool wanted = windWanted.load(std::memory_order_relaxed);
    if (wanted && windFade < kWindFadeFrames)
        ++windFade;
    else if (!wanted && windFade > 0)
        --windFade;
    if (windFade == 0 || wind.empty())
        return 0;
    const std::int32_t sample = wind[windPosition];
    windPosition = (windPosition + 1) % wind.size();
    const auto fade = static_cast<std::int32_t>(windFade);
    return sample * fade / static_cast<std::int32_t>(kWindFadeFrames);
}

} // namespace Sarna
