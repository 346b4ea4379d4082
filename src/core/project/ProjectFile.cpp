#include "project/ProjectFile.h"

#include <cerrno>
#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unordered_map>

#include "oceanload/SurveyOceanLoad.h"
#include "meters/SurveyJson.h"
#include "output/SafeFile.h"
#include "project/ProjectJsonValues.h"
#include "project/SessionSnapshot.h"
#include "project/Sha256.h"
#include "session/ReductionSession.h"

namespace bramble {
namespace {

using namespace project_json;
namespace fs = std::filesystem;

// --- Paths --------------------------------------------------------------

fs::path FolderOf(const std::string& projectPath)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(projectPath, error);
    return (error ? fs::path(projectPath) : absolute).lexically_normal().parent_path();
}

// `path` as the project file writes it: relative to the project's folder
// where that leads there, absolute otherwise.
std::string StoredPath(const std::string& path, const fs::path& folder)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error).lexically_normal();
    if (error)
        return path;
    const fs::path relative = absolute.lexically_relative(folder);
    return relative.empty() ? absolute.generic_string() : relative.generic_string();
}

std::string ResolvedPath(const std::string& stored, const fs::path& folder)
{
    const fs::path path(stored);
    return (path.is_absolute() ? path : folder / path).lexically_normal().string();
}

// --- Writing --------------------------------------------------------------

json NumberArray(const std::vector<double>& values)
{
    json array = json::array();
    array.get_ref<json::array_t&>().reserve(values.size());
    for (double value : values)
        array.push_back(NumberValue(value));
    return array;
}

template <class Field>
json ReadingColumn(const SessionSnapshot& snapshot, Field field)
{
    std::vector<double> values;
    values.reserve(snapshot.readings.size());
    for (const ReadingState& state : snapshot.readings)
        values.push_back(state.*field);
    return NumberArray(values);
}

json CorrectionsJson(const CorrectionSettings& settings, const fs::path& folder)
{
    json polarFile = nullptr;
    json polarHash = nullptr;
    if (!settings.m_strPolarFile.empty()) {
        polarFile = StoredPath(settings.m_strPolarFile, folder);
        if (Result<std::string> hash = Sha256OfFile(settings.m_strPolarFile); hash.Succeeded())
            polarHash = hash.Value();
    }
    json blqFile = nullptr;
    json blqHash = nullptr;
    if (!settings.m_strBlqFile.empty()) {
        blqFile = StoredPath(settings.m_strBlqFile, folder);
        if (Result<std::string> hash = Sha256OfFile(settings.m_strBlqFile); hash.Succeeded())
            blqHash = hash.Value();
    }
    return {{"tideMode", settings.m_nTideMode},
            {"applyPressure", settings.m_bApplyPressure},
            {"nominalPressure", NumberValue(settings.m_dNominalPressure)},
            {"nominalElevation", NumberValue(settings.m_dNominalElevation)},
            {"pressureEntries", settings.m_PressureList},
            {"applyPolar", settings.m_bApplyPolar},
            {"polarFile", polarFile},
            {"polarSha256", polarHash},
            {"applyOceanLoading", settings.m_bApplyOceanLoad},
            {"blqFile", blqFile},
            {"blqSha256", blqHash},
            {"blqMatchDistanceKm", NumberValue(settings.m_dBlqMatchDistanceKm)},
            {"applyDrift", settings.m_bApplyDrift}};
}

json CoefficientsJson(const std::array<double, 6>& coefficients)
{
    return NumberArray(std::vector<double>(coefficients.begin(), coefficients.end()));
}

json DriftJson(const SessionSnapshot& s)
{
    json corrections = json::array();
    for (const CDriftCorrection& drift : s.driftCorrections)
        corrections.push_back({{"start", TimeValue(drift.m_dtStart)}, {"coefficients", CoefficientsJson(drift.m_dCoeff)}});
    return {{"meanGravity", NumberValue(s.drift.m_dMeanGrav)},
            {"meanTime", NumberValue(s.drift.m_dMeanTime)},
            {"meanTimeGravity", NumberValue(s.drift.m_dMeanTimeGrav)},
            {"meanTimeSquare", NumberValue(s.drift.m_dMeanTimeSquare)},
            {"start", TimeValue(s.drift.m_dtStart)},
            {"coefficients", CoefficientsJson(s.drift.m_dCoeff)},
            {"names", s.driftNames.m_DriftNames},
            {"selected", s.driftNames.m_nDriftSel},
            {"addNext", s.driftNames.m_bAddNextDrift},
            {"corrections", corrections},
            {"current", s.currentDrift}};
}

