// quiltrush-find-playthrough: searches for a way through the level and
// writes it as a timeline that replays in the real game.
//
//   quiltrush-find-playthrough [--out FILE] [--tries N] [--seed S] [--ticks N] [--jobs N] [--no-tacks]
//   quiltrush-find-playthrough --evaluate PLAN [--out FILE] [--ticks N]
//   ... [--robustness N]   then replays N perturbed copies of the best (or
//                          evaluated) plan and says how many still finish
//   ... [--level NAME]     plays the pack's level NAME instead of the plain
//                          start's, and writes tests/playthrough/NAME.timeline
//
// A search ends by saying how many of its random plans finished: the share
// a player trying things at random would finish with, a measure of how hard
// the level is. --no-tacks searches plans that never tack.
//
// Run it from the project root under an X display (xvfb-run -a ...). The game
// is built once; each candidate plan is played on a copy of it (a child
// process), without drawing, with the fixed 16 ms clock; --jobs of them
// (default: one per processor) run at once, and the plan found is the same
// for any number.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "game/scene/GameDataReader.h"
#include "game/scene/LevelPack.h"
#include "tools/driver/ChildPool.h"
#include "tools/driver/WholeNumber.h"
#include "tools/findPlaythrough/CandidatePool.h"
#include "tools/findPlaythrough/PlanPerturbation.h"
#include "tools/findPlaythrough/PlanSearch.h"
#include "tools/findPlaythrough/PlaythroughPlan.h"

namespace {

using namespace quiltRush;

constexpr int kExitFound = 0;
constexpr int kExitNotFound = 1;
constexpr int kExitUsage = 2;
constexpr const char* kTimelineFolder = "tests/playthrough/";

struct Arguments {
    std::string out;
    bool outGiven = false;
    Plan evaluate;  // read before any game is built: a bad one is a usage error
    bool evaluating = false;
    int robustness = 0;  // perturbed replays of the result
    std::string level;   // a pack level; empty: the plain start's
    SearchSettings search;
    int jobs = quiltRush::processorCount();
};

[[noreturn]] void usage(const std::string& message) {
    std::fprintf(stderr,
                 "%s\nusage: quiltrush-find-playthrough [--out FILE] [--tries N] [--seed S] [--ticks N] [--jobs N] [--no-tacks]\n"
                 "       quiltrush-find-playthrough --evaluate PLAN [--out FILE] [--ticks N]\n"
                 "       either followed by [--robustness N] [--level NAME]\n",
                 message.c_str());
    std::exit(kExitUsage);
}

long number(const char* text) {
    std::optional<long> value = quiltRush::parseWholeNumber(text, 0, 100000000);
    if (!value) usage(std::string("bad number '") + text + "'");
    return *value;
}

Arguments parse(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        auto next = [&]() -> const char* {
            if (i + 1 >= argc) usage("missing value after " + word);
            return argv[++i];
        };
        if (word == "--out") {
            arguments.out = next();
            arguments.outGiven = true;
        } else if (word == "--tries") {
            arguments.search.tries = static_cast<int>(number(next()));
        } else if (word == "--seed") {
            arguments.search.seed = static_cast<unsigned>(number(next()));
        } else if (word == "--ticks") {
            arguments.search.tickLimit = static_cast<int>(number(next()));
        } else if (word == "--robustness") {
            arguments.robustness = static_cast<int>(number(next()));
        } else if (word == "--level") {
            arguments.level = next();
        } else if (word == "--no-tacks") {
            arguments.search.tacks = false;
        } else if (word == "--jobs") {
            arguments.jobs = static_cast<int>(number(next()));
            if (arguments.jobs < 1) usage("--jobs needs at least 1");
        } else if (word == "--evaluate") {
            arguments.evaluating = true;
            try {
                arguments.evaluate = Plan::parse(next());
            } catch (const std::exception& error) {
                usage(error.what());
            }
        } else {
            usage("unknown argument " + word);
        }
    }
    // The drags aim at spheres of the level's cloth grids.
    const quiltRush::LevelPack pack = quiltRush::LevelPack::readFile();
    std::string levelFile = quiltRush::GameDataReader::kLevelFile;
    std::string recording;  // the name of the level's recording, when it is a level of the pack
    if (!arguments.level.empty()) {
        const quiltRush::PackLevel* chosen = pack.find(arguments.level);
        if (chosen == nullptr) usage("no level '" + arguments.level + "' in " + quiltRush::LevelPack::kPackFile);
        levelFile = chosen->file;
        recording = chosen->name;
    } else if (std::size_t index = pack.indexOfFile(levelFile); index < pack.size()) {
        recording = pack.getLevels()[index].name;
    }
    quiltRush::GameData level;
    quiltRush::GameDataReader::readFile(levelFile, level);
    arguments.search.grids = quiltRush::gridShapes(level);
    if (arguments.search.grids.empty()) usage("no cloth in " + levelFile);
    // A single evaluation writes a timeline only when asked to; a search
    // writes the level's recording (the plain start's level is the pack's first).
    if (!arguments.outGiven && !arguments.evaluating && !recording.empty()) {
        arguments.out = kTimelineFolder + recording + ".timeline";
    }
    return arguments;
}

