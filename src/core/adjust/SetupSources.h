#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "adjust/AdjustReading.h"
#include "adjust/Setup.h"
#include "adjust/SetupBuilder.h"

namespace bramble {

// The setups of one source of the adjustment: a survey file, a project's
// survey or a setups file, named by its path.
struct SetupSource {
    std::string path;
    std::vector<Setup> setups;
};

// The readings of one survey, named by its data file's path.
struct SurveyReadings {
    std::string path;
    std::vector<AdjustReading> readings;
};

// A loop of a survey as the operator includes or leaves it out: the
// survey's path and the loop's own name.
using LoopKey = std::pair<std::string, std::string>;

// The loops of a survey's readings in the order they first appear, with
// how many readings each has.
std::vector<std::pair<std::string, int>> LoopsOf(const std::vector<AdjustReading>& readings);

// Each survey's setups (BuildSetups with `sigma`) as one source, without
// the readings of the loops in `excluded`. Warnings name their survey.
std::vector<SetupSource> SourcesFromSurveys(const std::vector<SurveyReadings>& surveys, const SigmaOptions& sigma,
                                            const std::set<LoopKey>& excluded, std::vector<std::string>& warnings);

// All setups of the sources, in their order. A loop name found in more than
// one source stands for different loops, so there it becomes
// "FILENAME:LOOP" (the file name without its folder).
std::vector<Setup> CombineSources(std::vector<SetupSource> sources);

}  // namespace bramble
