// What the game plays, heard from the audio itself: OpenAL Soft's wave-file
// backend, chosen by a configuration of the test's own, writes every sample it
// mixes. The backend mixes in real time, so the proof's ticks are paced at
// 16 ms of wall time and each event is looked for where its moment fell.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

#include "framework/Registry.h"
#include "game/scene/SoundPlayer.h"
#include "game/scene/WavSound.h"
#include "tests/playthrough/GameInChild.h"
#include "tools/driver/InputTimeline.h"

namespace {

using quiltRush::GameDriver;
using quiltRush::InputEvent;
using quiltRush::WavSound;
using Seconds = std::chrono::duration<double>;

constexpr double kChimeHz = 523.25;  // C5, the chime's own note
constexpr double kOnsetBefore = 0.08;  // seconds: the mixer takes a request at its next period
constexpr double kOnsetAfter = 0.15;
constexpr double kFanfareLead = 0.25;  // seconds of quiet at the start of the fanfare

void useSoundConfig(const std::string& lines) {
    std::ofstream("alsoft.conf") << "[general]\n" << lines;
    ::setenv("ALSOFT_CONF", (std::filesystem::current_path() / "alsoft.conf").c_str(), 1);
}

std::string soundLogLines() {
    std::ifstream log("log.txt");
    std::string lines;
    for (std::string line; std::getline(log, line);) {
        if (line.rfind("Sound:", 0) == 0) lines += line + "\n";
    }
    return lines;
}

InputEvent key(unsigned char code) {
    InputEvent event;
    event.kind = InputEvent::Kind::Key;
    event.key = code;
    return event;
}

// Root mean square of 5 ms frames; an onset is a frame twice as loud as the four before it.
long onsetBetween(const WavSound& sound, double from, double to) {
    const long frame = sound.getSampleRate() / 200;
    auto rms = [&](long at) {
        double sum = 0.0;
        for (long i = at; i < at + frame && i < static_cast<long>(sound.getFrameCount()); ++i) {
            sum += std::pow(sound.sampleAt(static_cast<std::size_t>(i)), 2);
        }
        return std::sqrt(sum / frame);
    };
    for (long at = std::max(4 * frame, static_cast<long>(from * sound.getSampleRate())); at < to * sound.getSampleRate();
         at += frame) {
        double before = (rms(at - frame) + rms(at - 2 * frame) + rms(at - 3 * frame) + rms(at - 4 * frame)) / 4;
        if (rms(at) > 2.0 * before + 100.0) return at;
    }
    return -1;
}

// The strongest frequency from 300 to 2000 Hz in the 50 ms after an onset's attack (Hann-windowed scan, 1 Hz steps).
double pitchAt(const WavSound& sound, long onset) {
    const long start = onset + sound.getSampleRate() / 100;
    const long length = sound.getSampleRate() / 20;
    double best = 0.0;
    double bestPower = -1.0;
    for (double hz = 300.0; hz <= 2000.0; hz += 1.0) {
        double re = 0.0;
        double im = 0.0;
        for (long i = 0; i < length; ++i) {
            double weight = 0.5 - 0.5 * std::cos(2 * M_PI * i / length);
            double value = weight * sound.sampleAt(static_cast<std::size_t>(start + i));
            re += value * std::cos(2 * M_PI * hz * i / sound.getSampleRate());
            im += value * std::sin(2 * M_PI * hz * i / sound.getSampleRate());
        }
        if (re * re + im * im > bestPower) bestPower = re * re + im * im, best = hz;
    }
    return best;
}

class SoundGlTest : public playthroughTest::GameFolderTest<> {
protected:
    void SetUp() override {
        GameFolderTest::SetUp();
        if (isReady()) timeline = quiltRush::InputTimeline::load(playthroughTest::recordedTimelinePath());
    }

    quiltRush::InputTimeline timeline;
};

}  // namespace

