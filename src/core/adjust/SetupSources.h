#pragma once

#include <string>
#include <vector>

#include "adjust/Setup.h"

namespace bramble {

// The setups of one source of the adjustment: a survey file, a project's
// survey or a setups file, named by its path.
struct SetupSource {
    std::string path;
    std::vector<Setup> setups;
};

// All setups of the sources, in their order. A loop name found in more than
// one source stands for different loops, so there it becomes
// "FILENAME:LOOP" (the file name without its folder).
std::vector<Setup> CombineSources(std::vector<SetupSource> sources);

}  // namespace bramble
