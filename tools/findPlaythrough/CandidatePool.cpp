// Starting a game costs more than playing a candidate on it (loading the GL
// driver, the assets and the level), and every candidate starts from the same
// fresh game: so the game is built once and fork gives each candidate a copy.
// The children share the parent's X connection and inherit none of its
// threads, so they must neither talk to the X server nor wait on a thread:
// nothing is drawn, Mesa's software renderer is kept to the calling thread and
// OpenAL is given no device to open, so the game runs silent. (Mesa's GL
// thread is off unless asked for; setting it off makes Mesa print a notice.)
#include "tools/findPlaythrough/CandidatePool.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "tools/driver/ChildPool.h"
#include "tools/driver/GameDriver.h"
#include "tools/driver/OutputCapture.h"

namespace quiltRush {

namespace {

constexpr int kDisplayAttempts = 3;
constexpr useconds_t kRetryPauseMicros = 200 * 1000;
// A candidate plays without drawing, far quicker than this allows; one that
// takes longer hangs and is killed.
constexpr double kSlackSeconds = 10.0;
constexpr double kSecondsPerTick = 0.02;

// GLUT ends the process when it cannot reach the X server, and a busy server
// now and then refuses a connection: wait until one is accepted.
void waitForDisplay() {
    for (int attempt = 0; attempt < kDisplayAttempts; ++attempt) {
        if (attempt > 0) ::usleep(kRetryPauseMicros);
        if (Display* display = XOpenDisplay(nullptr)) {
            XCloseDisplay(display);
            return;
        }
    }
    const char* name = std::getenv("DISPLAY");
    std::fprintf(stderr, "cannot open the X display '%s'\n", name != nullptr ? name : "");
    std::exit(1);
}

std::unique_ptr<GameDriver> buildForkableGame(const std::string& level) {
    ::setenv("LP_NUM_THREADS", "0", 1);
    ::setenv("ALSOFT_DRIVERS", "none", 1);  // matches no backend
    waitForDisplay();
    OutputCapture quiet;
    auto game = std::make_unique<GameDriver>(false, level);
    quiet.finish();
    return game;
}

Evaluation evaluationOf(const Plan& plan, const ChildResult& result) {
    Evaluation evaluation;
    evaluation.plan = plan;
    if (!result.completed) {
        std::fprintf(stderr, "a candidate failed: %s\n", result.text.c_str());
        return evaluation;  // failed stays true
    }
    std::size_t lineEnd = result.text.find('\n');
    evaluation.outcome = PlanOutcome::parse(result.text.substr(0, lineEnd));
    evaluation.timelineText = result.text.substr(lineEnd + 1);
    evaluation.failed = false;
    return evaluation;
}

}  // namespace

CandidatePool::CandidatePool(int tickLimit, int jobs, const std::string& level)
    : tickLimit(tickLimit), jobs(jobs), game(buildForkableGame(level)) {}

CandidatePool::~CandidatePool() = default;

std::vector<Evaluation> CandidatePool::evaluate(const std::vector<Plan>& plans) const {
    std::vector<std::function<std::string()>> bodies;
    for (const Plan& plan : plans) {
        bodies.push_back([&plan, this] {
            OutputCapture quiet;  // the game's printed lines stay out of the tool's output
            InputTimeline timeline;
            PlanOutcome outcome = playPlan(*game, plan, tickLimit, timeline);
            quiet.finish();
            return outcome.toText() + "\n" + timeline.toText();
        });
    }
    std::vector<ChildResult> results = runInChildProcesses(bodies, jobs, kSecondsPerTick * tickLimit + kSlackSeconds);
    std::vector<Evaluation> evaluations;
    for (std::size_t i = 0; i < plans.size(); ++i) evaluations.push_back(evaluationOf(plans[i], results[i]));
    return evaluations;
}

}  // namespace quiltRush
