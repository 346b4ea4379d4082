#include "meters/BurrisReader.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "meters/MeterFields.h"
#include "meters/ReadLoop.h"

namespace bramble {
namespace {

using meters::Number;

// Field positions of a line with the operator; a line without it has every
// field from the meter on one place earlier.
enum Field {
    kStation,
    kOperator,
    kMeter,
    kDate,
    kTime,
    kGravity,
    kDial,
    kFeedback,
    kTide,
    kTilt,
    kFurther1,
    kFurther2,
    kHeight,
    kElevation,
    kLatitude,
    kLongitude,
    kFieldCount
};

bool IsHeaderLine(std::string_view line)
{
    line = meters::Trim(line);
    constexpr std::string_view kWord = "station";
    if (line.size() < kWord.size())
        return false;
    for (std::size_t i = 0; i < kWord.size(); ++i)
        if ((line[i] | 0x20) != kWord[i])
            return false;
    return line.size() == kWord.size() || line[kWord.size()] == ' ' || line[kWord.size()] == '\t' ||
           line[kWord.size()] == ',';
}

// One loop a day: "2017-12-05".
std::string LoopName(const meters::CivilDate& date)
{
    char name[16];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d", date.year, date.month, date.day);
    return name;
}

class BurrisLines {
public:
    explicit BurrisLines(MeterSurvey& survey) : m_survey(survey) { }

    void operator()(std::string_view line, int number)
    {
        if (meters::Trim(line).empty())
            return;
        // The header line is known by its first word and by not being a
        // reading: a station named "Station" still reads.
        const bool header = IsHeaderLine(line);
        // A comma file may hold blanks inside a field (a station name); a
        // blank- or tab-separated one has runs of blanks between fields.
        if (line.find(',') != std::string_view::npos)
            meters::SplitFields(line, ",", false, m_fields);
        else
            meters::SplitFields(line, " \t", true, m_fields);
        for (auto& f : m_fields)
            f = meters::Trim(f);
        if (m_fields.size() == kFieldCount - 1)
            m_fields.insert(m_fields.begin() + kOperator, std::string_view());
        if (m_fields.size() != kFieldCount) {
            if (header)
                return;
            m_survey.issues.push_back(
                {number, std::to_string(m_fields.size()) + " fields where a Burris reading has 15 or 16: left out"});
            return;
        }
        const auto date = meters::ParseDate(m_fields[kDate]);
        const auto clock = meters::ParseClock(m_fields[kTime]);
        const auto when = date && clock ? meters::MakeTime(*date, *clock) : std::nullopt;
        if (!when) {
            if (header)
                return;
            m_survey.issues.push_back({number, "no valid date and time: left out"});
            return;
        }
        const auto gravity = Number(m_fields[kGravity]);
        const auto tide = Number(m_fields[kTide]);
        if (!gravity || !tide || m_fields[kStation].empty()) {
            m_survey.issues.push_back({number, "the station, gravity or tide is not readable: left out"});
            return;
        }
        MeterReading r;
        r.station = m_fields[kStation];
        r.meter = m_fields[kMeter];
        r.loop = LoopName(*date);
        r.time = *when;
        r.gravity = *gravity;
        r.tide = tide;
        r.tiltX = Number(m_fields[kTilt]);
        r.instrumentHeight = Number(m_fields[kHeight]);
        r.elevation = Number(m_fields[kElevation]);
        r.latitude = Number(m_fields[kLatitude]);
        r.longitude = Number(m_fields[kLongitude]);
        if (r.latitude && (*r.latitude < -90.0 || *r.latitude > 90.0))
            r.latitude.reset();
        if (r.longitude && (*r.longitude < -360.0 || *r.longitude > 360.0))
            r.longitude.reset();
        if (!r.latitude || !r.longitude)
            m_survey.issues.push_back({number, "no valid latitude and longitude"});
        r.applied.tide = true;
        r.line = number;
        if (m_survey.facts.operatorName.empty())
            m_survey.facts.operatorName = m_fields[kOperator];
        if (m_survey.facts.instrument.empty())
            m_survey.facts.instrument = m_fields[kMeter];
        m_survey.readings.push_back(std::move(r));
    }

private:
    MeterSurvey& m_survey;
    std::vector<std::string_view> m_fields;
};

}  // namespace

MeterSurvey ReadBurrisFile(const std::string& path)
{
    MeterSurvey survey;
    survey.kind = MeterKind::burris;
    meters::ReadLines(path, survey, BurrisLines(survey));
    return survey;
}

}  // namespace bramble
