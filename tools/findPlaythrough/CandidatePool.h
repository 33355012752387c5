#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/findPlaythrough/PlanSearch.h"

namespace quiltRush {

class GameDriver;

/// Plays candidate plans, each on a copy of one fresh game: the game is built
/// once, in this process, and every plan is played in a child process forked
/// from it, jobs at a time, silent and without drawing. Needs what a
/// GameDriver needs, and is one per process as the game is.
class CandidatePool {
public:
    /// Builds the game on the pack level named (empty: the plain start's);
    /// exits the process, as GLUT would, when no X display can be reached
    /// after a few tries.
    CandidatePool(int tickLimit, int jobs, const std::string& level = "");
    ~CandidatePool();
    CandidatePool(const CandidatePool&) = delete;
    CandidatePool& operator=(const CandidatePool&) = delete;

    /// The plans' evaluations in their order. A child that crashes, throws or
    /// plays on past the time tickLimit ticks can take fails its candidate only.
    std::vector<Evaluation> evaluate(const std::vector<Plan>& plans) const;

private:
    int tickLimit;
    int jobs;
    std::unique_ptr<GameDriver> game;  // never played: the fork copies it fresh
};

}  // namespace quiltRush
