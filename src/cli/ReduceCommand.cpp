#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Commands.h"
#include "ReadSurvey.h"
#include "WriteOutput.h"
#include "corrections/CorrectionSettings.h"
#include "corrections/DriftState.h"
#include "corrections/PolarMotion.h"
#include "corrections/Pressure.h"
#include "corrections/RecalcSelection.h"
#include "corrections/SelectionSummary.h"
#include "drift/DriftLine.h"
#include "drift/DriftSession.h"
#include "mainwnd/CStationList.h"
#include "output/ExportSelected.h"
#include "output/FinalOutput.h"
#include "output/FinalTexts.h"
#include "output/SafeFile.h"
#include "survey/AliodHeaderTexts.h"

namespace bramble::cli {
namespace {

constexpr const char* kReduceHelp =
    "usage: bramble-cli reduce FILE [--aliod] [--lat DEG] [--lon DEG] [--serial N] [--operator TEXT] [--temp DEG]\n"
    "                          [--tide longman|berger|none] [--pressure \"MM/DD/YYYY  HH:MM:SS  hPa\"]...\n"
    "                          [--nominal-pressure HPA | --elevation M] [--polar FILE]\n"
    "                          [--drift auto | [--drift-base STATION...] [--drift-line LINE]]\n"
    "                          [--select all | --select STATION...]\n"
    "                          [--final OUT] [--export excel|report OUT]...\n"
    "\n"
    "Reduces a survey as the program's windows do, in the same order: import,\n"
    "the Corrections dialog (polar table, pressure entries, nominal pressure,\n"
    "tide, OK), the drift calculation, the final output and the exports. The\n"
    "files written hold the same bytes as the program's \"&Export Text\" and\n"
    "\"Export Selected\" files for the same choices.\n"
    "\n"
    "  FILE                  a Scintrex CG-3 dump, or an Aliod file with --aliod\n"
    "  --aliod               read FILE as Aliod readings; the five header values\n"
    "                        default to those the Aliod Header Creator offers:\n"
    "  --serial N              (123456789)\n"
    "  --lat DEG               average latitude of the survey area (40.02885)\n"
    "  --lon DEG               average longitude, east positive (-105.04603)\n"
    "  --operator TEXT         (NONE)\n"
    "  --temp DEG              operating temperature (90.5)\n"
    "  --tide MODE           longman (the meter's own correction; the default for\n"
    "                        CG-3 data, not offered for Aliod data), berger (the\n"
    "                        computed earth tide) or none (the default for Aliod)\n"
    "  --pressure ENTRY      a pressure entry, date, time and hPa as the Corrections\n"
    "                        dialog lists them; may be given more than once. The\n"
    "                        entries replace the two default ones and turn the\n"
    "                        pressure correction on\n"
    "  --nominal-pressure P  nominal pressure, hPa (default 0)\n"
    "  --elevation M         nominal pressure from this elevation, metres (\"Set\")\n"
    "  --polar FILE          polar-motion table; the correction is applied when\n"
    "                        the table holds the survey's first day\n"
    "  --drift auto          \"&Calculate Drift...\" and OK: the least-squares line\n"
    "                        of the selected readings\n"
    "  --drift-line LINE     the same, with the drift line edited to LINE\n"
    "                        (\"MM/DD/YYYY  HH:MM:SS  c1 c2 ... c6\")\n"
    "  --drift-base STATION...\n"
    "                        a drift correction fitted to base readings: the\n"
    "                        readings of these stations (exact names) alone are\n"
    "                        selected for the Corrections dialog and\n"
    "                        \"&Calculate Drift...\", whose dialog calculates the\n"
    "                        named correction \"New Drift Correction\" (\"&Calculate\n"
    "                        Drift Correction...\") and takes it with OK; then the\n"
    "                        readings of --select are selected and \"&Apply\n"
    "                        Corrections...\" applies that correction to them. With\n"
    "                        --drift-line the calculated line is edited to LINE\n"
    "                        before OK, and the edited line is the one applied\n"
    "  --select all          select every reading (the default)\n"
    "  --select STATION...   select the readings of these stations (exact names);\n"
    "                        'all' is not mixed with station names\n"
    "  --final OUT           write the final table's text export to OUT (- for\n"
    "                        standard output)\n"
    "  --export KIND OUT     export the selected readings, KIND excel or report\n"
    "                        (OUT - for standard output); may be given more than once\n"
    "\n"
    "Without --final and --export the final table is written to standard output.\n"
    "Exit status: 0 done, 1 a file could not be read or written or FILE holds no\n"
    "reading, 2 bad arguments.\n";

constexpr int kBadArguments = 2;
constexpr int kFileError = 1;

struct ExportRequest {
    ExportKind kind;
    std::string path;
};

struct ReduceOptions {
    std::string file;
    bool aliod = false;
    bool headerGiven = false;   // any of the five Aliod header options
    AliodHeaderTexts header;   // what the Aliod Header Creator opens with
    std::string tide;   // empty: the dialog's default for the meter type
    std::vector<std::string> pressures;
    std::string nominalPressure;
    std::string elevation;
    std::string polar;
    bool driftAuto = false;
    std::string driftLine;
    bool haveDriftLine = false;
    std::vector<std::string> driftBase;   // the base stations of --drift-base
    std::vector<std::string> stations;    // none: every reading
    std::string finalOut;
    std::vector<ExportRequest> exports;
};

bool ParseNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size() && std::isfinite(value);
}

// A date, a time and a pressure, as the pressure parser reads them; the
// parser itself takes a missing pressure as 0, which a script never means.
bool IsPressureEntry(const std::string& entry)
{
    if (!ParsePressureEntry(entry))
        return false;
    std::istringstream words(entry);
    std::string date, time, pressure, rest;
    double value = 0.0;
    return static_cast<bool>(words >> date >> time >> pressure) && !(words >> rest) && ParseNumber(pressure, value);
}

bool IsOption(const std::string& arg) { return arg.size() > 2 && arg.compare(0, 2, "--") == 0; }

// Takes the words after args[i] up to the next option into `names`, moving
// i to the last one taken. Returns how many were taken.
std::size_t TakeNames(const Args& args, std::size_t& i, std::vector<std::string>& names)
{
    std::size_t taken = 0;
    for (; i + 1 < args.size() && !IsOption(args[i + 1]); ++taken)
        names.push_back(args[++i]);
    return taken;
}

// Reads the arguments; on a bad one writes why to `err` and returns false.
bool ParseArguments(const Args& args, ReduceOptions& o, std::ostream& err, bool& help)
{
    const auto fail = [&err](const std::string& why) {
        err << "bramble-cli reduce: " << why << "\n";
        return false;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&](std::string& field) {
            if (i + 1 >= args.size())
                return false;
            field = args[++i];
            return true;
        };
        bool ok = true;
        if (a == "--help" || a == "-h") {
            help = true;
            return true;
        } else if (a == "--aliod") {
            o.aliod = true;
        } else if (a == "--lat") {
            ok = value(o.header.avgLatitude);
            o.headerGiven = true;
        } else if (a == "--lon") {
            ok = value(o.header.avgLongitude);
            o.headerGiven = true;
        } else if (a == "--serial") {
            ok = value(o.header.serialNumber);
            o.headerGiven = true;
        } else if (a == "--operator") {
            ok = value(o.header.op);
            o.headerGiven = true;
        } else if (a == "--temp") {
            ok = value(o.header.operTemp);
            o.headerGiven = true;
        } else if (a == "--tide") {
            ok = value(o.tide);
            if (ok && o.tide != "longman" && o.tide != "berger" && o.tide != "none")
                return fail("--tide takes longman, berger or none, not '" + o.tide + "'");
        } else if (a == "--pressure") {
            std::string entry;
            ok = value(entry);
            if (ok && !IsPressureEntry(entry))
                return fail("'" + entry + "' is not a pressure entry (\"MM/DD/YYYY  HH:MM:SS  hPa\")");
            o.pressures.push_back(entry);
        } else if (a == "--nominal-pressure") {
            ok = value(o.nominalPressure);
        } else if (a == "--elevation") {
            ok = value(o.elevation);
        } else if (a == "--polar") {
            ok = value(o.polar);
        } else if (a == "--drift") {
            std::string mode;
            ok = value(mode);
            if (ok && mode != "auto")
                return fail("--drift takes auto, not '" + mode + "' (a drift line goes with --drift-line)");
            o.driftAuto = true;
        } else if (a == "--drift-line") {
            ok = value(o.driftLine);
            o.haveDriftLine = true;
        } else if (a == "--drift-base") {
            if (TakeNames(args, i, o.driftBase) == 0)
                return fail("--drift-base needs the names of the base stations");
        } else if (a == "--select") {
            if (TakeNames(args, i, o.stations) == 0)
                return fail("--select needs 'all' or station names");
        } else if (a == "--final") {
            ok = value(o.finalOut);
        } else if (a == "--export") {
            std::string kind, path;
            ok = value(kind) && value(path);
            if (ok && kind != "excel" && kind != "report")
                return fail("--export takes excel or report, not '" + kind + "'");
            o.exports.push_back({kind == "excel" ? ExportKind::excel : ExportKind::report, path});
        } else if (IsOption(a) || (a.size() > 1 && a[0] == '-' && std::isalpha(static_cast<unsigned char>(a[1])))) {
            return fail("unknown option " + a);
        } else if (o.file.empty()) {
            o.file = a;
        } else {
            return fail("only one FILE may be given ('" + o.file + "' and '" + a + "')");
        }
        if (!ok)
            return fail("option " + a + " needs " + (a == "--export" ? "a kind and a file" : "a value"));
    }
    if (o.file.empty())
        return fail("no FILE given");
    double number = 0.0;
    if (!o.nominalPressure.empty() && !o.elevation.empty())
        return fail("give either --nominal-pressure or --elevation, not both");
    if (!o.nominalPressure.empty() && !ParseNumber(o.nominalPressure, number))
        return fail("--nominal-pressure needs a number, not '" + o.nominalPressure + "'");
    if (!o.elevation.empty() && !ParseNumber(o.elevation, number))
        return fail("--elevation needs a number, not '" + o.elevation + "'");
    if (std::find(o.stations.begin(), o.stations.end(), "all") != o.stations.end()) {
        if (o.stations.size() > 1)
            return fail("--select takes either 'all' or station names, not both");
        o.stations.clear();
    }
    if (o.driftAuto && o.haveDriftLine)
        return fail("give either --drift auto or --drift-line, not both");
    if (o.driftAuto && !o.driftBase.empty())
        return fail("give either --drift auto (a line fitted to the selection) or --drift-base (a line fitted to "
                    "the base readings), not both");
    if (o.haveDriftLine && ParseDriftLine(o.driftLine).m_dtStart.value() == 0.0)
        return fail("'" + o.driftLine + "' is not a drift line (\"MM/DD/YYYY  HH:MM:SS  c1 c2 ... c6\")");
    if (o.headerGiven && !o.aliod)
        return fail("--lat, --lon, --serial, --operator and --temp are the Aliod header; give them with --aliod");
    if (o.aliod && o.tide == "longman")
        return fail("--tide longman is not offered for Aliod data, which carry no meter tide correction");
    return true;
}

