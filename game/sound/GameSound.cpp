#include "game/sound/GameSound.h"

#include <OgreDataStream.h>
#include <OgreException.h>
#include <OgreLogManager.h>
#include <OgreResourceGroupManager.h>
#include <SDL.h>

#include <cstring>

namespace Sarna
{

namespace
{
// About 23 ms of sound per callback: cues start within that of being asked for.
constexpr Uint16 kDeviceBufferFrames = 512;
const char* const kDummyDriver = "dummy";

void logLine(const std::string& line)
{
    if (Ogre::LogManager* logManager = Ogre::LogManager::getSingletonPtr())
        logManager->logMessage(line, Ogre::LML_NORMAL, false);
}

void SDLCALL fillStream(void* mixer, Uint8* stream, int bytes)
{
    static_cast<SoundMixer*>(mixer)->mix(reinterpret_cast<std::int16_t*>(stream),
                                         static_cast<std::size_t>(bytes) / sizeof(std::int16_t));
}

/// The samples of a WAV file of the game data, or nothing with a reason when it cannot be used.
bool loadClip(SoundCue cue, std::vector<std::int16_t>& samples, std::string& problem)
{
    const char* name = soundFileName(cue);
    std::string bytes;
    try
    {
        bytes = Ogre::ResourceGroupManager::getSingleton().openResource(name)->getAsString();
    }
    catch (const Ogre::Exception&)
    {
        problem = "not found";
        return false;
    }
    SDL_AudioSpec wavFormat{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1, &wavFormat, &buffer,
                       &length) == nullptr)
    {
        problem = SDL_GetError();
        return false;
    }
    const bool usable =
        wavFormat.format == AUDIO_S16SYS && wavFormat.channels == 1 && wavFormat.freq == kSoundSampleRate;
    if (usable)
    {
        samples.resize(length / sizeof(std::int16_t));
        std::memcpy(samples.data(), buffer, samples.size() * sizeof(std::int16_t));
    }
    else
    {
        problem = "not mono 16-bit at the game's sample rate";
    }
    SDL_FreeWAV(buffer);
    return usable;
}
} // namespace

GameSound::GameSound(std::string settingPath) : setting(std::move(settingPath))
{
    muted = setting.loadMuted();
    mixer.setMuted(muted);
    if (!startAudio())
        return;
    loadClips();
    if (!openDevice())
        return;
    SDL_PauseAudioDevice(device, 0);
    logLine(std::string("sound on: SDL audio driver ") + SDL_GetCurrentAudioDriver() + (muted ? ", muted" : ""));
}

GameSound::~GameSound()
{
    saveSetting();
    stopAudio();
}

bool GameSound::startAudio()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    {
        logLine(std::string("sound off: SDL audio did not start (") + SDL_GetError() + ")");
        return false;
    }
    audioStarted = true;
    const char* driver = SDL_GetCurrentAudioDriver();
    if (driver != nullptr && std::strcmp(driver, kDummyDriver) == 0)
    {
        logLine("sound off: SDL's dummy audio driver");
        stopAudio();
        return false;
    }
    return true;
}

void GameSound::stopAudio()
{
    if (device != 0)
        SDL_CloseAudioDevice(device);
    device = 0;
    if (audioStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioStarted = false;
}

void GameSound::loadClips()
{
    for (int index = 0; index < kSoundCueCount; ++index)
    {
        const auto cue = static_cast<SoundCue>(index);
        std::vector<std::int16_t> samples;
        std::string problem;
        if (loadClip(cue, samples, problem))
            mixer.setClip(cue, std::move(samples));
        else
            logLine(std::string("sound file ") + soundFileName(cue) + " not loaded: " + problem);
    }
}

bool GameSound::openDevice()
{
    SDL_AudioSpec wanted{};
    wanted.freq = kSoundSampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = kDeviceBufferFrames;
    wanted.callback = fillStream;
    wanted.userdata = &mixer;
    // No changes allowed: SDL converts the mixer's stream to whatever the device takes.
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device != 0)
        return true;
    logLine(std::string("sound off: no audio device (") + SDL_GetError() + ")");
    stopAudio();
    return false;
}

void GameSound::play(SoundCue cue)
{
    mixer.play(cue);
    if (device != 0 && cue != SoundCue::Warning)
        logLine(std::string("sound ") + soundCueName(cue) + " at stream frame " + std::to_string(mixer.framesMixed()));
}

void GameSound::warnOnce(std::uint32_t runnerNumber)
{
    if (warnedRunners.insert(runnerNumber).second)
        play(SoundCue::Warning);
}

void GameSound::forgetRunners()
{
    warnedRunners.clear();
}

void GameSound::setWindPlaying(bool playing)
{
    mixer.setWindPlaying(playing);
    // The file is written between games, never while one is played.
    if (!playing)
        saveSetting();
}

void GameSound::setMuted(bool mute)
{
    muted = mute;
    mixer.setMuted(muted);
    logLine(std::string(muted ? "sound muted" : "sound unmuted") + " at stream frame " +
            std::to_string(mixer.framesMixed()));
    settingUnsaved = true;
}

void GameSound::saveSetting()
{
    if (!settingUnsaved)
        return;
    settingUnsaved = false;
    if (!setting.saveMuted(muted))
        logLine("sound setting file " + setting.getPath() + " not written");
}

} // namespace Sarna
