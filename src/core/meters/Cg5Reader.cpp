#include "meters/Cg5Reader.h"

#include <array>
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
    kLine,
    kStation,
    kLatitude,
    kLongitude,
    kAlt,
    kGrav,
    kSd,
    kTiltX,
    kTiltY,
    kTemp,
    kTide,
    kDur,
    kRej,
    kTime,
    kDate,
    kColumnCount
};
// Names as the column line writes them; either spelling of a column counts.
constexpr std::array<std::array<std::string_view, 2>, kColumnCount> kColumnNames = {{
    {"LINE", "LINE"},
    {"STATION", "STATION"},
    {"LAT", "LAT."},
    {"LONG", "LONG."},
    {"ALT.", "ALT"},
    {"GRAV.", "GRAV"},
    {"SD.", "SD"},
    {"TILTX", "TILTX"},
    {"TILTY", "TILTY"},
    {"TEMP", "TEMP."},
    {"TIDE", "TIDE"},
    {"DUR", "DUR"},
    {"REJ", "REJ"},
    {"TIME", "TIME"},
    {"DATE", "DATE"},
}};
constexpr int kAbsent = -1;

// "1.6000000 E", "9.7000000 N", "12.5 W": degrees with their hemisphere
// letter; a number without a letter is taken as signed east/north.
std::optional<double> Coordinate(std::string_view text, char positive, char negative)
{
    text = Trim(text);
    double sign = 1.0;
    if (!text.empty() && (text.back() == positive || text.back() == negative)) {
        sign = text.back() == negative ? -1.0 : 1.0;
        text.remove_suffix(1);
    }
    const auto value = meters::Number(text);
    if (!value)
        return std::nullopt;
    return sign * *value;
}

// What the latest header block says for the readings under it.
struct BlockState {
    std::optional<double> latitude;
    std::optional<double> longitude;
    double gmtDiff = 0.0;
    std::optional<bool> tide;  // "Tide Correction:" YES / NO; empty when not said
    bool tilt = false;
};

class Cg5Lines {
public:
    explicit Cg5Lines(MeterSurvey& survey) : m_survey(survey) { m_index.fill(kAbsent); }

    void operator()(std::string_view line, int number)
    {
        if (Trim(line).empty())
            return;
        if (line.front() == '/') {
            if (line.size() > 1 && line[1] == '-')
                ReadColumns(line, number);
            else
                ReadHeaderLine(line, number);
            return;
        }
        if (line.substr(0, 4) == "Line") {
            meters::SplitFields(line.substr(4), " \t", true, m_fields);
            m_lineMarker = m_fields.empty() ? std::string() : std::string(m_fields.front());
            return;
        }
        if (!m_haveColumns) {
            m_survey.issues.push_back({number, "a reading before the column line: left out"});
            return;
        }
        ReadReading(line, number);
    }

private:
    void ReadHeaderLine(std::string_view line, int number)
    {
        const auto entry = meters::SplitHeaderEntry(line);
        if (!entry)
            return;
        const auto& [name, value] = *entry;
        if (SameName(name, "Note")) {
            m_note = value;
            return;
        }
        if (m_survey.facts.entries.size() < 1000)
            m_survey.facts.entries.emplace_back(name, value);
        SurveyFacts& facts = m_survey.facts;
        if (SameName(name, "Survey name")) {
            facts.surveyName = value;
        } else if (SameName(name, "Instrument S/N")) {
            facts.instrument = value;
        } else if (SameName(name, "Operator")) {
            facts.operatorName = value;
        } else if (SameName(name, "LONG")) {
            m_block.longitude = Coordinate(value, 'E', 'W');
            if (!m_block.longitude)
                m_survey.issues.push_back({number, "the header's LONG is not a longitude"});
            if (!facts.longitude)
                facts.longitude = m_block.longitude;
        } else if (SameName(name, "LAT")) {
            m_block.latitude = Coordinate(value, 'N', 'S');
            if (!m_block.latitude)
                m_survey.issues.push_back({number, "the header's LAT is not a latitude"});
            if (!facts.latitude)
                facts.latitude = m_block.latitude;
        } else if (SameName(name, "GMT DIFF.")) {
            const auto hours = meters::Number(value);
            if (!hours || *hours < -24.0 || *hours > 24.0)
                m_survey.issues.push_back({number, "the header's GMT DIFF. is not a number of hours: 0 is used"});
            m_block.gmtDiff = hours && *hours >= -24.0 && *hours <= 24.0 ? *hours : 0.0;
            if (!facts.gmtDiffHours)
                facts.gmtDiffHours = m_block.gmtDiff;
        } else if (SameName(name, "Tide Correction")) {
            m_block.tide = SameName(value, "YES");
            if (!facts.meterTide)
                facts.meterTide = m_block.tide;
            m_tideWarned = false;
        } else if (SameName(name, "Cont. Tilt")) {
            m_block.tilt = SameName(value, "YES");
        }
    }