// The summary's values that no selected reading has (a meter that writes no
// SD, tilt, temperature or tide), shown empty: by their keys.
constexpr std::pair<SelectionSummary::Field, const char*> kMayBeEmpty[] = {{SelectionSummary::kSDev, "sdev"},
                                                                           {SelectionSummary::kTiltX, "tiltX"},
                                                                           {SelectionSummary::kTiltY, "tiltY"},
                                                                           {SelectionSummary::kTemp, "temperature"},
                                                                           {SelectionSummary::kEtc, "etc"}};

json SummaryJson(const SelectionSummary& m)
{
    json summary = {{"readings", m.m_nReadings},       {"gravity", NumberValue(m.m_dGrav)},
                    {"sdev", NumberValue(m.m_dSDev)},  {"tiltX", NumberValue(m.m_dTiltX)},
                    {"tiltY", NumberValue(m.m_dTiltY)}, {"temperature", NumberValue(m.m_dTemp)},
                    {"etc", NumberValue(m.m_dEtc)},    {"berger", NumberValue(m.m_dBerger)},
                    {"pressure", NumberValue(m.m_dPressure)}, {"polarMotion", NumberValue(m.m_dPolarMotion)},
                    {"oceanLoading", NumberValue(m.m_dOceanLoad)},
                    {"drift", NumberValue(m.m_dDrift)}, {"time", TimeValue(m.m_dtTime)}};
    json empty = json::array();
    for (const auto& [field, key] : kMayBeEmpty)
        if (m.m_nEmpty & (1u << field))
            empty.push_back(key);
    if (!empty.empty())  // written only when there is one, so CG-3 and Aliod files stay as they were
        summary["empty"] = std::move(empty);
    return summary;
}

json FinalTableJson(const SessionSnapshot& s)
{
    json rows = json::array();
    for (const CFinalData& f : s.finalData)
        rows.push_back({{"time", TimeValue(f.m_dtTime)},
                        {"timeSum", NumberValue(f.m_dTimeSum)},
                        {"station", f.m_strStation},
                        {"latitude", NumberValue(f.m_dLatitude)},
                        {"longitude", NumberValue(f.m_dLongitude)},
                        {"gravity", NumberValue(f.m_dGrav)},
                        {"sdev", NumberValue(f.m_dSDev)},
                        {"points", f.m_nPoints},
                        {"values", NumberArray(f.m_Values)}});
    return {{"rows", rows}, {"current", s.currentFinal}};
}

json HeaderJson(const AliodHeaderTexts& h)
{
    return {{"serialNumber", h.serialNumber},
            {"latitude", h.avgLatitude},
            {"longitude", h.avgLongitude},
            {"operator", h.op},
            {"temperature", h.operTemp}};
}

json KeyOf(const CReading& r) { return json::array({r.header() ? r.header()->m_nIndex : 0, r.m_nRecord}); }

// The correction cells a recomputation writes from its reading: corrected
// gravity, Berger, pressure, polar motion, drift and ocean loading.
std::array<double, 6> CellsOfReading(const ReadingState& r)
{
    return {r.grav, r.tideCorr, r.pressureCorr, r.polarCorr, -r.driftCorr, r.oceanLoadCorr};
}

// A row whose cells hold exactly (bit for bit) what CellsOfReading gives is
// written with null cells: the file stays half as large.
bool CellsFollowReading(const SnapshotRow& row, const ReadingState& reading)
{
    const std::array<double, 6> cells = CellsOfReading(reading);
    return std::memcmp(cells.data(), row.numbers.data(), sizeof cells) == 0;
}

template <class Get>
json IntegerColumn(std::size_t size, Get get)
{
    json array = json::array();
    array.get_ref<json::array_t&>().reserve(size);
    for (std::size_t i = 0; i < size; ++i)
        array.push_back(get(i));
    return array;
}

