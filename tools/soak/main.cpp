// quiltrush-soak: plays the real game for a long time with seeded random
// input and the fixed 16 ms clock, and checks the game after every tick.
//
//   quiltrush-soak [MINUTES [SEED [rough]]]   (defaults: 2 simulated minutes, seed 1)
//
// rough: the random player leans toward long deep drags, tacks, orbits and
// restarts, every tick is drawn and timed (with glFinish), and each frame
// over 100 ms that is the slowest yet leaves slow-frame-TICK.timeline in the
// working folder: the input that led to it, for quiltrush-play-timeline.
// Run it from the project root under an X display (xvfb-run -a ...). Every
// tenth tick is drawn, so the draw code runs too. It prints the simulated
// minutes, ticks, restarts and resident memory at the start, after the first
// simulated minute, every five and at the end, then the band and the fitted
// trend of resident memory sampled every ten simulated seconds from the first
// minute on. Exit status 0 when every check passed,
// 1 at the first failed one (with the tick and the seed), 2 for bad arguments.
#include <GL/freeglut.h>
#include <malloc.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <optional>
#include <string>

#include "framework/GlutCallbacks.h"
#include "framework/Registry.h"
#include "game/play/Game.h"
#include "game/play/Menu.h"
#include "game/scene/QuiltRushApplication.h"
#include "tools/driver/GameDriver.h"
#include "tools/driver/WholeNumber.h"
#include "tools/soak/FrameHunt.h"
#include "tools/soak/MemoryTrend.h"
#include "tools/soak/RandomPlayer.h"
#include "tools/soak/SoakCheck.h"

namespace {

constexpr int kTicksPerMinute = 60 * 1000 / quiltRush::GameDriver::kTickMillis;
constexpr int kDrawEvery = 10;  // ticks
constexpr int kReportEveryMinutes = 5;
constexpr int kSampleEveryTicks = 10 * 1000 / quiltRush::GameDriver::kTickMillis;  // ten simulated seconds
constexpr long kMaxMinutes = 24 * 60;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

long number(const char* text, long low, long high) {
    std::optional<long> value = quiltRush::parseWholeNumber(text, low, high);
    if (!value) {
        std::fprintf(stderr, "usage: quiltrush-soak [MINUTES [SEED [rough]]]  (MINUTES 1..%ld)\n", kMaxMinutes);
        std::exit(kExitUsage);
    }
    return *value;
}

// Kibibytes of resident memory, from the kernel's own figures.
long residentKib() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    }
    return -1;
}

struct Figures {
    int ticks = 0;
    int restarts = 0;
    int nonFiniteTicks = 0;  // ticks that ended with a sphere not finite (and a restart)
    int stateTicks[static_cast<int>(quiltRush::GameState::Inconsistent) + 1] = {};
};

// Bytes handed out by malloc and not freed: a leak of ours grows this, while
// resident memory also moves with the allocator's and the driver's own pages.
long heapInUseKib() { return static_cast<long>(mallinfo2().uordblks / 1024); }

void report(const char* when, const Figures& figures) {
    std::printf("%-12s %7.2f simulated minutes, %7d ticks, %5d restarts, VmRSS %ld KiB, heap in use %ld KiB\n",
                when, static_cast<double>(figures.ticks) / kTicksPerMinute, figures.ticks, figures.restarts,
                residentKib(), heapInUseKib());
    std::fflush(stdout);
}

constexpr std::size_t kEventsShown = 24;  // the last events, printed with a failure

// The last events as they were delivered, kept without allocating: text made
// for every event would scatter small blocks over the heap and bend the
// memory figures this run is for. They are described only when a check fails.
class RecentEvents {
public:
    void add(quiltRush::InputEvent event, int tick) {
        event.tick = tick;
        events[next] = event;
        next = (next + 1) % kEventsShown;
        count = std::min(count + 1, kEventsShown);
    }
    template <typename Visit>
    void forEach(Visit visit) const {
        for (std::size_t i = 0; i < count; ++i) visit(events[(next + kEventsShown - count + i) % kEventsShown]);
    }

private:
    std::array<quiltRush::InputEvent, kEventsShown> events{};
    std::size_t next = 0;
    std::size_t count = 0;
};

// A timeline line where the timeline can hold the event, else the key's code.
std::string describe(const quiltRush::InputEvent& event) {
    const int tick = event.tick;
    try {
        quiltRush::InputTimeline one;
        one.add(event);
        return one.toText();
    } catch (const std::exception&) {
        bool special = event.key == quiltRush::RandomPlayer::kSpecialKey;
        return std::to_string(tick) + (special ? " special key " + std::to_string(event.x)
                                               : " key code " + std::to_string(event.key)) + "\n";
    }
}

quiltRush::InputEvent withTick(quiltRush::InputEvent event, int tick) {
    event.tick = tick;
    return event;
}

void deliver(quiltRush::GameDriver& driver, const quiltRush::InputEvent& event, int& mouseX, int& mouseY) {
    if (event.kind == quiltRush::InputEvent::Kind::Move) {
        mouseX = event.x;
        mouseY = event.y;
    }
    if (event.kind == quiltRush::InputEvent::Kind::Key && event.key == quiltRush::RandomPlayer::kSpecialKey) {
        kiln::specialCallback(event.x, mouseX, mouseY);
        kiln::specialUpCallback(event.x, mouseX, mouseY);
        return;
    }
    driver.deliver(event);
}

}  // namespace