TEST_F(SoundGlTest, EachCheckpointChimesHigherThenTheFanfarePlaysAndMuteSilencesAll) {
    // Seconds from the device's start: each checkpoint, the finish, the mute, the unmute.
    quiltRush::ChildResult run = quiltRush::runInChildProcess([&] {
        useSoundConfig("drivers = wave\nsample-type = int16\nchannels = mono\ndither = false\n[wave]\nfile = out.wav\n");
        GameDriver driver(false);
        auto start = std::chrono::steady_clock::now();  // the device started writing in the game's init
        auto now = [&] { return Seconds(std::chrono::steady_clock::now() - start).count(); };
        std::vector<double> at;  // when each tick's update was done
        auto paced = [&](int ticks) {
            driver.run(timeline, driver.getTick() + ticks, [&](const GameDriver& played) {
                at.push_back(now());
                std::this_thread::sleep_until(start + std::chrono::milliseconds(16 * played.getTick()));
                return false;
            });
        };
        paced(timeline.lastTick() + 1);
        while (driver.getFinishTicks().empty() && driver.getTick() < 1000) paced(1);
        paced(100);  // the fanfare rings out
        std::ostringstream out;
        for (const quiltRush::CheckpointPass& pass : driver.getPasses()) out << at[pass.tick - 1] << ' ';
        out << at[driver.getFinishTicks().front() - 1] << ' ' << now() << ' ';
        // Muted: the menu, its button, a tack pinned and freed and a restart are all silent.
        for (unsigned char code : {'m', '\x1b'}) driver.deliver(key(code));
        paced(10);
        driver.deliver({driver.getTick(), InputEvent::Kind::Move, 320, 164});
        driver.deliver({driver.getTick(), InputEvent::Kind::Press, 0, 0, 0});
        driver.deliver({driver.getTick(), InputEvent::Kind::Release, 0, 0, 0});
        paced(10);
        for (unsigned char code : {' ', ' ', '\r'}) driver.deliver(key(code)), paced(20);
        // Unmuted again: the next tack is heard.
        out << now() << ' ';
        driver.deliver(key('m'));
        driver.deliver(key(' '));
        paced(40);
        dynamic_cast<quiltRush::SoundPlayer*>(kiln::Registry::instance()->find("Sound"))->close();  // completes the file
        return out.str();
    });
    ASSERT_TRUE(run.completed) << run.text;
    std::istringstream moments(run.text);
    std::vector<double> chimes(4);
    double finish = 0.0, mute = 0.0, unmute = 0.0;
    for (double& moment : chimes) moments >> moment;
    moments >> finish >> mute >> unmute;
    ASSERT_TRUE(moments) << run.text;

    std::optional<WavSound> heard = WavSound::readFile("out.wav");
    ASSERT_TRUE(heard);
    ASSERT_EQ(heard->getSampleRate(), 44100u);
    const double rate = heard->getSampleRate();
    double previous = 0.0;
    for (std::size_t i = 0; i < chimes.size(); ++i) {
        long onset = onsetBetween(*heard, chimes[i] - kOnsetBefore, chimes[i] + kOnsetAfter);
        ASSERT_GE(onset, 0) << "no chime near " << chimes[i] << " s";
        double pitch = pitchAt(*heard, onset);
        std::cout << "chime " << i << ": onset " << onset / rate << " s (checkpoint at " << chimes[i] << " s), "
                  << pitch << " Hz\n";
        EXPECT_NEAR(pitch, kChimeHz * quiltRush::SoundPlayer::chimePitch(static_cast<unsigned>(i)), 0.02 * pitch);
        EXPECT_GT(pitch, previous);
        previous = pitch;
    }
    // The fanfare's first note follows the last chime after its short lead-in.
    long fanfare = onsetBetween(*heard, finish + kFanfareLead - kOnsetBefore, finish + kFanfareLead + kOnsetAfter);
    ASSERT_GE(fanfare, 0) << "no fanfare after " << finish << " s";
    std::cout << "fanfare: onset " << fanfare / rate << " s (finish at " << finish << " s), " << pitchAt(*heard, fanfare)
              << " Hz\n";
    EXPECT_NEAR(pitchAt(*heard, fanfare), kChimeHz, 0.02 * kChimeHz);

    int loudest = 0;
    for (long i = static_cast<long>((mute + 0.05) * rate); i < static_cast<long>((unmute - kOnsetBefore) * rate); ++i) {
        loudest = std::max(loudest, std::abs(static_cast<int>(heard->sampleAt(static_cast<std::size_t>(i)))));
    }
    std::cout << "muted for " << unmute - kOnsetBefore - mute - 0.05 << " s: loudest sample " << loudest << " of 32767\n";
    EXPECT_EQ(loudest, 0);
    EXPECT_GE(onsetBetween(*heard, unmute - kOnsetBefore, unmute + kOnsetAfter), 0) << "nothing heard after unmuting";
}

TEST_F(SoundGlTest, WithoutWorkingSoundTheGamePlaysOnAndSaysSoOnceInTheLog) {
    struct Case {
        const char* name;
        std::string config;
        bool brokenFiles;
        std::string logLine;
    };
    const Case cases[] = {
        {"no device", "drivers = none-at-all\n", false, "Sound: no audio device could be opened; the game plays silent\n"},
        {"device lost", "drivers = wave\n[wave]\nfile = /dev/full\n", false,
         "Sound: the audio device was lost; the game goes on silent\n"},
        {"missing and broken files", "drivers = wave\n[wave]\nfile = /dev/null\n", true,
         "Sound: cannot use assets/sounds/chime.wav, assets/sounds/fanfare.wav; those stay silent\n"},
    };
    for (const Case& c : cases) {
        quiltRush::ChildResult run = quiltRush::runInChildProcess([&] {
            if (c.brokenFiles) {
                // A game folder of its own whose sound folder has one damaged file and lacks another.
                std::filesystem::path assets = std::filesystem::canonical("assets");
                std::filesystem::create_directories("broken/assets/sounds");
                for (const auto& entry : std::filesystem::directory_iterator(assets)) {
                    if (entry.path().filename() != "sounds") {
                        std::filesystem::create_symlink(entry.path(), "broken/assets" / entry.path().filename());
                    }
                }
                for (const auto& entry : std::filesystem::directory_iterator(assets / "sounds")) {
                    std::filesystem::copy(entry.path(), "broken/assets/sounds");
                }
                std::filesystem::remove("broken/assets/sounds/fanfare.wav");
                std::filesystem::resize_file("broken/assets/sounds/chime.wav", 60);
                if (::chdir("broken") != 0) return std::string("no folder");
            }
            useSoundConfig(c.config);
            GameDriver driver(false);
            driver.run(timeline, 2000, [](const GameDriver& played) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));  // lets the backend write and fail
                return !played.getFinishTicks().empty();
            });
            return std::to_string(driver.getPasses().size()) + " " + std::to_string(driver.getFinishTicks().size()) +
                   "\n" + soundLogLines();
        });
        ASSERT_TRUE(run.completed) << c.name << ": " << run.text;
        EXPECT_EQ(run.text, "4 1\n" + c.logLine) << c.name;
    }
}
