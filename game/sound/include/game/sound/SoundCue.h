#pragma once

namespace Sarna
{

/// The game's sounds: four one-shot cues, the two end-of-game stingers and the wind looped during play. Each is a
/// WAV file of the game data, mono 16-bit PCM at kSoundSampleRate, made by the data generator and loaded by the
/// game at its start.
enum class SoundCue
{
    Start,
    Warning,
    Catch,
    Won,
    Lost,
    Wind
};

constexpr int kSoundCueCount = 6;
/// Frames per second of every sound file and of the stream the game mixes.
constexpr int kSoundSampleRate = 22050;

/// The cue's file in the game data.
inline const char* soundFileName(SoundCue cue)
{
    static const char* const names[kSoundCueCount] = {"StartCue.wav",   "RunnerWarning.wav", "Catch.wav",
                                                      "WonStinger.wav", "LostStinger.wav",   "WindLoop.wav"};
    return names[static_cast<int>(cue)];
}

/// The cue's name in log lines.
inline const char* soundCueName(SoundCue cue)
{
    static const char* const names[kSoundCueCount] = {"start", "warning", "catch", "won", "lost", "wind"};
    return names[static_cast<int>(cue)];
}

} // namespace Sarna