int main(int argc, char** argv) {
    long minutes = argc > 1 ? number(argv[1], 1, kMaxMinutes) : 2;
    unsigned seed = static_cast<unsigned>(argc > 2 ? number(argv[2], 0, 0xffffffffL) : 1);
    bool rough = argc > 3 && std::strcmp(argv[3], "rough") == 0;
    if (argc > 4 || (argc > 3 && !rough)) number("", 0, 0);

    Figures figures;
    report("start", figures);
    quiltRush::GameDriver driver(false);
    driver.setTracing(false);
    quiltRush::RandomPlayer player(seed, rough ? quiltRush::RandomPlayer::Style::Rough
                                               : quiltRush::RandomPlayer::Style::Broad);
    quiltRush::FrameHunt hunt(".");
    int mouseX = 0;
    int mouseY = 0;
    const long totalTicks = minutes * kTicksPerMinute;
    RecentEvents recent;
    quiltRush::MemoryTrend memory;
    float previousTime = 0.0f;
    quiltRush::GameState previousState = quiltRush::GameState::Menu;

    for (long tick = 0; tick < totalTicks; ++tick) {
        // A card of the level screen builds a new world: look the menu and the game up anew every tick.
        const auto& menu = dynamic_cast<const quiltRush::Menu&>(*kiln::Registry::instance()->find("menu"));
        std::string problem;
        try {
            player.playTick(
                menu, [&] { return menu.state.enabled; },
                [&](const quiltRush::InputEvent& event) {
                    recent.add(event, driver.getTick());
                    if (rough) hunt.record(withTick(event, driver.getTick()));
                    deliver(driver, event, mouseX, mouseY);
                });
            if (menu.isExitSelected()) {
                problem = "the input selected Exit";
            } else {
                driver.step();
                if (rough) {
                    auto start = std::chrono::steady_clock::now();
                    driver.getApplication().display();
                    glFinish();
                    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
                    glutSwapBuffers();
                    hunt.frame(driver.getTick(), took.count(), driver.getGame());
                } else if (tick % kDrawEvery == 0) {
                    driver.getApplication().display();
                    glutSwapBuffers();
                }
            }
        } catch (const std::exception& error) {
            problem = std::string("exception: ") + error.what();
        }
        quiltRush::TickCheck check;
        if (problem.empty()) {
            check = quiltRush::checkTick(driver.getGame());
            problem = check.problem;
        }
        ++figures.ticks;
        // A run goes back to its start by Enter, a fall or the end of the
        // finish pause: its time drops, and no finish was just shown.
        bool finishedNow = check.state == quiltRush::GameState::Finished && previousState != check.state;
        float time = driver.getGame().getTime();
        figures.restarts += (check.restarted || (time < previousTime && !finishedNow)) ? 1 : 0;
        previousTime = time;
        previousState = check.state;
        figures.nonFiniteTicks += check.allFinite ? 0 : 1;
        ++figures.stateTicks[static_cast<int>(check.state)];
        if (!problem.empty()) {
            std::printf("FAILED at tick %d (seed %u, state %s): %s\n", figures.ticks, seed,
                        quiltRush::toString(check.state), problem.c_str());
            std::printf("the last events (a special key shows as character 0):\n");
            recent.forEach([](const quiltRush::InputEvent& event) { std::printf("  %s", describe(event).c_str()); });
            report("failed", figures);
            return kExitFailed;
        }
        if (figures.ticks == kTicksPerMinute) report("first minute", figures);
        if (figures.ticks >= kTicksPerMinute && figures.ticks % kSampleEveryTicks == 0) {
            memory.add(static_cast<double>(figures.ticks) / kTicksPerMinute, static_cast<double>(residentKib()));
        }
        if (figures.ticks % (kReportEveryMinutes * kTicksPerMinute) == 0 && figures.ticks < totalTicks) {
            report("", figures);
        }
    }
    report("end", figures);
    if (memory.getCount() >= 2) {
        std::printf("VmRSS from the first minute on, every 10 simulated seconds (%zu samples): lowest %.0f KiB, "
                    "highest %.0f KiB, fitted line rises %+.0f KiB\n",
                    memory.getCount(), memory.getLowest(), memory.getHighest(), memory.getRise());
    }
    std::printf("ticks by state: menu %d, manual %d, credits %d, levels %d, running %d, finished %d; "
                "levels built %u; ticks ending with a sphere not finite (run restarted): %d\n",
                figures.stateTicks[0], figures.stateTicks[1], figures.stateTicks[2], figures.stateTicks[3],
                figures.stateTicks[4], figures.stateTicks[5], driver.getApplication().getWorldsBuilt(),
                figures.nonFiniteTicks);
    if (rough) {
        std::printf("frames drawn %zu: median %.1f ms, 99th percentile %.1f ms, slowest %.1f ms at tick %d; "
                    "%zu over %.0f ms (each new slowest one left its timeline here)\n",
                    hunt.getFrames(), hunt.percentile(0.5), hunt.percentile(0.99), hunt.getSlowest(),
                    hunt.getSlowestTick(), hunt.getSlowFrames(), quiltRush::FrameHunt::kSlowFrameMillis);
    }
    return 0;
}
