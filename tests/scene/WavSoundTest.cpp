#include "game/scene/WavSound.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using quiltRush::WavSound;

namespace {

std::string le(std::uint32_t value, int bytes) {
    std::string text;
    for (int i = 0; i < bytes; ++i) text += static_cast<char>((value >> (8 * i)) & 0xFF);
    return text;
}

std::string chunk(const std::string& id, const std::string& body) {
    return id + le(static_cast<std::uint32_t>(body.size()), 4) + body + (body.size() % 2 ? std::string(1, '\0') : "");
}

std::string format(int tag, int channels, std::uint32_t rate, int bits, int blockAlign = -1) {
    if (blockAlign < 0) blockAlign = channels * bits / 8;
    return le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * blockAlign, 4) + le(blockAlign, 2) + le(bits, 2);
}

std::string riff(const std::string& chunks) { return "RIFF" + le(static_cast<std::uint32_t>(chunks.size() + 4), 4) + "WAVE" + chunks; }

const std::string kFourSamples = le(0, 2) + le(1000, 2) + le(static_cast<std::uint16_t>(-1000), 2) + le(32767, 2);
const std::string kPcmGuid("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71", 16);

std::optional<WavSound> decode(const std::string& bytes) {
    return WavSound::decode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

TEST(WavSoundTest, AcceptedFormatsDecodeTheirFrames) {
    struct Case {
        const char* name;
        std::string bytes;
        int channels, bits;
        std::size_t frames;
        std::int16_t second;
    };
    const std::string extensible = format(0xFFFE, 1, 44100, 16) + le(22, 2) + le(16, 2) + le(4, 4) + kPcmGuid;
    const Case cases[] = {
        {"mono 16-bit", riff(chunk("fmt ", format(1, 1, 22050, 16)) + chunk("data", kFourSamples)), 1, 16, 4, 1000},
        {"stereo 8-bit", riff(chunk("fmt ", format(1, 2, 8000, 8)) + chunk("data", std::string("\x80\xff\xc0\x00", 4))), 2, 8, 2, 16384},
        {"extensible PCM", riff(chunk("fmt ", extensible) + chunk("data", kFourSamples)), 1, 16, 4, 1000},
        {"unknown and odd chunks skipped, part frame dropped",
         riff(chunk("fmt ", format(1, 1, 22050, 16)) + chunk("LIST", "abc") + chunk("data", kFourSamples + "z")), 1, 16, 4,
         1000},
    };
    for (const Case& c : cases) {
        std::optional<WavSound> sound = decode(c.bytes);
        ASSERT_TRUE(sound) << c.name;
        EXPECT_EQ(sound->getChannels(), c.channels) << c.name;
        EXPECT_EQ(sound->getBitsPerSample(), c.bits) << c.name;
        EXPECT_EQ(sound->getFrameCount(), c.frames) << c.name;
        EXPECT_EQ(sound->sampleAt(1), c.second) << c.name;
    }
}

TEST(WavSoundTest, AnythingElseIsRefused) {
    const std::string fmt16 = chunk("fmt ", format(1, 1, 22050, 16));
    const std::string data = chunk("data", kFourSamples);
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"not RIFF", "RIFX" + riff(fmt16 + data).substr(4)},
        {"float samples", riff(chunk("fmt ", format(3, 1, 22050, 32)) + data)},
        {"24-bit", riff(chunk("fmt ", format(1, 1, 22050, 24)) + data)},
        {"three channels", riff(chunk("fmt ", format(1, 3, 22050, 16)) + data)},
        {"rate 0", riff(chunk("fmt ", format(1, 1, 0, 16)) + data)},
        {"block size that does not match", riff(chunk("fmt ", format(1, 1, 22050, 16, 4)) + data)},
        {"short fmt chunk", riff(chunk("fmt ", format(1, 1, 22050, 16).substr(0, 14)) + data)},
        {"extensible of another sub-format", riff(chunk("fmt ", format(0xFFFE, 1, 22050, 16) + std::string(24, '\0')) + data)},
        {"data before fmt", riff(data + fmt16)},
        {"no data", riff(fmt16)},
        {"data longer than the file", riff(fmt16 + "data" + le(0xFFFFFFFF, 4) + kFourSamples)},
        {"fmt longer than the file", riff("fmt " + le(0x7FFFFFFF, 4) + format(1, 1, 22050, 16))},
    };
    for (const auto& [name, bytes] : cases) EXPECT_FALSE(decode(bytes)) << name;
}