// Prints each warning once: the drift dialog recomputes the selection
// several times, and the windows would show the same box each time.
class Warnings {
public:
    explicit Warnings(std::ostream& err) : m_err(err) {}
    void Add(const std::string& text)
    {
        if (m_seen.insert(text).second)
            m_err << "warning: " << text << "\n";
    }

private:
    std::ostream& m_err;
    std::set<std::string> m_seen;
};

// Selects the readings of the named stations, or every reading when no name
// is given; the other rows are deselected. Returns a name no reading has.
std::optional<std::string> SelectStations(CStationList& list, const std::vector<std::string>& names)
{
    list.SelectNone();
    if (names.empty()) {
        list.SelectAll();
        return std::nullopt;
    }
    std::set<std::string> found;
    for (int row = 0; row < list.RowCount(); ++row) {
        const std::string& name = list.Reading(row).m_strStation;
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            list.SelectRow(row);
            found.insert(name);
        }
    }
    for (const std::string& name : names) {
        if (!found.count(name))
            return name;
    }
    return std::nullopt;
}

// One drift command of the popup menu ("&Calculate Drift..." or "&Apply
// Corrections...") as the windows run it: the selection fitted, the drift
// dialog opened on the remembered entry, `operate` doing what the operator
// does in it, then OK.
void RunDriftCommand(DriftContext& ctx, DriftNames& names, int tideMode, DriftMode mode,
                     const std::function<void(DriftDialogModel&)>& operate)
{
    const std::string line = BeginDriftCommand(ctx, names, tideMode);
    DriftDialogModel dialog(ctx, names.m_DriftNames, names.m_nDriftSel, mode, line);
    dialog.Start();
    operate(dialog);
    dialog.Ok();
    FinishDriftCommand(dialog, names);
}

