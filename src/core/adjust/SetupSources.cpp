#include "adjust/SetupSources.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace bramble {

std::vector<std::pair<std::string, int>> LoopsOf(const std::vector<AdjustReading>& readings)
{
    std::vector<std::pair<std::string, int>> loops;
    for (const AdjustReading& r : readings) {
        const auto it = std::find_if(loops.begin(), loops.end(), [&](const auto& l) { return l.first == r.loop; });
        if (it == loops.end())
            loops.emplace_back(r.loop, 1);
        else
            ++it->second;
    }
    return loops;
}

std::vector<SetupSource> SourcesFromSurveys(const std::vector<SurveyReadings>& surveys, const SigmaOptions& sigma,
                                            const std::set<LoopKey>& excluded, std::vector<std::string>& warnings)
{
    std::vector<SetupSource> sources;
    for (const SurveyReadings& survey : surveys) {
        std::vector<AdjustReading> kept;
        kept.reserve(survey.readings.size());
        std::copy_if(survey.readings.begin(), survey.readings.end(), std::back_inserter(kept),
                     [&](const AdjustReading& r) { return excluded.count({survey.path, r.loop}) == 0; });
        SetupsFromReadings built = BuildSetups(kept, sigma);
        for (std::string& w : built.warnings)
            warnings.push_back(survey.path + ": " + w);
        for (Setup& s : built.setups)
            s.source = survey.path;
        sources.push_back({survey.path, std::move(built.setups)});
    }
    return sources;
}

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
