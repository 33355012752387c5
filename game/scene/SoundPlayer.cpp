#include "game/scene/SoundPlayer.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <optional>

#include "framework/DebugFile.h"
#include "game/scene/WavSound.h"

// Everything that can take time (opening the device, decoding the files,
// filling the buffers) happens once in init. A tick only ever starts a source
// or asks the device whether it is still there; OpenAL Soft mixes on a thread
// of its own, so neither waits for the sound card.

namespace quiltRush {

namespace {

// Semitones above the chime's own note for each step of a run; the last one
// repeats for any further checkpoint.
constexpr int kChimeSemitones[] = {0, 2, 4, 7, 9, 12, 14, 16, 19, 21, 24};
constexpr int kChimeSteps = static_cast<int>(sizeof kChimeSemitones / sizeof kChimeSemitones[0]);

// Without a sound card the audio libraries complain on standard error while
// the device is looked for (ALSA's configuration, OpenAL's failed open): lines
// a player would meet in the terminal on every start, of which the game's own
// line in log.txt says all that matters. So standard error goes nowhere
// meanwhile; the game runs no other thread that writes there yet.
class QuietStandardError {
public:
    QuietStandardError() {
        std::fflush(stderr);
        saved = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved >= 0 && nowhere >= 0) ::dup2(nowhere, STDERR_FILENO);
        if (nowhere >= 0) ::close(nowhere);
    }
    ~QuietStandardError() {
        std::fflush(stderr);
        if (saved < 0) return;
        ::dup2(saved, STDERR_FILENO);
        ::close(saved);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved = -1;
};

ALenum formatOf(const WavSound& sound) {
    if (sound.getChannels() == 1) return sound.getBitsPerSample() == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
    return sound.getBitsPerSample() == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
}

}  // namespace

SoundPlayer::SoundPlayer() : kiln::Entity("Sound") {}

SoundPlayer::~SoundPlayer() { close(); }

float SoundPlayer::chimePitch(unsigned step) {
    int semitones = kChimeSemitones[step < static_cast<unsigned>(kChimeSteps) ? step : kChimeSteps - 1];
    return std::pow(2.0f, static_cast<float>(semitones) / 12.0f);
}

// Each sound names its own file, so no list has to keep the enum's order; the
// asset generator's table (tools/assets/sounds.py) is checked against this one.
std::string SoundPlayer::fileOf(Sound sound) {
    const char* name = "";
    switch (sound) {
        case Sound::Chime: name = "chime.wav"; break;
        case Sound::Fanfare: name = "fanfare.wav"; break;
        case Sound::TackPinned: name = "tackPinned.wav"; break;
        case Sound::TackFreed: name = "tackFreed.wav"; break;
        case Sound::Grab: name = "grab.wav"; break;
        case Sound::Fall: name = "fall.wav"; break;
        case Sound::MenuChoice: name = "menu.wav"; break;
        case Sound::Count: break;  // not a sound
    }
    return std::string("assets/sounds/") + name;
}

void SoundPlayer::log(const std::string& line) const { kiln::DebugFile::instance()->stream << line << std::endl; }

void SoundPlayer::init() {
    if (started) return;
    started = true;
    bool current = false;
    {
        QuietStandardError quiet;
        device = alcOpenDevice(nullptr);
        if (device != nullptr) context = alcCreateContext(device, nullptr);
        current = context != nullptr && alcMakeContextCurrent(context) == ALC_TRUE;
    }
    if (device == nullptr) {
        log("Sound: no audio device could be opened; the game plays silent");
        return;
    }
    if (!current) {
        log("Sound: the audio device refused a context; the game plays silent");
        close();
        return;
    }
    canTellLoss = alcIsExtensionPresent(device, "ALC_EXT_disconnect") == ALC_TRUE;
    alGetError();
    for (int i = 0; i < kSources; ++i) {
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) break;  // fewer voices: the pool makes do with what it has
        sources[sourceCount++] = source;
    }
    if (sourceCount == 0) {
        log("Sound: the audio device gives no sources; the game plays silent");
        close();
        return;
    }
    alListenerf(AL_GAIN, muted ? 0.0f : 1.0f);
    loadSounds();
}

// One line names every file that could not be used; the other sounds still play.
void SoundPlayer::loadSounds() {
    std::string unusable;
    for (std::size_t i = 0; i < buffers.size(); ++i) {
        std::string file = fileOf(static_cast<Sound>(i));
        std::optional<WavSound> sound = WavSound::readFile(file);
        ALuint buffer = 0;
        if (sound && sound->getFrameCount() > 0) {
            alGenBuffers(1, &buffer);
            alBufferData(buffer, formatOf(*sound), sound->getSamples().data(),
                         static_cast<ALsizei>(sound->getSamples().size()), static_cast<ALsizei>(sound->getSampleRate()));
            if (alGetError() != AL_NO_ERROR) {
                alDeleteBuffers(1, &buffer);
                buffer = 0;
            }
        }
        buffers[i] = buffer;
        if (buffer == 0) unusable += (unusable.empty() ? "" : ", ") + file;
    }
    if (!unusable.empty()) log("Sound: cannot use " + unusable + "; those stay silent");
}

void SoundPlayer::update(unsigned long) {
    if (!isWorking() || !canTellLoss) return;
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(device, ALC_CONNECTED, 1, &connected);
    if (connected == ALC_FALSE) {
        lost = true;
        log("Sound: the audio device was lost; the game goes on silent");
    }
}

void SoundPlayer::onKeyPressed(unsigned char key) {
    if (key == kMuteKey) setMuted(!muted);
}

void SoundPlayer::setMuted(bool on) {
    muted = on;
    if (isWorking()) alListenerf(AL_GAIN, muted ? 0.0f : 1.0f);  // also silences what is still ringing
}

void SoundPlayer::play(Sound sound, unsigned step) {
    if (!isWorking() || muted || sound == Sound::Count) return;
    ALuint buffer = buffers[static_cast<std::size_t>(sound)];
    if (buffer == 0) return;
    ALuint source = takeSource();
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcef(source, AL_PITCH, sound == Sound::Chime ? chimePitch(step) : 1.0f);
    alSourcePlay(source);
}

// A source that has finished if there is one, else the one started longest ago.
unsigned SoundPlayer::takeSource() {
    for (int tried = 0; tried < sourceCount; ++tried) {
        unsigned candidate = sources[(nextSource + tried) % sourceCount];
        ALint state = AL_STOPPED;
        alGetSourcei(candidate, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING) {
            nextSource = (nextSource + tried + 1) % sourceCount;
            return candidate;
        }
    }
    unsigned oldest = sources[nextSource];
    nextSource = (nextSource + 1) % sourceCount;
    return oldest;
}

void SoundPlayer::close() {
    if (context != nullptr) {
        if (sourceCount > 0) alDeleteSources(sourceCount, sources.data());
        for (unsigned& buffer : buffers) {
            if (buffer != 0) alDeleteBuffers(1, &buffer);
            buffer = 0;
        }
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
        context = nullptr;
    }
    sourceCount = 0;
    if (device != nullptr) alcCloseDevice(device);
    device = nullptr;
}

}  // namespace quiltRush
