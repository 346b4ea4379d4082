#include "meters/Cg6Reader.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "meters/HeaderEntry.h"
#include "meters/MeterFields.h"
#include "meters/ReadLoop.h"

namespace bramble {
namespace {

using meters::SameName;
using meters::Trim;

enum Column {
    kStation,
    kDate,
    kTime,
    kCorrGrav,
    kLine,
    kStdDev,
    kX,
    kY,
    kSensorTemp,
    kTideCorr,
    kMeasurDur,
    kInstrHeight,
    kLatUser,
    kLonUser,
    kElevUser,
    kLatGps,
    kLonGps,
    kElevGps,
    kCorrections,
    kColumnCount
};
constexpr std::array<std::string_view, kColumnCount> kColumnNames = {
    "Station",  "Date",       "Time",     "CorrGrav",  "Line",        "StdDev",  "X",
    "Y",        "SensorTemp", "TideCorr", "MeasurDur", "InstrHeight", "LatUser", "LonUser",
    "ElevUser", "LatGPS",     "LonGPS",   "ElevGPS",   "Corrections"};
constexpr int kAbsent = -1;

class Cg6Lines {
public:
    explicit Cg6Lines(MeterSurvey& survey) : m_survey(survey)
    {
        m_index.fill(kAbsent);
        m_flagAt.fill(kAbsent);
    }

    void operator()(std::string_view line, int number)
    {
        if (Trim(line).empty())
            return;
        if (line.front() == '/') {
            if (IsColumnLine(line))
                ReadColumns(line, number);
            else
                ReadHeaderLine(line);
            return;
        }
        if (!m_haveColumns) {
            m_survey.issues.push_back({number, "a reading before the column line: left out"});
            return;
        }
        ReadReading(line, number);
    }

private:
    static bool IsColumnLine(std::string_view line)
    {
        line.remove_prefix(1);
        return line.substr(0, 8) == "Station\t" || line.find("\tCorrGrav") != std::string_view::npos;
    }

    void ReadHeaderLine(std::string_view line)
    {
        const auto entry = meters::SplitHeaderEntry(line);
        if (!entry)
            return;
        const auto& [name, value] = *entry;
        if (m_survey.facts.entries.size() < 1000)
            m_survey.facts.entries.emplace_back(name, value);
        if (SameName(name, "Survey Name"))
            m_survey.facts.surveyName = value;
        else if (SameName(name, "Instrument Serial Number"))
            m_survey.facts.instrument = value;
        else if (SameName(name, "Operator"))
            m_survey.facts.operatorName = value;
    }

    void ReadColumns(std::string_view line, int number)
    {
        line.remove_prefix(1);
        meters::SplitFields(line, "\t", false, m_fields);
        m_index.fill(kAbsent);
        m_flagCount = 0;
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            std::string_view name = Trim(m_fields[i]);
            // "Corrections[drift-temp-na-tide-tilt]": the flags' order is in the name.
            if (const auto bracket = name.find('['); bracket != std::string_view::npos) {
                ReadFlagOrder(name.substr(bracket + 1));
                name = name.substr(0, bracket);
            }
            for (std::size_t c = 0; c < kColumnNames.size(); ++c)
                if (m_index[c] == kAbsent && SameName(name, kColumnNames[c]))
                    m_index[c] = static_cast<int>(i);
        }
        m_columnCount = m_fields.size();
        m_haveColumns = m_index[kStation] != kAbsent && m_index[kDate] != kAbsent && m_index[kTime] != kAbsent &&
                        m_index[kCorrGrav] != kAbsent;
        if (!m_haveColumns)
            m_survey.issues.push_back({number, "the column line lacks Station, Date, Time or CorrGrav: "
                                               "the readings under it are left out"});
    }

    // Where each correction's flag sits in the Corrections field.
    void ReadFlagOrder(std::string_view names)
    {
        std::vector<std::string_view> parts;
        meters::SplitFields(names.substr(0, names.find(']')), "-", false, parts);
        m_flagCount = parts.size();
        m_flagAt.fill(kAbsent);
        constexpr std::array<std::string_view, 4> kFlags = {"tide", "tilt", "temp", "drift"};
        for (std::size_t i = 0; i < parts.size(); ++i)
            for (std::size_t f = 0; f < kFlags.size(); ++f)
                if (SameName(parts[i], kFlags[f]))
                    m_flagAt[f] = static_cast<int>(i);
    }