json SurveyJson(ProjectSurvey& survey, const fs::path& folder)
{
    const SessionSnapshot s = TakeSnapshot(*survey.session);
    const CKelpDoc& doc = survey.session->Document();
    const std::size_t n = doc.m_Readings.size();

    const auto& r = doc.m_Readings;
    json readings = {
        {"header", IntegerColumn(n, [&](std::size_t i) { return r[i]->header() ? r[i]->header()->m_nIndex : 0; })},
        {"record", IntegerColumn(n, [&](std::size_t i) { return r[i]->m_nRecord; })},
        {"gravity", ReadingColumn(s, &ReadingState::grav)},
        {"pressure", ReadingColumn(s, &ReadingState::pressure)},
        {"tideCorrection", ReadingColumn(s, &ReadingState::tideCorr)},
        {"driftCorrection", ReadingColumn(s, &ReadingState::driftCorr)},
        {"polarCorrection", ReadingColumn(s, &ReadingState::polarCorr)},
        {"pressureCorrection", ReadingColumn(s, &ReadingState::pressureCorr)},
        {"poleX", ReadingColumn(s, &ReadingState::polarX)},
        {"poleY", ReadingColumn(s, &ReadingState::polarY)},
        {"etc", ReadingColumn(s, &ReadingState::etc)},
        {"oceanLoad", ReadingColumn(s, &ReadingState::oceanLoad)},
        {"oceanLoadCorrection", ReadingColumn(s, &ReadingState::oceanLoadCorr)},
        {"driftName", IntegerColumn(n, [&](std::size_t i) { return s.readings[i].driftName; })},
        {"note", IntegerColumn(n, [&](std::size_t i) { return s.readings[i].note; })}};

    const std::size_t rows = s.rows.size();
    json cells = json::array();
    cells.get_ref<json::array_t&>().reserve(rows);
    for (const SnapshotRow& row : s.rows) {
        if (CellsFollowReading(row, s.readings[static_cast<std::size_t>(row.reading)]))
            cells.push_back(nullptr);
        else
            cells.push_back(NumberArray(std::vector<double>(row.numbers.begin(), row.numbers.end())));
    }
    json cellTexts = json::array();
    for (const CellText& cell : s.cellTexts)
        cellTexts.push_back(json::array({cell.row, cell.column, cell.text}));
    json list = {{"reading", IntegerColumn(rows, [&](std::size_t i) { return s.rows[i].reading; })},
                 {"sortKey", IntegerColumn(rows, [&](std::size_t i) { return s.rows[i].key; })},
                 {"selected", IntegerColumn(rows, [&](std::size_t i) { return s.rows[i].selected; })},
                 {"written", IntegerColumn(rows, [&](std::size_t i) { return s.rows[i].written; })},
                 {"cells", cells},
                 {"driftName", IntegerColumn(rows, [&](std::size_t i) { return s.rows[i].driftName; })},
                 {"cellTexts", cellTexts},
                 {"sortColumn", s.sortColumn}};
    const std::vector<std::string>& texts = s.texts;

    json rejected = json::array();
    for (const auto& [reading, reason] : s.rejections)
        rejected.push_back({{"key", KeyOf(*doc.m_Readings[static_cast<std::size_t>(reading)])}, {"reason", reason}});

    return {{"file", StoredPath(survey.path, folder)},
            {"sha256", survey.sha256},
            {"meter", MeterKindName(survey.meter)},
            {"aliodHeader", HeaderJson(survey.header)},
            {"documentAliodHeader", HeaderJson(s.aliodHeader)},
            {"texts", texts},
            {"readings", readings},
            {"list", list},
            {"rejected", rejected},
            {"corrections", CorrectionsJson(s.settings, folder)},
            {"drift", DriftJson(s)},
            {"summary", SummaryJson(s.summary)},
            {"finalTable", FinalTableJson(s)},
            {"subtractMean", s.subtractMean}};
}

// --- Reading --------------------------------------------------------------

MeterKind MeterOf(const json& value, const std::string& where)
{
    const std::string name = Text(value, where);
    for (MeterKind kind : {MeterKind::cg3, MeterKind::aliod, MeterKind::cg5, MeterKind::cg6, MeterKind::burris})
        if (name == MeterKindName(kind))
            return kind;
    Fail(where, "names no meter Bramble knows (\"" + name + "\")");
}

AliodHeaderTexts HeaderOf(const json& h, const std::string& where)
{
    return {Text(Member(h, "serialNumber", where), Path(where, "serialNumber")),
            Text(Member(h, "latitude", where), Path(where, "latitude")),
            Text(Member(h, "longitude", where), Path(where, "longitude")),
            Text(Member(h, "operator", where), Path(where, "operator")),
            Text(Member(h, "temperature", where), Path(where, "temperature"))};
}

std::array<double, 6> CoefficientsOf(const json& value, const std::string& where)
{
    SizedArray(value, 6, where);
    std::array<double, 6> coefficients{};
    for (std::size_t k = 0; k < 6; ++k)
        coefficients[k] = Number(value[k], where + "[" + std::to_string(k) + "]");
    return coefficients;
}

std::vector<double> NumbersOf(const json& value, std::size_t size, const std::string& where)
{
    SizedArray(value, size, where);
    std::vector<double> numbers(size);
    for (std::size_t i = 0; i < size; ++i)
        numbers[i] = NumberAt(value, i, where);
    return numbers;
}

// The readings of the document by key (header number, record number).
// A key held by several readings (not in files Bramble reads) stands for
// them in order.
using KeyMap = std::map<std::pair<int, int>, std::vector<int>>;

KeyMap KeysOf(const CKelpDoc& doc)
{
    KeyMap byKey;
    for (std::size_t i = 0; i < doc.m_Readings.size(); ++i) {
        const CReading& r = *doc.m_Readings[i];
        byKey[{r.header() ? r.header()->m_nIndex : 0, r.m_nRecord}].push_back(static_cast<int>(i));
    }
    return byKey;
}

std::pair<int, int> KeyValue(const json& key, const std::string& where)
{
    SizedArray(key, 2, where);
    return {Int(key[0], where + "[0]"), Int(key[1], where + "[1]")};
}