bool writeTimeline(const std::string& path, const Evaluation& best) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) return false;
    std::fprintf(file,
                 "# Quilt Rush: a way through the level, found by quiltrush-find-playthrough.\n"
                 "# One event a line: tick event arguments; ticks of 16 ms, window pixels from the top-left.\n"
                 "# plan: %s\n"
                 "# outcome: %s\n",
                 best.plan.toText().c_str(), best.outcome.toText().c_str());
    std::fputs(best.timelineText.c_str(), file);
    return std::fclose(file) == 0;
}

void describeShare(const SearchResult& result) {
    double share = result.sampled > 0 ? 100.0 * result.sampledFinished / result.sampled : 0.0;
    std::printf("random plans: %d of %d finished (%.1f%%)\n", result.sampledFinished, result.sampled, share);
}

void describe(const Evaluation& evaluation) {
    const PlanOutcome& o = evaluation.outcome;
    std::printf("plan %s: %s, %d checkpoint(s), %s, nearest %.3f, %d missed pick(s), %d ticks\n",
                evaluation.plan.toText().c_str(), o.finished ? ("finished in " + o.finishText).c_str() : "not finished",
                o.checkpointsPassed, o.lost ? "ball lost" : "ball kept", o.nearest, o.picksMissed, o.ticks);
}

// Replays copies of the plan strayed as a player's hand strays; the seed
// makes the same copies every time.
void reportRobustness(const Plan& plan, const Arguments& arguments, const CandidatePool& pool) {
    const Perturbation by;
    std::mt19937 random(arguments.search.seed);
    std::vector<Plan> strayed;
    for (int i = 0; i < arguments.robustness; ++i) {
        strayed.push_back(perturbPlan(plan, by, arguments.search.grids, random));
    }
    int finished = 0;
    for (const Evaluation& evaluation : pool.evaluate(strayed)) {
        if (!evaluation.failed && evaluation.outcome.finished) ++finished;
    }
    std::printf("robustness: %d of %d perturbed replays finished (up to %d pixels, %d ticks, %d row or column)\n",
                finished, arguments.robustness, by.pixels, by.ticks, by.cells);
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments = parse(argc, argv);
    Evaluation best;
    CandidatePool pool(arguments.search.tickLimit, arguments.jobs, arguments.level);
    try {
        if (arguments.evaluating) {
            best = pool.evaluate({arguments.evaluate})[0];
        } else {
            SearchResult result = searchPlans(
                arguments.search, [&](const std::vector<Plan>& round) { return pool.evaluate(round); },
                [](const Evaluation& improved) { describe(improved); });
            best = result.best;
            describeShare(result);
        }
    } catch (const std::exception& error) {
        usage(error.what());
    }
    if (best.failed) return kExitNotFound;
    describe(best);
    if (arguments.robustness > 0) reportRobustness(best.plan, arguments, pool);
    if (!best.outcome.finished && !arguments.evaluating) {
        std::printf("no plan finished the level; nothing written\n");
        return kExitNotFound;
    }
    if (!arguments.out.empty() && (best.outcome.finished || arguments.evaluating)) {
        if (!writeTimeline(arguments.out, best)) {
            std::fprintf(stderr, "cannot write %s\n", arguments.out.c_str());
            return kExitNotFound;
        }
        std::printf("wrote %s\n", arguments.out.c_str());
    }
    return best.outcome.finished ? kExitFound : kExitNotFound;
}
