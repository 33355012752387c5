// quiltrush-screenshots: plays a timeline through the real game and saves the
// frames drawn at chosen ticks, for the pictures in the README.
//
//   quiltrush-screenshots TIMELINE WHEN=FILE [WHEN=FILE ...] [--ticks N] [--level NAME]
//
// WHEN is a tick (the frame drawn by that tick; tick 1 is the first) or
// "finish+N", N ticks after the finish screen first came up, so a recorded
// playthrough that changes length still gives its finish picture. FILE gets a
// binary PPM image of the whole 640x480 window. Run it from the project root
// under an X display (xvfb-run -a ...). Exit status 0 when every frame was
// saved, 1 when a tick was never reached or a file could not be written, 2 for
// bad arguments or a timeline that cannot be read.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/driver/GameDriver.h"
#include "tools/driver/InputTimeline.h"
#include "tools/driver/WholeNumber.h"

namespace {

constexpr int kDefaultTicks = 60 * 1000 / 16;  // a minute of play
constexpr int kExitSaved = 0;
constexpr int kExitMissed = 1;
constexpr int kExitUsage = 2;
const std::string kFinishPrefix = "finish+";

struct Shot {
    bool afterFinish = false;  // tick counts from the finish screen's first tick
    int tick = 0;
    std::string path;
    bool saved = false;
};

struct Arguments {
    std::string timeline;
    std::vector<Shot> shots;
    int ticks = kDefaultTicks;
    std::string level;  // a pack level; empty: the plain start's
};

[[noreturn]] void usage(const std::string& message) {
    std::fprintf(stderr, "%s\nusage: quiltrush-screenshots TIMELINE WHEN=FILE [WHEN=FILE ...] [--ticks N] [--level NAME]\n"
                         "       WHEN is a tick (1 or more) or finish+N\n",
                 message.c_str());
    std::exit(kExitUsage);
}

int wholeNumber(const std::string& text, long lowest) {
    std::optional<long> value = quiltRush::parseWholeNumber(text, lowest, 10000000);
    if (!value) usage("expected a whole number of at least " + std::to_string(lowest) + ", not '" + text + "'");
    return static_cast<int>(*value);
}

Shot parseShot(const std::string& word) {
    std::size_t equals = word.find('=');
    if (equals == std::string::npos || equals + 1 == word.size()) usage("expected WHEN=FILE, not '" + word + "'");
    Shot shot;
    std::string when = word.substr(0, equals);
    shot.path = word.substr(equals + 1);
    if (when.compare(0, kFinishPrefix.size(), kFinishPrefix) == 0) {
        shot.afterFinish = true;
        shot.tick = wholeNumber(when.substr(kFinishPrefix.size()), 0);
    } else {
        shot.tick = wholeNumber(when, 1);
    }
    return shot;
}

Arguments parse(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        if (word == "--ticks") {
            if (i + 1 >= argc) usage("missing value after --ticks");
            arguments.ticks = wholeNumber(argv[++i], 1);
        } else if (word == "--level") {
            if (i + 1 >= argc) usage("missing value after --level");
            arguments.level = argv[++i];
        } else if (!word.empty() && word[0] == '-') {
            usage("unknown option " + word);
        } else if (arguments.timeline.empty()) {
            arguments.timeline = word;
        } else {
            arguments.shots.push_back(parseShot(word));
        }
    }
    if (arguments.timeline.empty()) usage("no timeline given");
    if (arguments.shots.empty()) usage("no WHEN=FILE given");
    return arguments;
}

// The tick a shot wants, or -1 while it waits for a finish that has not come.
int wantedTick(const Shot& shot, const quiltRush::GameDriver& driver) {
    if (!shot.afterFinish) return shot.tick;
    const std::vector<int>& finishes = driver.getFinishTicks();
    return finishes.empty() ? -1 : finishes.front() + shot.tick;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments = parse(argc, argv);
    quiltRush::InputTimeline timeline;
    try {
        timeline = quiltRush::InputTimeline::load(arguments.timeline);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return kExitUsage;
    }

    std::optional<quiltRush::GameDriver> built;
    try {
        built.emplace(true, arguments.level);
    } catch (const std::invalid_argument& error) {
        usage(error.what());
    }
    quiltRush::GameDriver& driver = *built;
    driver.setTracing(false);
    int status = kExitSaved;
    std::size_t left = arguments.shots.size();
    driver.run(timeline, arguments.ticks, [&](const quiltRush::GameDriver& played) {
        for (Shot& shot : arguments.shots) {
            if (shot.saved || wantedTick(shot, played) != played.getTick()) continue;
            shot.saved = true;
            --left;
            if (played.saveFrame(shot.path)) {
                std::printf("tick %d: %s\n", played.getTick(), shot.path.c_str());
            } else {
                std::fprintf(stderr, "cannot write %s\n", shot.path.c_str());
                status = kExitMissed;
            }
        }
        return left == 0;
    });

    for (const Shot& shot : arguments.shots) {
        if (shot.saved) continue;
        std::fprintf(stderr, "%s: tick %s%d never came in %d ticks\n", shot.path.c_str(),
                     shot.afterFinish ? kFinishPrefix.c_str() : "", shot.tick, driver.getTick());
        status = kExitMissed;
    }
    return status;
}