[[noreturn]] void NoSuchReading(const std::pair<int, int>& key, const std::string& where)
{
    Fail(where, "is the key of no reading of the data file (header " + std::to_string(key.first) + ", record " +
                    std::to_string(key.second) + ")");
}

// Each key of the file's reading list (its "header" and "record" columns)
// matched to its reading of the document.
std::vector<int> MatchKeys(const json& readings, const KeyMap& byKey, std::size_t count, const std::string& where)
{
    const json& headers = SizedArray(Member(readings, "header", where), count, Path(where, "header"));
    const json& records = SizedArray(Member(readings, "record", where), count, Path(where, "record"));
    std::map<std::pair<int, int>, std::size_t> used;
    std::vector<int> matched;
    matched.reserve(count);
    const std::string headersAt = Path(where, "header"), recordsAt = Path(where, "record");
    constexpr long long kIntMin = std::numeric_limits<int>::min(), kIntMax = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < count; ++i) {
        const std::pair<int, int> key{static_cast<int>(IntegerAt(headers, i, headersAt, kIntMin, kIntMax)),
                                      static_cast<int>(IntegerAt(records, i, recordsAt, kIntMin, kIntMax))};
        const auto it = byKey.find(key);
        std::size_t& next = used[key];
        if (it == byKey.end() || next >= it->second.size())
            NoSuchReading(key, Element(recordsAt, i));
        matched.push_back(it->second[next++]);
    }
    return matched;
}

void ReadReadings(const json& r, const std::vector<int>& docIndex, std::size_t textCount, SessionSnapshot& s,
                  const std::string& where)
{
    const std::size_t n = docIndex.size();
    s.readings.assign(n, ReadingState{});
    const auto column = [&](const char* key, double ReadingState::*field) {
        const std::vector<double> values = NumbersOf(Member(r, key, where), n, Path(where, key));
        for (std::size_t i = 0; i < n; ++i)
            s.readings[static_cast<std::size_t>(docIndex[i])].*field = values[i];
    };
    column("gravity", &ReadingState::grav);
    column("pressure", &ReadingState::pressure);
    column("tideCorrection", &ReadingState::tideCorr);
    column("driftCorrection", &ReadingState::driftCorr);
    column("polarCorrection", &ReadingState::polarCorr);
    column("pressureCorrection", &ReadingState::pressureCorr);
    column("poleX", &ReadingState::polarX);
    column("poleY", &ReadingState::polarY);
    column("etc", &ReadingState::etc);
    column("oceanLoad", &ReadingState::oceanLoad);
    column("oceanLoadCorrection", &ReadingState::oceanLoadCorr);
    const auto textColumn = [&](const char* key, std::uint32_t ReadingState::*field) {
        const std::string at = Path(where, key);
        const json& values = SizedArray(Member(r, key, where), n, at);
        for (std::size_t i = 0; i < n; ++i)
            s.readings[static_cast<std::size_t>(docIndex[i])].*field =
                static_cast<std::uint32_t>(IntegerAt(values, i, at, 0, static_cast<long long>(textCount) - 1));
    };
    textColumn("driftName", &ReadingState::driftName);
    textColumn("note", &ReadingState::note);
}

