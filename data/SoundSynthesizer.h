#pragma once

#include "game/sound/SoundCue.h"

#include <cstdint>
#include <vector>

/// The game's sounds, made from code: mono samples at Sarna::kSoundSampleRate, full scale ±32767. Short tones and
/// noise bursts for the one-shot cues, and a soft gusting noise for the wind, whose end runs on into its start so
/// that it loops without a seam. The same cue always gives the same samples.
class SoundSynthesizer
{
public:
    static std::vector<std::int16_t> make(Sarna::SoundCue cue);

    /// Loudest sample of each kind of sound, as a fraction of full scale: the catch stands out of everything else,
    /// and the wind stays a quiet bed under the cues.
    static constexpr float kCatchPeak = 0.9f;
    static constexpr float kCuePeak = 0.6f;
    static constexpr float kWarningPeak = 0.4f;
    static constexpr float kWindPeak = 0.12f;
};
