#include "adjust/SetupSources.h"

#include <filesystem>
#include <map>
#include <set>

namespace bramble {

std::vector<Setup> CombineSources(std::vector<SetupSource> sources)
{
    std::map<std::string, std::set<std::size_t>> sourcesOfLoop;
    for (std::size_t f = 0; f < sources.size(); ++f)
        for (const Setup& s : sources[f].setups)
            sourcesOfLoop[s.loop].insert(f);
    std::vector<Setup> all;
    for (std::size_t f = 0; f < sources.size(); ++f) {
        const std::string prefix = std::filesystem::path(sources[f].path).filename().string() + ":";
        for (Setup& s : sources[f].setups) {
            if (sourcesOfLoop[s.loop].size() > 1)
                s.loop.insert(0, prefix);
            all.push_back(std::move(s));
        }
    }
    return all;
}

}  // namespace bramble