void ReadList(const json& l, const std::vector<int>& docIndex, SessionSnapshot& s, const std::string& where)
{
    const json& readings = Array(Member(l, "reading", where), Path(where, "reading"));
    const std::size_t n = readings.size();
    if (n != 0 && n != docIndex.size())
        Fail(Path(where, "reading"), "should hold one row for each of the " + std::to_string(docIndex.size()) +
                                         " readings, not " + std::to_string(n));
    const json& keys = SizedArray(Member(l, "sortKey", where), n, Path(where, "sortKey"));
    const json& selected = SizedArray(Member(l, "selected", where), n, Path(where, "selected"));
    const json& written = SizedArray(Member(l, "written", where), n, Path(where, "written"));
    const json& cells = SizedArray(Member(l, "cells", where), n, Path(where, "cells"));
    const json& names = SizedArray(Member(l, "driftName", where), n, Path(where, "driftName"));
    const long long lastText = static_cast<long long>(s.texts.size()) - 1;
    const std::string readingAt = Path(where, "reading"), keyAt = Path(where, "sortKey");
    const std::string selectedAt = Path(where, "selected"), writtenAt = Path(where, "written");
    const std::string cellsAt = Path(where, "cells"), nameAt = Path(where, "driftName");
    s.rows.assign(n, SnapshotRow{});
    for (std::size_t i = 0; i < n; ++i) {
        SnapshotRow& row = s.rows[i];
        row.reading = docIndex[static_cast<std::size_t>(
            IntegerAt(readings, i, readingAt, 0, static_cast<long long>(docIndex.size()) - 1))];
        row.key = IntegerAt(keys, i, keyAt, std::numeric_limits<long long>::min(),
                            std::numeric_limits<long long>::max());
        row.selected = BoolAt(selected, i, selectedAt);
        row.written = static_cast<std::uint8_t>(IntegerAt(written, i, writtenAt, 0, 127));  // cells 16..22
        if (cells[i].is_null()) {
            row.numbers = CellsOfReading(s.readings[static_cast<std::size_t>(row.reading)]);
        } else {
            const json& numbers = SizedArray(cells[i], row.numbers.size(), Element(cellsAt, i));
            for (std::size_t k = 0; k < row.numbers.size(); ++k)
                row.numbers[k] = NumberAt(numbers, k, Element(cellsAt, i));
        }
        row.driftName = static_cast<std::uint32_t>(IntegerAt(names, i, nameAt, 0, lastText));
    }
    const json& cellTexts = Array(Member(l, "cellTexts", where), Path(where, "cellTexts"));
    for (std::size_t i = 0; i < cellTexts.size(); ++i) {
        const std::string at = Path(where, "cellTexts") + "[" + std::to_string(i) + "]";
        SizedArray(cellTexts[i], 3, at);
        const int row = Int(cellTexts[i][0], at + "[0]", 0, static_cast<int>(n) - 1);
        const int column = Int(cellTexts[i][1], at + "[1]", 0, CStationList::kColumnCount - 1);
        s.cellTexts.push_back({row, column, Text(cellTexts[i][2], at + "[2]")});
    }
    s.sortColumn = Int(Member(l, "sortColumn", where), Path(where, "sortColumn"), 0, CStationList::kColumnCount - 1);
}

CorrectionSettings CorrectionsOf(const json& c, const fs::path& folder, Outcome& outcome, const std::string& where)
{
    CorrectionSettings settings;
    settings.m_nTideMode = Int(Member(c, "tideMode", where), Path(where, "tideMode"), kTideLongman, kTideNone);
    settings.m_bApplyPressure = Bool(Member(c, "applyPressure", where), Path(where, "applyPressure"));
    settings.m_dNominalPressure = Number(Member(c, "nominalPressure", where), Path(where, "nominalPressure"));
    settings.m_dNominalElevation = Number(Member(c, "nominalElevation", where), Path(where, "nominalElevation"));
    const json& entries = Array(Member(c, "pressureEntries", where), Path(where, "pressureEntries"));
    for (std::size_t i = 0; i < entries.size(); ++i)
        settings.m_PressureList.push_back(Text(entries[i], Path(where, "pressureEntries") + "[" + std::to_string(i) + "]"));
    settings.m_bApplyPolar = Bool(Member(c, "applyPolar", where), Path(where, "applyPolar"));
    settings.m_bApplyDrift = Bool(Member(c, "applyDrift", where), Path(where, "applyDrift"));
    const json& polar = Member(c, "polarFile", where);
    if (!polar.is_null()) {
        settings.m_strPolarFile = ResolvedPath(Text(polar, Path(where, "polarFile")), folder);
        const json& hash = Member(c, "polarSha256", where);
        const std::string saved = hash.is_null() ? std::string() : Text(hash, Path(where, "polarSha256"));
        const Result<std::string> now = Sha256OfFile(settings.m_strPolarFile);
        // The readings keep the pole positions read when the project was
        // saved; only reading the table again would use the file.
        if (now.Failed())
            outcome.AddWarning("The polar motion file " + settings.m_strPolarFile +
                               " is missing; the readings keep the pole positions saved with the project.");
        else if (!saved.empty() && now.Value() != saved)
            outcome.AddWarning("The polar motion file " + settings.m_strPolarFile +
                               " has changed since the project was saved; the readings keep the pole positions "
                               "saved with the project.");
    }
    settings.m_bApplyOceanLoad = Bool(Member(c, "applyOceanLoading", where), Path(where, "applyOceanLoading"));
    settings.m_dBlqMatchDistanceKm = Number(Member(c, "blqMatchDistanceKm", where), Path(where, "blqMatchDistanceKm"));
    if (!(settings.m_dBlqMatchDistanceKm >= 0.0 && settings.m_dBlqMatchDistanceKm <= kMaxBlqMatchDistanceKm))
        Fail(Path(where, "blqMatchDistanceKm"), "should be from 0 to " + std::to_string(static_cast<int>(kMaxBlqMatchDistanceKm)) + " km");
    const json& blq = Member(c, "blqFile", where);
    if (!blq.is_null()) {
        settings.m_strBlqFile = ResolvedPath(Text(blq, Path(where, "blqFile")), folder);
        const json& hash = Member(c, "blqSha256", where);
        const std::string saved = hash.is_null() ? std::string() : Text(hash, Path(where, "blqSha256"));
        const Result<std::string> now = Sha256OfFile(settings.m_strBlqFile);
        // As with the pole positions: the readings keep the loading values
        // saved with the project until the file is chosen again.
        if (now.Failed())
            outcome.AddWarning("The ocean-loading file " + settings.m_strBlqFile +
                               " is missing; the readings keep the ocean loading saved with the project.");
        else if (!saved.empty() && now.Value() != saved)
            outcome.AddWarning("The ocean-loading file " + settings.m_strBlqFile +
                               " has changed since the project was saved; the readings keep the ocean loading "
                               "saved with the project.");
    } else if (settings.m_bApplyOceanLoad) {
        Fail(Path(where, "applyOceanLoading"), "is true without a \"blqFile\"");
    }
    return settings;
}

