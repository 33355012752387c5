// quiltrush-play-timeline: replays a recorded timeline through the real game
// with the fixed 16 ms clock and says whether and when the run finished.
//
//   quiltrush-play-timeline TIMELINE [--level NAME] [--no-display] [--ticks N]
//                           [--trace FILE] [--frames EVERY DIR] [--drags]
//
// Run it from the project root under an X display (xvfb-run -a ...). The
// game's own "checkpoint N" lines appear on standard output as they happen.
// --drags ends with the drag steps taken and how many of them held the mouse
// sphere back from the point under the mouse (a drag by hand holds back none).
// Exit status 0 when the finish screen came up, 1 when it did not, 2 for bad
// arguments or a timeline that cannot be read.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

#include "game/play/FinishScreen.h"
#include "game/play/InputHandler.h"
#include "tools/driver/GameDriver.h"
#include "tools/driver/InputTimeline.h"
#include "tools/driver/WholeNumber.h"

namespace {

constexpr int kDefaultTicks = 60 * 1000 / 16;  // a minute of play
constexpr int kExitFinished = 0;
constexpr int kExitNotFinished = 1;
constexpr int kExitUsage = 2;

struct Arguments {
    std::string timeline;
    std::string level;  // a pack level; empty: the plain start's
    bool display = true;
    int ticks = kDefaultTicks;
    std::string trace;
    int frameEvery = 0;
    std::string frameFolder;
    bool drags = false;
};

[[noreturn]] void usage(const char* message) {
    std::fprintf(stderr,
                 "%s\nusage: quiltrush-play-timeline TIMELINE [--level NAME] [--no-display] [--ticks N] "
                 "[--trace FILE] [--frames EVERY DIR] [--drags]\n",
                 message);
    std::exit(kExitUsage);
}

int positive(const char* text) {
    std::optional<long> value = quiltRush::parseWholeNumber(text, 1, 10000000);
    if (!value) usage("expected a whole number above 0");
    return static_cast<int>(*value);
}

Arguments parse(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        auto next = [&]() -> const char* {
            if (i + 1 >= argc) usage(("missing value after " + word).c_str());
            return argv[++i];
        };
        if (word == "--level") {
            arguments.level = next();
        } else if (word == "--no-display") {
            arguments.display = false;
        } else if (word == "--ticks") {
            arguments.ticks = positive(next());
        } else if (word == "--trace") {
            arguments.trace = next();
        } else if (word == "--drags") {
            arguments.drags = true;
        } else if (word == "--frames") {
            arguments.frameEvery = positive(next());
            arguments.frameFolder = next();
        } else if (!word.empty() && word[0] == '-') {
            usage(("unknown option " + word).c_str());
        } else if (arguments.timeline.empty()) {
            arguments.timeline = word;
        } else {
            usage("only one timeline");
        }
    }
    if (arguments.timeline.empty()) usage("no timeline given");
    if (arguments.frameEvery > 0 && !arguments.display) usage("--frames needs the display");
    return arguments;
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
        built.emplace(arguments.display, arguments.level);
    } catch (const std::invalid_argument& error) {
        usage(error.what());
    }
    quiltRush::GameDriver& driver = *built;
    driver.run(timeline, arguments.ticks, [&](const quiltRush::GameDriver& played) {
        if (arguments.frameEvery > 0 && played.getTick() % arguments.frameEvery == 0) {
            char name[32];
            std::snprintf(name, sizeof name, "/frame%06d.ppm", played.getTick());
            played.saveFrame(arguments.frameFolder + name);
        }
        return !played.getFinishTicks().empty();
    });

    if (!arguments.trace.empty()) {
        std::ofstream trace(arguments.trace);
        int tick = 1;
        for (const quiltRush::Vector3& p : driver.getBallTrace()) {
            trace << tick++ << ' ' << p.x << ' ' << p.y << ' ' << p.z << '\n';
        }
    }
    if (arguments.drags) {
        const quiltRush::InputHandler& input = driver.getInput();
        std::printf("drags: %lu steps, %lu held back\n", input.getDragSteps(), input.getHeldBackDragSteps());
    }
    if (driver.getFinishTicks().empty()) {
        std::printf("not finished after %d ticks\n", driver.getTick());
        return kExitNotFinished;
    }
    std::printf("finished: time %s, tick %d\n", driver.getFinishScreen().getText().c_str(),
                driver.getFinishTicks().front());
    return kExitFinished;
}