// The drift dialog's "&Calculate Drift Correction..." with the small
// dialog's OK: the selection's regression becomes a named entry, selected.
void CalculateNamedCorrection(DriftDialogModel& dialog)
{
    const DriftDialogModel::AddPrefill prefill = dialog.BeginAdd();
    dialog.FinishAdd(true, false, prefill.name, prefill.start, prefill.rate);
}

}  // namespace

int RunReduce(const Args& args, std::ostream& out, std::ostream& err)
{
    ReduceOptions o;
    bool help = false;
    if (!ParseArguments(args, o, err, help)) {
        err << "'bramble-cli reduce --help' lists the options.\n";
        return kBadArguments;
    }
    if (help) {
        out << kReduceHelp;
        return 0;
    }

    // Import: the Aliod header values first, then the reader.
    CKelpDoc doc;
    CollectMessages messages;
    doc.SetMessageSink(&messages);
    doc.m_bAliod = o.aliod;
    doc.m_bAsciiFile = true;
    doc.m_strFilePath = o.file;
    if (o.aliod) {
        doc.m_strSerialNumber = o.header.serialNumber;
        doc.m_strAvgLatitude = o.header.avgLatitude;
        doc.m_strAvgLongitude = o.header.avgLongitude;
        doc.m_strOperator = o.header.op;
        doc.m_strOperTemp = o.header.operTemp;
    }
    const std::optional<ReadReport> report = ReadSurvey(doc, o.file, o.aliod, "bramble-cli reduce", err);
    if (!report)
        return kFileError;
    Warnings warnings(err);
    for (const std::string& warning : report->warnings)
        warnings.Add(warning);

    // The station list as the view shows it after the load: in time order.
    CStationList list(doc);
    list.Fill(o.aliod ? 1 : 0);
    list.SortRowsByTime();
    CorrectionSettings settings;
    ResetCorrectionsForImport(settings, doc);

    // The selection: the readings of --select, then (their names checked
    // first) the base readings with --drift-base, which the Corrections
    // dialog and the drift calculation work on.
    const auto select = [&](const std::vector<std::string>& names) {
        const std::optional<std::string> missing = SelectStations(list, names);
        if (missing)
            err << "bramble-cli reduce: no reading of " << o.file << " has the station name '" << *missing << "'\n";
        return !missing;
    };
    if (!select(o.stations) || (!o.driftBase.empty() && !select(o.driftBase)))
        return kBadArguments;

    // The Corrections dialog. It does not offer Longman for Aliod data.
    if (o.aliod && settings.m_nTideMode == kTideLongman)
        settings.m_nTideMode = kTideNone;
    if (!o.polar.empty()) {
        const PolarTableResult polar = ReadPolarMotionTable(doc, o.polar);
        switch (polar.m_Status) {
        case PolarTableResult::Status::kCannotOpen:
            err << "bramble-cli reduce: " << polar.m_strMessage << "\n";
            return kFileError;
        case PolarTableResult::Status::kNotFound:
            warnings.Add("the polar-motion table " + o.polar +
                         " has no line for the survey's first day; the polar-motion correction stays off");
            settings.m_bApplyPolar = false;
            break;
        case PolarTableResult::Status::kRead:
            settings.m_bApplyPolar = true;
            break;
        case PolarTableResult::Status::kNoReadings:
            break;
        }
        settings.m_strPolarFile = o.polar;
    }
    if (!o.pressures.empty()) {
        settings.m_PressureList = SortPressureEntries(o.pressures);
        const PressureAssignment assigned = AssignPressures(doc, settings.m_PressureList);
        for (const std::string& message : assigned.m_Messages)
            warnings.Add(message);
        settings.m_bApplyPressure = assigned.m_nEntries > 0;
    }
    double number = 0.0;
    if (!o.nominalPressure.empty() && ParseNumber(o.nominalPressure, number))
        settings.m_dNominalPressure = number;
    if (!o.elevation.empty() && ParseNumber(o.elevation, number)) {
        const auto nominal = NominalPressureFromElevation(number);
        if (!nominal) {
            err << "bramble-cli reduce: --elevation must lie between " << kMinNominalElevationM << " and "
                << kMaxNominalElevationM << " m, not '" << o.elevation << "'\n";
            return kBadArguments;
        }
        settings.m_dNominalElevation = number;
        settings.m_dNominalPressure = *nominal;
    }
    if (o.tide == "longman")
        settings.m_nTideMode = kTideLongman;
    else if (o.tide == "berger")
        settings.m_nTideMode = kTideBerger;
    else if (o.tide == "none")
        settings.m_nTideMode = kTideNone;

    // OK: the settings are taken and the selection recomputed.
    DriftState drift;
    SelectionSummary summary;
    const auto recalc = [&] {
        const RecalcResult result = RecalcSelection(doc, list, settings, drift, summary);
        for (const std::string& warning : result.m_Warnings)
            warnings.Add(warning);
    };
    recalc();

    // "&Calculate Drift..." and the drift dialog's OK, with the starting
    // entry (the least-squares line), with its line edited, or with a named
    // correction calculated from the base readings; that one is then applied
    // to the readings of --select by "&Apply Corrections...".
    DriftContext ctx{doc, list, drift, settings, recalc,
                     [&] { RecalcSelectionByRow(doc, list, settings, drift, summary); }};
    DriftNames names;
    const auto editLine = [&](DriftDialogModel& dialog) {
        if (o.haveDriftLine)
            dialog.SetLine(o.driftLine);
    };
    if (!o.driftBase.empty()) {
        RunDriftCommand(ctx, names, settings.m_nTideMode, DriftMode::calculate, [&](DriftDialogModel& dialog) {
            CalculateNamedCorrection(dialog);
            editLine(dialog);
        });
        select(o.stations);
        RunDriftCommand(ctx, names, settings.m_nTideMode, DriftMode::apply, [](DriftDialogModel&) {});
    } else if (o.driftAuto || o.haveDriftLine) {
        RunDriftCommand(ctx, names, settings.m_nTideMode, DriftMode::calculate, editLine);
    }

    // "&Final Output" and its "&Export Text".
    ComputeFinalOutput(doc, list);
    const std::string finalText = FinalTextExport(doc);
    if (!o.finalOut.empty() && !WriteOutput("reduce", o.finalOut, finalText, out, err))
        return kFileError;
    if (o.finalOut.empty() && o.exports.empty())
        out << finalText;

    for (const ExportRequest& request : o.exports) {
        if (!WriteOutput("reduce", request.path, ExportSelected(list, doc, request.kind), out, err))
            return kFileError;
    }
    for (const std::string& message : messages.messages)
        warnings.Add(message);
    return 0;
}

}  // namespace bramble::cli