void ReadDrift(const json& d, SessionSnapshot& s, const std::string& where)
{
    s.drift.m_dMeanGrav = Number(Member(d, "meanGravity", where), Path(where, "meanGravity"));
    s.drift.m_dMeanTime = Number(Member(d, "meanTime", where), Path(where, "meanTime"));
    s.drift.m_dMeanTimeGrav = Number(Member(d, "meanTimeGravity", where), Path(where, "meanTimeGravity"));
    s.drift.m_dMeanTimeSquare = Number(Member(d, "meanTimeSquare", where), Path(where, "meanTimeSquare"));
    s.drift.m_dtStart = Time(Member(d, "start", where), Path(where, "start"));
    s.drift.m_dCoeff = CoefficientsOf(Member(d, "coefficients", where), Path(where, "coefficients"));
    const json& names = Array(Member(d, "names", where), Path(where, "names"));
    s.driftNames.m_DriftNames.clear();
    for (std::size_t i = 0; i < names.size(); ++i)
        s.driftNames.m_DriftNames.push_back(Text(names[i], Path(where, "names") + "[" + std::to_string(i) + "]"));
    s.driftNames.m_nDriftSel = Int(Member(d, "selected", where), Path(where, "selected"));
    s.driftNames.m_bAddNextDrift = Bool(Member(d, "addNext", where), Path(where, "addNext"));
    const json& corrections = Array(Member(d, "corrections", where), Path(where, "corrections"));
    for (std::size_t i = 0; i < corrections.size(); ++i) {
        const std::string at = Path(where, "corrections") + "[" + std::to_string(i) + "]";
        s.driftCorrections.push_back({Time(Member(corrections[i], "start", at), Path(at, "start")),
                                      CoefficientsOf(Member(corrections[i], "coefficients", at), Path(at, "coefficients"))});
    }
    s.currentDrift = Int(Member(d, "current", where), Path(where, "current"), -1,
                         static_cast<int>(s.driftCorrections.size()) - 1);
}

SelectionSummary SummaryOf(const json& m, const std::string& where)
{
    SelectionSummary s;
    s.m_nReadings = Int(Member(m, "readings", where), Path(where, "readings"), 0);
    const auto number = [&](const char* key) { return Number(Member(m, key, where), Path(where, key)); };
    s.m_dGrav = number("gravity");
    s.m_dSDev = number("sdev");
    s.m_dTiltX = number("tiltX");
    s.m_dTiltY = number("tiltY");
    s.m_dTemp = number("temperature");
    s.m_dEtc = number("etc");
    s.m_dBerger = number("berger");
    s.m_dPressure = number("pressure");
    s.m_dPolarMotion = number("polarMotion");
    s.m_dOceanLoad = number("oceanLoading");
    s.m_dDrift = number("drift");
    s.m_dtTime = Time(Member(m, "time", where), Path(where, "time"));
    if (m.contains("empty")) {
        const std::string at = Path(where, "empty");
        const json& empty = Array(m["empty"], at);
        for (std::size_t i = 0; i < empty.size(); ++i) {
            const std::string key = Text(empty[i], Element(at, i));
            const auto* known = std::find_if(std::begin(kMayBeEmpty), std::end(kMayBeEmpty),
                                             [&](const auto& entry) { return key == entry.second; });
            if (known == std::end(kMayBeEmpty))
                Fail(Element(at, i), "names no summary value that can be empty (\"" + key + "\")");
            s.SetEmpty(known->first, true);
        }
    }
    return s;
}

void ReadFinalTable(const json& f, SessionSnapshot& s, const std::string& where)
{
    const json& rows = Array(Member(f, "rows", where), Path(where, "rows"));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string at = Path(where, "rows") + "[" + std::to_string(i) + "]";
        const json& r = rows[i];
        CFinalData row;
        row.m_dtTime = Time(Member(r, "time", at), Path(at, "time"));
        row.m_dTimeSum = Number(Member(r, "timeSum", at), Path(at, "timeSum"));
        row.m_strStation = Text(Member(r, "station", at), Path(at, "station"));
        row.m_dLatitude = Number(Member(r, "latitude", at), Path(at, "latitude"));
        row.m_dLongitude = Number(Member(r, "longitude", at), Path(at, "longitude"));
        row.m_dGrav = Number(Member(r, "gravity", at), Path(at, "gravity"));
        row.m_dSDev = Number(Member(r, "sdev", at), Path(at, "sdev"));
        row.m_nPoints = Int(Member(r, "points", at), Path(at, "points"), 0);
        const json& values = Array(Member(r, "values", at), Path(at, "values"));
        row.m_Values = NumbersOf(values, values.size(), Path(at, "values"));
        s.finalData.push_back(std::move(row));
    }
    s.currentFinal = Int(Member(f, "current", where), Path(where, "current"), -1, static_cast<int>(rows.size()) - 1);
}

