#pragma once

namespace quiltRush {

/// The moments of the game that are heard.
enum class Sound { Chime, Fanfare, TackPinned, TackFreed, Grab, Fall, MenuChoice, Count };

/// Where the game's rules and controls say that something is heard. Playing
/// never blocks and never fails: without sound it simply does nothing.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    /// step: for the chime, the checkpoints passed before this one in the run
    /// (each step sounds higher); ignored by the other sounds.
    virtual void play(Sound sound, unsigned step = 0) = 0;

    /// Hears nothing: what every part of the game talks to until it is given a real output.
    static SoundOutput& silence();
};

}  // namespace quiltRush
