#include "game/scene/WavSound.h"

#include <cstring>
#include <fstream>

#include "game/scene/LittleEndian.h"

// The file is walked chunk by chunk. Every length read from it is checked
// against the bytes that are really left before it is used, in 64-bit
// arithmetic, so a damaged or hostile file can neither make us read past its
// end nor allocate more than it holds.

namespace quiltRush {

namespace {

constexpr std::size_t kRiffHeaderBytes = 12;  // "RIFF", size, "WAVE"
constexpr std::size_t kChunkHeaderBytes = 8;  // id, length
constexpr std::size_t kPcmFormatBytes = 16;
constexpr std::size_t kExtensibleFormatBytes = 40;
constexpr std::size_t kSubFormatAt = 24;      // within an extensible fmt chunk
// KSDATAFORMAT_SUBTYPE_PCM: 00000001-0000-0010-8000-00aa00389b71, as stored.
constexpr std::uint8_t kPcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                            0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};

bool hasId(const std::uint8_t* bytes, const char* id) { return std::memcmp(bytes, id, 4) == 0; }

struct Format {
    int channels = 0;
    int bitsPerSample = 0;
    std::uint32_t sampleRate = 0;
};

std::optional<Format> readFormat(const std::uint8_t* chunk, std::uint32_t length) {
    if (length < kPcmFormatBytes) return std::nullopt;
    auto tag = static_cast<std::uint16_t>(littleEndian(chunk, 2));
    if (tag == WavSound::kFormatExtensible) {
        if (length < kExtensibleFormatBytes) return std::nullopt;
        if (std::memcmp(chunk + kSubFormatAt, kPcmSubFormat, sizeof kPcmSubFormat) != 0) return std::nullopt;
    } else if (tag != WavSound::kFormatPcm) {
        return std::nullopt;
    }
    Format format;
    format.channels = static_cast<int>(littleEndian(chunk + 2, 2));
    format.sampleRate = littleEndian(chunk + 4, 4);
    auto blockAlign = static_cast<int>(littleEndian(chunk + 12, 2));
    format.bitsPerSample = static_cast<int>(littleEndian(chunk + 14, 2));
    if (format.channels != 1 && format.channels != 2) return std::nullopt;
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return std::nullopt;
    if (format.sampleRate == 0 || format.sampleRate > WavSound::kMaxSampleRate) return std::nullopt;
    if (blockAlign != format.channels * format.bitsPerSample / 8) return std::nullopt;
    return format;
}

}  // namespace

std::optional<WavSound> WavSound::decode(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < kRiffHeaderBytes) return std::nullopt;
    if (!hasId(data, "RIFF") || !hasId(data + 8, "WAVE")) return std::nullopt;
    // The RIFF length is not trusted: writers that were cut off leave it wrong.
    // The chunks are walked up to the real end of the bytes instead.
    std::optional<Format> format;
    std::uint64_t at = kRiffHeaderBytes;
    while (at + kChunkHeaderBytes <= size) {
        const std::uint8_t* header = data + at;
        std::uint64_t length = littleEndian(header + 4, 4);
        std::uint64_t body = at + kChunkHeaderBytes;
        std::uint64_t left = size - body;
        if (hasId(header, "fmt ")) {
            if (length > left) return std::nullopt;
            format = readFormat(data + body, static_cast<std::uint32_t>(length));
            if (!format) return std::nullopt;
        } else if (hasId(header, "data")) {
            if (!format || length > left) return std::nullopt;  // the format must come first
            WavSound sound;
            sound.channels = format->channels;
            sound.bitsPerSample = format->bitsPerSample;
            sound.sampleRate = format->sampleRate;
            std::uint64_t whole = length - length % static_cast<std::uint64_t>(sound.getFrameBytes());
            sound.samples.assign(data + body, data + body + whole);
            return sound;
        }
        at = body + length + (length & 1);  // chunks are padded to an even length
    }
    return std::nullopt;
}

std::optional<WavSound> WavSound::readFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    std::streamoff length = in.tellg();
    in.seekg(0, std::ios::beg);
    if (!in || length < 0 || static_cast<std::uint64_t>(length) > kMaxFileBytes) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), length)) return std::nullopt;
    return decode(bytes.data(), bytes.size());
}

std::int16_t WavSound::sampleAt(std::size_t frame) const {
    const std::uint8_t* at = samples.data() + frame * static_cast<std::size_t>(getFrameBytes());
    if (bitsPerSample == 8) return static_cast<std::int16_t>((static_cast<int>(at[0]) - 128) * 256);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(at[0] | (at[1] << 8)));
}

}  // namespace quiltRush
