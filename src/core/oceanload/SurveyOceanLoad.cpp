#include "oceanload/SurveyOceanLoad.h"

#include <cmath>
#include <limits>
#include <map>
#include <optional>

#include "corrections/Coordinates.h"
#include "oceanload/BlqReader.h"
#include "oceanload/OceanLoadModel.h"
#include "oceanload/StationMatch.h"
#include "output/StringPrintf.h"
#include "survey/CKelpDoc.h"

namespace bramble {
namespace {

// A survey's stations as the matching sees them: a name at the reading's
// own position (CG-5, CG-6, Burris) or its header's. Readings of one name
// at different positions are matched apart.
struct StationKey {
    std::string name;
    std::optional<double> latitude, longitude;
    auto operator<=>(const StationKey&) const = default;
};

StationKey KeyOf(const CReading& reading)
{
    StationKey key{reading.m_strStation, std::nullopt, std::nullopt};
    if (!reading.header())
        return key;
    const std::optional<SiteCoordinates> site = TideSiteOf(reading);
    if (!site)
        return key;
    const bool typed = site->m_dLatitude != 0.0 || site->m_dEastLongitude != 0.0;
    if (typed && std::isfinite(site->m_dLatitude) && std::isfinite(site->m_dEastLongitude)) {
        key.latitude = site->m_dLatitude;
        key.longitude = site->m_dEastLongitude;
    }
    return key;
}

// At most this many names in a message; the rest are counted.
constexpr std::size_t kNamesShown = 20;

std::string NameList(const std::vector<std::string>& names)
{
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i)
        text += (i ? ", " : "") + names[i];
    if (names.size() > kNamesShown)
        text += StringPrintf(" and %zu more", names.size() - kNamesShown);
    return text;
}

}  // namespace

Outcome CheckBlqMatchDistance(double km)
{
    if (km >= 0.0 && km <= kMaxBlqMatchDistanceKm)
        return {};
    return Outcome::Error(
        StringPrintf("The distance for ocean-loading blocks must lie between 0 and %g km.", kMaxBlqMatchDistanceKm));
}

Result<SurveyOceanLoad> AssignOceanLoading(CKelpDoc& doc, const std::vector<BlqBlock>& blocks, double maxDistanceKm,
                                           const std::string& source)
{
    if (Outcome distance = CheckBlqMatchDistance(maxDistanceKm); distance.Failed())
        return distance;
    // The stations in reading order, each once.
    std::map<StationKey, std::size_t> stationOf;
    std::vector<BlqStation> stations;
    std::vector<std::size_t> readingStation;
    readingStation.reserve(doc.m_Readings.size());
    for (const auto& reading : doc.m_Readings) {
        StationKey key = KeyOf(*reading);
        auto [it, added] = stationOf.try_emplace(key, stations.size());
        if (added)
            stations.push_back({key.name, key.latitude, key.longitude});
        readingStation.push_back(it->second);
    }
    const BlqMatching matching = MatchBlqStations(stations, blocks, maxDistanceKm);

    SurveyOceanLoad assigned;
    for (std::size_t s = 0; s < stations.size(); ++s)
        if (matching.matches[s].by != BlqMatch::By::kNone)
            ++assigned.m_nStations;
    if (assigned.m_nStations == 0)
        return Outcome::Error(StringPrintf(
            "%s has no ocean-loading block for any station of the survey: none has a station's name, and none "
            "lies within %g km of a station's position. No reading was given an ocean loading.",
            source.c_str(), maxDistanceKm));

    // Each block's constituents are prepared once, whatever the number of
    // its readings.
    std::map<std::size_t, OceanLoadModel> models;
    std::vector<double> values(doc.m_Readings.size(), std::numeric_limits<double>::quiet_NaN());
    for (std::size_t i = 0; i < doc.m_Readings.size(); ++i) {
        const BlqMatch& match = matching.matches[readingStation[i]];
        if (match.by == BlqMatch::By::kNone)
            continue;
        auto it = models.find(match.block);
        if (it == models.end())
            it = models.emplace(match.block, OceanLoadModel(blocks[match.block])).first;
        values[i] = it->second.CorrectionMicroGal(doc.m_Readings[i]->m_dtTime.value());
        ++assigned.m_nReadings;
    }
    for (std::size_t i = 0; i < doc.m_Readings.size(); ++i)
        doc.m_Readings[i]->m_dOceanLoad = values[i];

    assigned.m_Unmatched = matching.unmatched;
    Outcome outcome;
    if (!assigned.m_Unmatched.empty())
        outcome.AddWarning(StringPrintf("No ocean-loading block in %s for the station%s %s (none of the same "
                                        "name, none within %g km): %s not corrected for ocean loading.",
                                        source.c_str(), assigned.m_Unmatched.size() == 1 ? "" : "s",
                                        NameList(assigned.m_Unmatched).c_str(), maxDistanceKm,
                                        assigned.m_Unmatched.size() == 1 ? "it is" : "they are"));
    return Result<SurveyOceanLoad>::Of(std::move(assigned), std::move(outcome));
}

Result<SurveyOceanLoad> LoadOceanLoading(CKelpDoc& doc, const std::string& path, double maxDistanceKm)
{
    const BlqReadResult read = ReadBlqFile(path);
    if (read.Failed())
        return static_cast<const Outcome&>(read);
    Result<SurveyOceanLoad> assigned = AssignOceanLoading(doc, read.Value(), maxDistanceKm, path);
    Outcome outcome = read;  // the reader's warnings, if any, first
    outcome.Append(assigned);
    if (outcome.Failed())
        return outcome;
    return Result<SurveyOceanLoad>::Of(std::move(assigned.Value()), std::move(outcome));
}

}  // namespace bramble