    void ReadColumns(std::string_view line, int number)
    {
        meters::SplitFields(line, "/- \t", true, m_fields);
        m_index.fill(kAbsent);
        for (std::size_t i = 0; i < m_fields.size(); ++i)
            for (std::size_t c = 0; c < kColumnNames.size(); ++c)
                if (m_index[c] == kAbsent &&
                    (SameName(m_fields[i], kColumnNames[c][0]) || SameName(m_fields[i], kColumnNames[c][1])))
                    m_index[c] = static_cast<int>(i);
        // The GPS variant writes its position columns with longer names.
        if (m_fields.size() >= 2 && m_index[kLatitude] == kAbsent && m_index[kLongitude] == kAbsent &&
            StartsWith(m_fields[0], "LAT") && StartsWith(m_fields[1], "LON")) {
            m_index[kLatitude] = 0;
            m_index[kLongitude] = 1;
        }
        m_columnCount = m_fields.size();
        m_gps = m_index[kStation] == kAbsent && m_index[kLatitude] != kAbsent && m_index[kLongitude] != kAbsent;
        m_haveColumns = m_index[kGrav] != kAbsent && m_index[kTime] != kAbsent && m_index[kDate] != kAbsent &&
                        (m_index[kStation] != kAbsent || m_gps);
        if (!m_haveColumns)
            m_survey.issues.push_back({number, "the column line lacks STATION, GRAV., TIME or DATE: "
                                               "the readings under it are left out"});
    }

    static bool StartsWith(std::string_view text, std::string_view start)
    {
        return text.size() >= start.size() && SameName(text.substr(0, start.size()), start);
    }

    std::string_view Field(Column c) const
    {
        const int i = m_index[c];
        return i == kAbsent ? std::string_view() : m_fields[static_cast<std::size_t>(i)];
    }
    std::optional<double> Value(Column c) const { return meters::Number(Field(c)); }

    void ReadReading(std::string_view line, int number)
    {
        meters::SplitFields(line, " \t", true, m_fields);
        if (m_fields.size() != m_columnCount) {
            m_survey.issues.push_back({number, std::to_string(m_fields.size()) + " fields under a column line of " +
                                                   std::to_string(m_columnCount) + ": left out"});
            return;
        }
        const auto date = meters::ParseDate(Field(kDate));
        const auto clock = meters::ParseClock(Field(kTime));
        const auto when = date && clock ? meters::MakeTime(*date, *clock, m_block.gmtDiff) : std::nullopt;
        if (!when) {
            m_survey.issues.push_back({number, "no valid DATE and TIME: left out"});
            return;
        }
        const auto gravity = Value(kGrav);
        const std::string_view station = m_gps ? std::string_view(m_note) : meters::ShortDecimal(Field(kStation));
        if (!gravity || station.empty()) {
            m_survey.issues.push_back({number, m_gps && m_note.empty()
                                                   ? "no station name (no \"/ Note:\" line before it): left out"
                                                   : "no station or no GRAV. value: left out"});
            return;
        }
        MeterReading r;
        r.station = station;
        r.meter = m_survey.facts.instrument;
        r.loop = m_gps ? std::string(meters::ShortDecimal(NumericPart(m_lineMarker)))
                       : std::string(meters::ShortDecimal(Field(kLine)));
        r.time = *when;
        r.gravity = *gravity;
        r.tide = Value(kTide);
        r.sd = Value(kSd);
        r.tiltX = Value(kTiltX);
        r.tiltY = Value(kTiltY);
        r.temperature = Value(kTemp);
        r.duration = Value(kDur);
        r.rejected = meters::Integer(Field(kRej));
        r.elevation = Value(kAlt);
        if (m_gps) {
            r.latitude = Value(kLatitude);
            r.longitude = Value(kLongitude);
        } else {
            r.latitude = m_block.latitude;
            r.longitude = m_block.longitude;
        }
        if (r.latitude && (*r.latitude < -90.0 || *r.latitude > 90.0))
            r.latitude.reset();
        if (r.longitude && (*r.longitude < -360.0 || *r.longitude > 360.0))
            r.longitude.reset();
        if (!m_block.tide && !m_tideWarned) {
            m_survey.issues.push_back({number, "the header does not say whether GRAV holds the meter's tide "
                                               "(\"Tide Correction:\"): taken as not"});
            m_tideWarned = true;
        }
        r.applied = {m_block.tide.value_or(false), m_block.tilt, true, true};
        r.line = number;
        m_survey.readings.push_back(std::move(r));
    }

    // "0.000S" -> "0.000": a "Line" line's number without its direction letter.
    static std::string_view NumericPart(std::string_view text)
    {
        while (!text.empty() && !(text.back() >= '0' && text.back() <= '9'))
            text.remove_suffix(1);
        return text;
    }

    MeterSurvey& m_survey;
    BlockState m_block;
    std::array<int, kColumnCount> m_index{};
    std::size_t m_columnCount = 0;
    bool m_haveColumns = false;
    bool m_gps = false;
    bool m_tideWarned = false;
    std::string m_note;        // the last "/ Note:" text: the GPS variant's station name
    std::string m_lineMarker;  // the last "Line ..." line's value
    std::vector<std::string_view> m_fields;
};

}  // namespace

MeterSurvey ReadCg5File(const std::string& path)
{
    MeterSurvey survey;
    survey.kind = MeterKind::cg5;
    meters::ReadLines(path, survey, Cg5Lines(survey));
    return survey;
}

}  // namespace bramble
