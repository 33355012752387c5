#pragma once

#include <AL/alc.h>

#include <array>
#include <cstdint>
#include <string>

#include "framework/Entity.h"
#include "framework/IKeyboardEventListener.h"
#include "framework/IUpdateListener.h"
#include "game/scene/SoundOutput.h"

namespace quiltRush {

/// The game's sounds through OpenAL: the device, the buffers of
/// "assets/sounds/*.wav" and a small pool of sources are made once in init;
/// playing only starts a free source. With no device, a lost device or a
/// sound file it cannot use, it goes on silent where it must and writes one
/// line to "log.txt". Key 'm' mutes and unmutes, on every screen.
class SoundPlayer : public kiln::Entity,
                    public kiln::IUpdateListener,
                    public kiln::IKeyboardEventListener,
                    public SoundOutput {
public:
    static constexpr unsigned char kMuteKey = 'm';
    static constexpr int kSources = 8;  // sounds heard at once; the oldest gives way

    /// Id "Sound"; touches no audio yet.
    SoundPlayer();
    ~SoundPlayer() override;
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    /// Opens the default device and loads every sound, once: the game built
    /// again for another level keeps the player, and its init keeps what it has.
    void init() override;
    /// Notices a device that went away (checked every tick, never waits).
    void update(unsigned long elapsed) override;
    void onKeyPressed(unsigned char key) override;
    void onKeyReleased(unsigned char) override {}
    void onSpecialKeyPressed(int) override {}
    void onSpecialKeyReleased(int) override {}

    void play(Sound sound, unsigned step = 0) override;
    void setMuted(bool on);
    bool isMuted() const { return muted; }
    /// A device is open, still there, and sounds can be played.
    bool isWorking() const { return context != nullptr && !lost; }
    /// Releases every source, buffer, the context and the device (also done on
    /// destruction); the player is silent afterwards.
    void close();

    /// The chime's pitch factor for a step: up a major pentatonic scale, two octaves at most.
    static float chimePitch(unsigned step);
    /// The file of each sound, under assets/.
    static std::string fileOf(Sound sound);

private:
    void loadSounds();
    unsigned takeSource();
    void log(const std::string& line) const;

    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    std::array<unsigned, static_cast<std::size_t>(Sound::Count)> buffers{};
    std::array<unsigned, kSources> sources{};
    int sourceCount = 0;
    unsigned nextSource = 0;
    bool started = false;
    bool canTellLoss = false;
    bool lost = false;
    bool muted = false;
};

}  // namespace quiltRush
