#pragma once

#include "game/sound/SoundCue.h"
#include "game/sound/SoundMixer.h"
#include "game/sound/SoundSettingFile.h"

#include <cstdint>
#include <set>
#include <string>

namespace Sarna
{

/// The game's sound output: SDL's audio device fed from a SoundMixer on SDL's audio thread, every sound loaded
/// into memory at construction, and the player's mute choice. Nothing here touches a file or waits for the audio
/// thread while a game is played: a changed mute choice is saved once the wind stops (between games) or at the end.
///
/// Without an audio device, when SDL's audio cannot start, or with SDL's "dummy" audio driver (the headless
/// engine's), no device is opened and nothing is loaded: the game plays silently, and one line in the engine log
/// says so.
class GameSound
{
public:
    explicit GameSound(std::string settingPath = SoundSettingFile::kFileName);
    ~GameSound();

    GameSound(const GameSound&) = delete;
    GameSound& operator=(const GameSound&) = delete;

    /// Plays a one-shot cue. Start, catch, won and lost are logged with the stream frame they were asked at.
    void play(SoundCue cue);
    /// Plays the warning for a runner the first time it is asked for that runner (by its timed-object number).
    void warnOnce(std::uint32_t runnerNumber);
    /// A new game: every runner may be warned of again.
    void forgetRunners();
    /// Keeps the wind looping while playing is true (a game is being played); called every frame.
    void setWindPlaying(bool playing);
    /// Mutes the sound, or plays it again: one press of the mute key.
    void toggleMute() { setMuted(!muted); }

    bool isMuted() const { return muted; }
    /// True when an audio device is open and the sounds are loaded.
    bool isAudible() const { return device != 0; }

private:
    bool startAudio();
    void stopAudio();
    void loadClips();
    bool openDevice();
    void setMuted(bool mute);
    void saveSetting();

    SoundSettingFile setting;
    SoundMixer mixer;
    std::uint32_t device = 0; ///< SDL's audio device id; 0 when none is open
    bool audioStarted = false;
    bool muted = false;
    bool settingUnsaved = false;
    std::set<std::uint32_t> warnedRunners;
};

} // namespace Sarna