    std::string_view Field(Column c) const
    {
        const int i = m_index[c];
        return i == kAbsent || static_cast<std::size_t>(i) >= m_fields.size() ? std::string_view() : Trim(m_fields[i]);
    }

    // A value, or empty for "--", "****" and anything else that is not a
    // number; an overflow is worth a word to the operator.
    std::optional<double> Value(Column c, int number)
    {
        const std::string_view text = Field(c);
        const auto value = meters::Number(text);
        if (!value && text.find("**") != std::string_view::npos)
            m_survey.issues.push_back({number, std::string(kColumnNames[c]) + " is an overflow (****)"});
        return value;
    }

    // All four when the file has no Corrections column or an unreadable
    // field: CorrGrav is then taken as the sum the meter documents.
    AppliedCorrections Applied(std::string_view flags) const
    {
        if (m_flagCount == 0 || flags.size() != m_flagCount)
            return {true, true, true, true};
        const auto on = [&](std::size_t f) {
            return m_flagAt[f] != kAbsent && flags[static_cast<std::size_t>(m_flagAt[f])] == '1';
        };
        return {on(0), on(1), on(2), on(3)};
    }

    void ReadReading(std::string_view line, int number)
    {
        meters::SplitFields(line, "\t", false, m_fields);
        if (m_fields.size() != m_columnCount) {
            m_survey.issues.push_back({number, std::to_string(m_fields.size()) + " fields under a column line of " +
                                                   std::to_string(m_columnCount) + ": left out"});
            return;
        }
        const auto date = meters::ParseDate(Field(kDate));
        const auto clock = meters::ParseClock(Field(kTime));
        const auto when = date && clock ? meters::MakeTime(*date, *clock) : std::nullopt;
        if (!when) {
            m_survey.issues.push_back({number, "no valid date and time: left out"});
            return;
        }
        const auto gravity = Value(kCorrGrav, number);
        if (!gravity || Field(kStation).empty()) {
            m_survey.issues.push_back({number, "no station or no CorrGrav value: left out"});
            return;
        }
        MeterReading r;
        r.station = Field(kStation);
        r.meter = m_survey.facts.instrument;
        r.loop = meters::ShortDecimal(Field(kLine));
        r.time = *when;
        r.gravity = *gravity;
        r.tide = Value(kTideCorr, number);
        r.sd = Value(kStdDev, number);
        r.tiltX = Value(kX, number);
        r.tiltY = Value(kY, number);
        r.temperature = Value(kSensorTemp, number);
        r.duration = Value(kMeasurDur, number);
        r.instrumentHeight = Value(kInstrHeight, number);
        r.latitude = Value(kLatUser, number);
        r.longitude = Value(kLonUser, number);
        r.elevation = Value(kElevUser, number);
        if (!r.latitude || !r.longitude) {
            r.latitude = Value(kLatGps, number);
            r.longitude = Value(kLonGps, number);
        }
        if (!r.elevation)
            r.elevation = Value(kElevGps, number);
        if (r.latitude && (*r.latitude < -90.0 || *r.latitude > 90.0))
            r.latitude.reset();
        if (r.longitude && (*r.longitude < -360.0 || *r.longitude > 360.0))
            r.longitude.reset();
        r.applied = Applied(Field(kCorrections));
        r.line = number;
        m_survey.readings.push_back(std::move(r));
    }

    MeterSurvey& m_survey;
    std::array<int, kColumnCount> m_index{};
    std::size_t m_columnCount = 0;
    bool m_haveColumns = false;
    std::size_t m_flagCount = 0;    // flags in the Corrections field
    std::array<int, 4> m_flagAt{};  // tide, tilt, temp, drift
    std::vector<std::string_view> m_fields;
};

}  // namespace

MeterSurvey ReadCg6File(const std::string& path)
{
    MeterSurvey survey;
    survey.kind = MeterKind::cg6;
    meters::ReadLines(path, survey, Cg6Lines(survey));
    return survey;
}

}  // namespace bramble
