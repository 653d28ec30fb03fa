#pragma once

#include "game/sound/SoundCue.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Sarna
{

/// Mixes the game's sounds into one mono 16-bit stream. The game's thread asks for cues, the wind and muting at
/// any time; the audio thread calls mix. The two meet only through atomics, so neither ever waits for the other.
///
/// The clips are handed over once, before the audio thread starts mixing, and never change afterwards. The sum of
/// the sounding clips passes unchanged up to 0.75 of full scale; above that a soft limiter keeps every sample
/// below 0.97 of full scale, whatever sounds at once.
class SoundMixer
{
public:
    /// The cue's samples; must not be called once mixing has started.
    void setClip(SoundCue cue, std::vector<std::int16_t> samples);

    /// Starts a one-shot cue at the next mix, from its beginning (a cue still sounding starts over).
    void play(SoundCue cue);
    /// The wind loop fades in while wanted and fades out while not.
    void setWindPlaying(bool playing);
    /// A muted mixer writes silence; its sounds go on advancing unheard.
    void setMuted(bool muted);

    /// Audio thread: writes the next frames of the stream.
    void mix(std::int16_t* out, std::size_t frames);
    /// Frames written by mix so far: the stream position that the next mix starts at.
    std::uint64_t framesMixed() const { return mixedFrames.load(std::memory_order_acquire); }

    /// Frames the wind takes to fade fully in or out.
    static constexpr std::size_t kWindFadeFrames = kSoundSampleRate / 4;

private:
    static constexpr std::size_t kSilent = static_cast<std::size_t>(-1);

    struct Voice
    {
        std::vector<std::int16_t> samples;
        std::atomic<std::uint32_t> requests{0};
        // Audio thread only.
        std::uint32_t requestsStarted = 0;
        std::size_t position = kSilent;
    };

    static std::int16_t limited(std::int32_t sum);
    void startRequestedVoices();
    std::int32_t nextOneShotSum();
    std::int32_t nextWindSample();

    std::array<Voice, kSoundCueCount> voices;
    std::atomic<bool> windWanted{false};
    std::atomic<bool> silenced{false};
    std::atomic<std::uint64_t> mixedFrames{0};
    // Audio thread only.
    std::size_t windFade = 0; ///< 0 (silent) .. kWindFadeFrames (full)
    std::size_t windPosition = 0;
};

} // namespace Sarna
