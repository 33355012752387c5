// quiltrush-frametime: times the real game's frames on the shipped level at
// 640 x 480, at the menu and in play with the cloth dragged about, and the
// start-up from main to the end of the first drawn menu frame.
//
//   quiltrush-frametime [FRAMES]     (default 600 frames in each phase)
//
// Run it from the project root under an X display, e.g.
//   LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s '-screen 0 1024x768x24' build/quiltrush-frametime
// Update is the application's update (one 16 ms tick of the manual clock);
// draw is the application's display (3-D and overlay passes) and glFinish,
// so the renderer's work is in it; the swap is not timed. Figures are wall
// clock milliseconds and depend on the machine's load, printed alongside.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "game/physics/Sphere.h"
#include "game/play/Game.h"
#include "game/play/InputHandler.h"
#include "game/play/MenuLayout.h"
#include "game/scene/QuiltRushApplication.h"
#include "tools/driver/GameDriver.h"
#include "tools/driver/WholeNumber.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultFrames = 600;
constexpr int kWarmUpFrames = 30;  // textures and caches settle first
constexpr int kDragRadius = 60;   // pixels of the scripted drag's circle
constexpr int kDragPeriod = 120;  // frames a circle takes
constexpr int kRegrabEvery = 200; // frames: let go and grab again, so picking is timed too

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Samples {
    std::vector<double> update;
    std::vector<double> draw;
};

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    std::size_t index = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size()))) - 1;
    return values[std::min(index, values.size() - 1)];
}

// One frame as the main loop makes it: the tick's update, then the redisplay.
void frame(quiltRush::GameDriver& driver, Samples* samples) {
    Clock::time_point start = Clock::now();
    driver.step();
    double update = millisSince(start);
    start = Clock::now();
    driver.getApplication().display();
    glFinish();
    double draw = millisSince(start);
    glutSwapBuffers();
    if (samples != nullptr) {
        samples->update.push_back(update);
        samples->draw.push_back(draw);
    }
}

void move(quiltRush::GameDriver& driver, int x, int y) {
    quiltRush::InputEvent event;
    event.kind = quiltRush::InputEvent::Kind::Move;
    event.x = x;
    event.y = y;
    driver.deliver(event);
}

void button(quiltRush::GameDriver& driver, quiltRush::InputEvent::Kind kind) {
    quiltRush::InputEvent event;
    event.kind = kind;
    event.button = 0;
    driver.deliver(event);
}

// Grabs the cloth: tries points down the middle of the window until a press picks a sphere.
bool grabCloth(quiltRush::GameDriver& driver, int& grabX, int& grabY) {
    for (int y = 480 - 20; y > 20; y -= 10) {
        for (int x : {320, 260, 380, 200, 440}) {
            move(driver, x, y);
            frame(driver, nullptr);  // the handler unprojects the mouse in its update
            button(driver, quiltRush::InputEvent::Kind::Press);
            if (driver.getInput().getSelected() != nullptr) {
                grabX = x;
                grabY = y;
                return true;
            }
            button(driver, quiltRush::InputEvent::Kind::Release);
        }
    }
    return false;
}

void print(const char* phase, const Samples& samples) {
    std::vector<double> total(samples.update.size());
    for (std::size_t i = 0; i < total.size(); ++i) total[i] = samples.update[i] + samples.draw[i];
    std::printf("%-6s %6zu frames | update median %6.2f p95 %6.2f | draw median %6.2f p95 %6.2f | "
                "both median %6.2f p95 %6.2f ms\n",
                phase, total.size(), percentile(samples.update, 0.5), percentile(samples.update, 0.95),
                percentile(samples.draw, 0.5), percentile(samples.draw, 0.95), percentile(total, 0.5),
                percentile(total, 0.95));
}

// Seconds since the process was started, from the kernel's start time in clock ticks.
double secondsSinceExec() {
    std::ifstream stat("/proc/self/stat");
    std::string field;
    std::getline(stat, field, ')');  // past the command name, which may hold spaces
    for (int i = 0; i < 20 && stat >> field; ++i) {
    }
    double started = std::strtod(field.c_str(), nullptr) / static_cast<double>(sysconf(_SC_CLK_TCK));
    std::ifstream uptime("/proc/uptime");
    double now = 0.0;
    uptime >> now;
    return now - started;
}

std::string loadAverage() {
    std::ifstream load("/proc/loadavg");
    std::string one, five, fifteen;
    load >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

}  // namespace

int main(int argc, char** argv) {
    Clock::time_point launch = Clock::now();
    std::optional<long> parsed = argc > 1 ? quiltRush::parseWholeNumber(argv[1], 1, 1000000) : kDefaultFrames;
    if (!parsed) {
        std::fprintf(stderr, "usage: quiltrush-frametime [FRAMES]\n");
        return 2;
    }
    const int frames = static_cast<int>(*parsed);

    quiltRush::GameDriver driver(false);
    driver.setTracing(false);
    frame(driver, nullptr);  // the first tick primes the clock; its frame is the first menu picture
    double startup = millisSince(launch);
    double sinceExec = secondsSinceExec();
    std::printf("renderer: %s; load average %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                loadAverage().c_str());
    std::printf("start-up: %.1f ms from main to the end of the first menu frame (%.2f s since exec)\n", startup,
                sinceExec);

    Samples menu;
    for (int i = 0; i < kWarmUpFrames; ++i) frame(driver, nullptr);
    for (int i = 0; i < frames; ++i) {
        move(driver, 300 + i % 40, 300);  // the menu's cursor follows the mouse
        frame(driver, &menu);
    }
    print("menu", menu);

    move(driver, quiltRush::menuLayout::clickX(quiltRush::menuLayout::kNew),
         quiltRush::menuLayout::clickY(quiltRush::menuLayout::kNew));
    button(driver, quiltRush::InputEvent::Kind::Press);
    button(driver, quiltRush::InputEvent::Kind::Release);
    frame(driver, nullptr);
    if (driver.getGame().isInMenu()) {
        std::fprintf(stderr, "New did not start play\n");
        return 1;
    }
    for (int i = 0; i < kWarmUpFrames; ++i) frame(driver, nullptr);
    int grabX = 0;
    int grabY = 0;
    if (!grabCloth(driver, grabX, grabY)) {
        std::fprintf(stderr, "no cloth sphere under the window's middle\n");
        return 1;
    }
    Samples play;
    for (int i = 0; i < frames; ++i) {
        double angle = 2.0 * M_PI * (i % kDragPeriod) / kDragPeriod;
        move(driver, grabX + static_cast<int>(kDragRadius * std::sin(angle)),
             grabY - static_cast<int>(kDragRadius * (1.0 - std::cos(angle))));
        if (i % kRegrabEvery == kRegrabEvery - 1) {
            button(driver, quiltRush::InputEvent::Kind::Release);
            button(driver, quiltRush::InputEvent::Kind::Press);
        }
        frame(driver, &play);
    }
    print("play", play);
    std::printf("load average after: %s\n", loadAverage().c_str());
    return 0;
}
