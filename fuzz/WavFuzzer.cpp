// Feeds arbitrary bytes to the sound file reader. A decoded sound must have
// one of the accepted formats and hold a whole number of frames, no more
// bytes than the file had.
#include <cstdint>

#include "fuzz/FuzzCheck.h"
#include "game/scene/WavSound.h"

using quiltRush::WavSound;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::optional<WavSound> sound = WavSound::decode(data, size);
    if (!sound) return 0;

    FUZZ_CHECK(sound->getChannels() == 1 || sound->getChannels() == 2);
    FUZZ_CHECK(sound->getBitsPerSample() == 8 || sound->getBitsPerSample() == 16);
    FUZZ_CHECK(sound->getSampleRate() > 0 && sound->getSampleRate() <= WavSound::kMaxSampleRate);
    const std::size_t bytes = sound->getSamples().size();
    FUZZ_CHECK(bytes % static_cast<std::size_t>(sound->getFrameBytes()) == 0);
    FUZZ_CHECK(bytes + 44 <= size);  // at least the RIFF, fmt and data headers came before them
    for (std::size_t frame = 0; frame < sound->getFrameCount(); ++frame) (void)sound->sampleAt(frame);
    return 0;
}