// The data file of survey `index` as the project names it: where it is
// now, and whether it still holds the bytes the project was saved with.
struct DataFile {
    std::string path;
    MeterKind meter = MeterKind::cg3;
    AliodHeaderTexts header;
    std::string sha256;
};

DataFile DataFileOf(const json& survey, int index, const fs::path& folder, const ProjectLoadOptions& options,
                    const std::string& where)
{
    DataFile data;
    const std::string stored = Text(Member(survey, "file", where), Path(where, "file"));
    const auto located = options.located.find(index);
    data.path = located != options.located.end() ? located->second : ResolvedPath(stored, folder);
    data.meter = MeterOf(Member(survey, "meter", where), Path(where, "meter"));
    data.header = HeaderOf(Member(survey, "aliodHeader", where), Path(where, "aliodHeader"));
    data.sha256 = Text(Member(survey, "sha256", where), Path(where, "sha256"));
    return data;
}

// Survey `index`: its data file read again and its saved state put back.
std::unique_ptr<ProjectSurvey> SurveyOf(const json& survey, const DataFile& data, const fs::path& folder,
                                        Outcome& outcome, const std::string& where)
{
    Result<std::unique_ptr<ProjectSurvey>> read = ReadProjectSurvey(data.path, data.meter, data.header);
    if (read.Failed())
        throw FormatError{"its data file " + data.path + " cannot be read: " + read.ErrorText()};
    std::unique_ptr<ProjectSurvey> result = std::move(read.Value());
    if (result->sha256 != data.sha256)
        throw FormatError{"its data file " + data.path + " changed while it was being read"};
    const CKelpDoc& doc = result->session->Document();

    SessionSnapshot s;
    const json& texts = Array(Member(survey, "texts", where), Path(where, "texts"));
    for (std::size_t i = 0; i < texts.size(); ++i)
        s.texts.push_back(Text(texts[i], Path(where, "texts") + "[" + std::to_string(i) + "]"));
    const json& readings = Member(survey, "readings", where);
    const std::string readingsAt = Path(where, "readings");
    const KeyMap byKey = KeysOf(doc);
    const std::vector<int> docIndex = MatchKeys(readings, byKey, doc.m_Readings.size(), readingsAt);
    ReadReadings(readings, docIndex, s.texts.size(), s, readingsAt);
    ReadList(Member(survey, "list", where), docIndex, s, Path(where, "list"));

    const json& rejected = Array(Member(survey, "rejected", where), Path(where, "rejected"));
    for (std::size_t i = 0; i < rejected.size(); ++i) {
        const std::string at = Path(where, "rejected") + "[" + std::to_string(i) + "]";
        const std::pair<int, int> key = KeyValue(Member(rejected[i], "key", at), Path(at, "key"));
        const auto it = byKey.find(key);
        if (it == byKey.end())
            NoSuchReading(key, Path(at, "key"));
        s.rejections[it->second.front()] = Text(Member(rejected[i], "reason", at), Path(at, "reason"));
    }
    s.settings = CorrectionsOf(Member(survey, "corrections", where), folder, outcome, Path(where, "corrections"));
    ReadDrift(Member(survey, "drift", where), s, Path(where, "drift"));
    s.summary = SummaryOf(Member(survey, "summary", where), Path(where, "summary"));
    ReadFinalTable(Member(survey, "finalTable", where), s, Path(where, "finalTable"));
    s.aliodHeader = HeaderOf(Member(survey, "documentAliodHeader", where), Path(where, "documentAliodHeader"));
    s.subtractMean = Bool(Member(survey, "subtractMean", where), Path(where, "subtractMean"));

    const Outcome restored = RestoreSnapshot(*result->session, s);
    if (restored.Failed())
        Fail(where, "does not fit its data file: " + restored.ErrorText());
    return result;
}

}  // namespace

std::string ProjectToJson(Project& project, const std::string& projectPath)
{
    const fs::path folder = FolderOf(projectPath);
    json surveys = json::array();
    for (int i = 0; i < project.SurveyCount(); ++i)
        surveys.push_back(SurveyJson(project.Survey(i), folder));
    const json file = {{"format", kProjectFormat},
                       {"version", kProjectVersion},
                       {"program", std::string("Bramble ") + BRAMBLE_VERSION},
                       {"active", project.Active()},
                       {"surveys", surveys}};
    // Compact: a project of 10^5 readings stays a few tens of megabytes.
    return file.dump() + "\n";
}

