#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quiltRush {

/// A decoded RIFF WAVE file of linear PCM: 8-bit (unsigned) or 16-bit (signed,
/// little endian) samples, one or two channels, frames interleaved as stored.
/// Plain C++ (no audio library), so tests and fuzzers can run it anywhere.
class WavSound {
public:
    static constexpr std::uint32_t kMaxSampleRate = 192000;       // frames a second
    static constexpr std::size_t kMaxFileBytes = 64u << 20;      // larger files are refused unread
    static constexpr std::uint16_t kFormatPcm = 1;
    static constexpr std::uint16_t kFormatExtensible = 0xFFFE;   // accepted when its sub-format is PCM

    /// Empty unless the bytes hold "RIFF", "WAVE", a complete "fmt " chunk of
    /// PCM with 1 or 2 channels, 8 or 16 bits, a rate of 1..192000 and a block
    /// size that matches, followed later by a "data" chunk that lies wholly in
    /// the bytes. Unknown chunks are skipped; a trailing part frame is dropped.
    static std::optional<WavSound> decode(const std::uint8_t* data, std::size_t size);
    /// Empty also when the file cannot be read or is larger than kMaxFileBytes.
    static std::optional<WavSound> readFile(const std::string& fileName);

    int getChannels() const { return channels; }
    int getBitsPerSample() const { return bitsPerSample; }
    std::uint32_t getSampleRate() const { return sampleRate; }
    /// Bytes of one frame: channels x bits / 8.
    int getFrameBytes() const { return channels * bitsPerSample / 8; }
    std::size_t getFrameCount() const { return samples.size() / static_cast<std::size_t>(getFrameBytes()); }
    /// The frames exactly as stored, a whole number of them.
    const std::vector<std::uint8_t>& getSamples() const { return samples; }
    /// Channel 0 of frame i as a signed 16-bit value (8-bit samples are scaled up).
    std::int16_t sampleAt(std::size_t frame) const;

private:
    int channels = 0;
    int bitsPerSample = 0;
    std::uint32_t sampleRate = 0;
    std::vector<std::uint8_t> samples;
};

}  // namespace quiltRush