Outcome SaveProject(Project& project, const std::string& path)
{
    for (int i = 0; i < project.SurveyCount(); ++i) {
        if (project.Survey(i).sha256.empty())
            return Outcome::Error("Survey " + std::to_string(i + 1) + " was read from " + project.Survey(i).path +
                                  ", which is not a regular file (a pipe or a device): a project can only refer to "
                                  "a file. The project was not saved.");
    }
    Outcome written = WriteFileSafely(path, ProjectToJson(project, path));
    if (written.Succeeded())
        project.SetFilePath(path);
    return written;
}

Result<std::unique_ptr<Project>> ProjectFromJson(std::string_view text, const std::string& projectPath,
                                                 const ProjectLoadOptions& options,
                                                 std::vector<DataFileProblem>* problems)
{
    const std::string name = projectPath;
    const json file = json::parse(text.begin(), text.end(), nullptr, false);
    if (file.is_discarded())
        return Outcome::Error("The project file " + name + " is not a JSON file, or it is cut short.");
    try {
        if (!file.is_object() || !file.contains("format") || file["format"] != kProjectFormat)
            return Outcome::Error("The file " + name + " is not a Bramble project (no \"format\": \"" +
                                  std::string(kProjectFormat) + "\").");
        const json& version = Member(file, "version", "the project");
        if (!version.is_number_integer() || version.get<long long>() != kProjectVersion)
            return Outcome::Error("The project file " + name + " has version " + version.dump() +
                                  "; this Bramble reads version " + std::to_string(kProjectVersion) + ".");
        const fs::path folder = FolderOf(projectPath);
        const json& surveys = Array(Member(file, "surveys", "the project"), "the project's \"surveys\"");
        const int active = Int(Member(file, "active", "the project"), "the project's \"active\"", -1,
                               static_cast<int>(surveys.size()) - 1);
        if (active < 0 && !surveys.empty())
            Fail("the project's \"active\"", "should name one of its surveys");

        // Every data file is checked before anything is read, so that all
        // that are missing or changed are named at once.
        std::vector<DataFile> data;
        std::vector<DataFileProblem> found;
        for (std::size_t i = 0; i < surveys.size(); ++i) {
            const int index = static_cast<int>(i);
            data.push_back(DataFileOf(surveys[i], index, folder, options, "survey " + std::to_string(i + 1)));
            const Result<std::string> hash = Sha256OfFile(data.back().path);
            if (hash.Failed())
                found.push_back({index, data.back().path, DataFileProblem::missing});
            else if (hash.Value() != data.back().sha256)
                found.push_back({index, data.back().path, DataFileProblem::changed});
        }
        if (!found.empty()) {
            Outcome outcome;
            for (const DataFileProblem& problem : found)
                outcome.AddError("Survey " + std::to_string(problem.survey + 1) + ": the data file " + problem.path +
                                 (problem.kind == DataFileProblem::missing
                                      ? " cannot be found."
                                      : " has changed since the project was saved (its SHA-256 differs); the "
                                        "reduction is not made again from other data."));
            if (problems)
                *problems = std::move(found);
            return outcome;
        }

        Outcome outcome;
        auto project = std::make_unique<Project>();
        for (std::size_t i = 0; i < surveys.size(); ++i)
            project->InsertSurvey(static_cast<int>(i), SurveyOf(surveys[i], data[i], folder, outcome,
                                                                "survey " + std::to_string(i + 1)));
        if (active >= 0)
            (void)project->SetActive(active);
        project->SetFilePath(projectPath);
        return Result<std::unique_ptr<Project>>::Of(std::move(project), std::move(outcome));
    } catch (const FormatError& error) {
        return Outcome::Error("The project file " + name + " cannot be opened: " + error.text + ".");
    } catch (const json::exception& error) {
        return Outcome::Error("The project file " + name + " cannot be opened: " + error.what() + ".");
    } catch (const std::bad_alloc&) {
        return Outcome::Error("The project file " + name + " cannot be opened: it needs more memory than there is.");
    }
}

Result<std::unique_ptr<Project>> LoadProject(const std::string& path, const ProjectLoadOptions& options,
                                             std::vector<DataFileProblem>* problems)
{
    std::error_code error;
    if (fs::is_directory(path, error))
        return Outcome::Error("The project file " + path + " cannot be read: it is a folder.");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Outcome::Error("The project file " + path + " cannot be read: " + std::strerror(errno) + ".");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return Outcome::Error("The project file " + path + " cannot be read: a read error.");
    return ProjectFromJson(bytes.str(), path, options, problems);
}

}  // namespace bramble
