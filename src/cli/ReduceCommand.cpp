#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "Commands.h"
#include "CorrectionOptions.h"
#include "ReadSurvey.h"
#include "SeriesOptions.h"
#include "WriteOutput.h"
#include "drift/DriftLine.h"
#include "project/ProjectFile.h"
#include "session/ReductionSession.h"
#include "session/TideChoice.h"

namespace bramble::cli {
namespace {

constexpr const char* kReduceHelp =
    "usage: bramble-cli reduce FILE [--format auto|cg3|aliod|cg5|cg6|burris] [--aliod]\n"
    "                          [--lat DEG] [--lon DEG] [--serial N] [--operator TEXT] [--temp DEG]\n"
    "                          [--tide longman|berger|none] [--pressure \"MM/DD/YYYY  HH:MM:SS  hPa\"]...\n"
    "                          [--nominal-pressure HPA | --elevation M] [--polar FILE]\n"
    "                          [--ocean-load FILE [--ocean-load-distance KM]]\n"
    "                          [--drift auto | [--drift-base STATION...] [--drift-line LINE]]\n"
    "                          [--select all | --select STATION...]\n"
    "                          [--final OUT] [--export excel|report OUT]... [--save-project OUT]\n"
    "       bramble-cli reduce --project PROJECT [--survey N] [--final OUT] [--export excel|report OUT]...\n"
    "\n"
    "Reduces a survey as the program's windows do, in the same order: import,\n"
    "the Corrections dialog (polar table, ocean-loading file, pressure entries,\n"
    "nominal pressure, tide, OK), the drift calculation, the final output and\n"
    "the exports. The files written hold the same bytes as the program's\n"
    "\"&Export Text\" and \"Export Selected\" files for the same choices.\n"
    "\n"
    "  FILE                  a Scintrex CG-3 dump, an Aliod, CG-5, CG-6 or Burris file\n"
    "  --format KIND         the meter that wrote FILE; auto (the default)\n"
    "                        recognises it from its content\n"
    "  --aliod               read FILE as Aliod readings (--format aliod); the five\n"
    "                        header values\n"
    "                        default to those the Aliod Header Creator offers:\n"
    "  --serial N              (123456789)\n"
    "  --lat DEG               average latitude of the survey area (40.02885)\n"
    "  --lon DEG               average longitude, east positive (-105.04603)\n"
    "  --operator TEXT         (NONE)\n"
    "  --temp DEG              operating temperature (90.5)\n"
    "  --tide MODE           longman (the meter's own correction; the default for\n"
    "                        CG-3, CG-5, CG-6 and Burris data, not offered for\n"
    "                        Aliod data), berger (the computed earth tide at each\n"
    "                        reading's position where the file gives one) or none\n"
    "                        (the default for Aliod)\n"
    "  --pressure ENTRY      a pressure entry, date, time and hPa as the Corrections\n"
    "                        dialog lists them; may be given more than once. The\n"
    "                        entries replace the two default ones and turn the\n"
    "                        pressure correction on\n"
    "  --nominal-pressure P  nominal pressure, hPa (default 0)\n"
    "  --elevation M         nominal pressure from this elevation, metres (\"Set\")\n"
    "  --polar FILE          polar-motion table; the correction is applied when\n"
    "                        the table holds the survey's first day\n"
    "  --ocean-load FILE     the stations' ocean-loading parameters (BLQ, \"GRAV\n"
    "                        TILT\"); the correction is applied to the readings\n"
    "                        of every station that has a block, and the\n"
    "                        stations without one are named\n"
    "  --ocean-load-distance KM\n"
    "                        a station without a block of its own name takes\n"
    "                        the nearest block within KM of its header's\n"
    "                        position (default 5)\n"
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
    "  --save-project OUT    save the reduction as a project file (.bramble) that\n"
    "                        the program's Open Project and --project open again\n"
    "  --project PROJECT     reduce a saved project instead of FILE: its selection,\n"
    "                        rejected readings, corrections and drift as saved;\n"
    "                        --final and --export write what the program's\n"
    "                        \"&Final Output\" and \"Export Selected\" write for it\n"
    "  --survey N            the project's survey N (from 1) instead of the active one\n"
    "\n"
    "Without --final, --export and --save-project the final table is written to\n"
    "standard output.\n"
    "Exit status: 0 done, 1 a file could not be read or written, FILE holds no\n"
    "reading or PROJECT cannot be opened (a data file missing or changed), 2 bad\n"
    "arguments.\n";

constexpr int kBadArguments = 2;
constexpr int kFileError = 1;

struct ExportRequest {
    ExportKind kind;
    std::string path;
};

struct ReduceOptions {
    std::string file;
    std::string format = "auto";
    bool aliod = false;
    CorrectionOptions corrections;  // and the Aliod header
    bool driftAuto = false;
    std::string driftLine;
    bool haveDriftLine = false;
    std::vector<std::string> driftBase;  // the base stations of --drift-base
    std::vector<std::string> stations;   // none: every reading
    std::string finalOut;
    std::vector<ExportRequest> exports;
    std::string saveProject;
    std::string project;  // reduce a saved project instead of FILE
    std::string survey;   // its survey, from 1; empty: the active one
    bool reductionGiven = false;  // any option that says how to reduce FILE
};

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
        const bool outputOption = a == "--final" || a == "--export" || a == "--project" || a == "--survey";
        if (IsOption(a) && !outputOption && a != "--help")
            o.reductionGiven = true;
        if (a == "--help" || a == "-h") {
            help = true;
            return true;
        } else if (a == "--aliod") {
            o.aliod = true;
        } else if (a == "--format") {
            ok = value(o.format);
            if (ok && !FormatRefusal(o.format).empty())
                return fail(FormatRefusal(o.format));
        } else if (const OptionTaken taken = TakeCorrectionOption(args, i, o.corrections, "bramble-cli reduce", err);
                   taken != OptionTaken::no) {
            if (taken == OptionTaken::bad)
                return false;
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
            if (ok && o.finalOut.empty())
                return fail(EmptyOutputNameRefusal(a));
        } else if (a == "--export") {
            std::string kind, path;
            ok = value(kind) && value(path);
            if (ok && kind != "excel" && kind != "report")
                return fail("--export takes excel or report, not '" + kind + "'");
            if (ok && path.empty())
                return fail(EmptyOutputNameRefusal(a));
            o.exports.push_back({kind == "excel" ? ExportKind::excel : ExportKind::report, path});
        } else if (a == "--save-project") {
            ok = value(o.saveProject);
            if (ok && o.saveProject.empty())
                return fail(EmptyOutputNameRefusal(a));
        } else if (a == "--project") {
            ok = value(o.project);
        } else if (a == "--survey") {
            ok = value(o.survey);
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
    if (!o.project.empty()) {
        if (!o.file.empty())
            return fail("give either FILE or --project, not both");
        if (o.reductionGiven)
            return fail("--project reduces the project as saved; it takes only --survey, --final and --export");
        double n = 0.0;
        if (!o.survey.empty() && (!ParseNumber(o.survey, n) || n < 1 || n != std::floor(n) || n > 1e6))
            return fail("--survey needs the number of a survey (1, 2, ...), not '" + o.survey + "'");
        return true;
    }
    if (!o.survey.empty())
        return fail("--survey goes with --project");
    if (o.file.empty())
        return fail("no FILE given");
    if (!CheckCorrectionOptions(o.corrections, "bramble-cli reduce", err))
        return false;
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
    if (o.format == "aliod")
        o.aliod = true;
    else if (o.aliod && o.format != "auto")
        return fail("--aliod and --format " + o.format + " contradict each other");
    if (o.corrections.headerGiven && !o.aliod)
        return fail("--lat, --lon, --serial, --operator and --temp are the Aliod header; give them with --aliod");
    // A named meter's tide options are checked before anything is read; a
    // recognised one's once it is known.
    if (const int mode = TideModeOf(o.corrections.tide); mode >= 0 && (o.aliod || o.format != "auto")) {
        const MeterKind meter = o.aliod ? MeterKind::aliod : MeterKindOf(*MeterTypeFromName(o.format));
        const Outcome offered = CheckTideMode(meter, mode);
        if (offered.Failed())
            return fail("--tide " + o.corrections.tide + ": " + offered.Messages().front().text);
    }
    return true;
}

// The drift dialog's "&Calculate Drift Correction..." with the small
// dialog's OK: the selection's regression becomes a named entry, selected.
void CalculateNamedCorrection(DriftDialogModel& dialog)
{
    const DriftDialogModel::AddPrefill prefill = dialog.BeginAdd();
    dialog.FinishAdd(true, false, prefill.name, prefill.start, prefill.rate);
}

// The final table and the exports asked for; without any, the final
// table goes to standard output.
int WriteOutputs(ReductionSession& session, const ReduceOptions& o, std::ostream& out, std::ostream& err)
{
    // "&Final Output" and its "&Export Text".
    session.ComputeFinalTable();
    const std::string finalText = session.FinalTableText();
    if (!o.finalOut.empty() && !WriteOutput("reduce", o.finalOut, finalText, out, err))
        return kFileError;
    if (o.finalOut.empty() && o.exports.empty() && o.saveProject.empty())
        out << finalText;

    for (const ExportRequest& request : o.exports) {
        if (!WriteOutput("reduce", request.path, session.ExportSelectedText(request.kind), out, err))
            return kFileError;
    }
    return 0;
}

// --project: a saved reduction, its outputs as the program writes them.
int ReduceProject(const ReduceOptions& o, std::ostream& out, std::ostream& err)
{
    const std::string who = "bramble-cli reduce";
    Result<std::unique_ptr<Project>> opened = LoadProject(o.project);
    PrintMessages(opened, who, err);
    if (!opened.HasValue())
        return kFileError;
    Project& project = *opened.Value();
    const int index = o.survey.empty() ? project.Active() : std::stoi(o.survey) - 1;
    if (index < 0 || index >= project.SurveyCount()) {
        err << who << ": " << o.project << " has " << project.SurveyCount() << " survey(s)"
            << (o.survey.empty() ? "" : ", no survey " + o.survey) << "\n";
        return kFileError;
    }
    return WriteOutputs(*project.Survey(index).session, o, out, err);
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

    if (!o.project.empty())
        return ReduceProject(o, out, err);

    const std::string who = "bramble-cli reduce";
    const FormatChoice format = ChooseFormat(o.file, o.format, o.aliod, who, err);
    if (!format.type)
        return format.status;
    const MeterKind meter = MeterKindOf(*format.type);
    if (const int mode = TideModeOf(o.corrections.tide); mode >= 0) {
        const Outcome offered = CheckTideMode(meter, mode);
        if (offered.Failed()) {
            err << who << ": --tide " << o.corrections.tide << ": " << offered.Messages().front().text << "\n";
            return kBadArguments;
        }
    }
    auto survey = std::make_unique<ProjectSurvey>();
    ReductionSession& session = *survey->session;
    const ReadReport imported = session.Import(o.file, meter, o.corrections.header);
    if (!ReadSucceeded(imported, o.file, meter, who, err))
        return kFileError;

    // The selection: the readings of --select, then (their names checked
    // first) the base readings with --drift-base, which the Corrections
    // dialog and the drift calculation work on.
    const auto select = [&](const std::vector<std::string>& names) {
        const Outcome selected = session.SelectStations(names);
        PrintMessages(selected, who, err);
        return selected.Succeeded();
    };
    if (!select(o.stations) || (!o.driftBase.empty() && !select(o.driftBase)))
        return kBadArguments;

    // The Corrections dialog, as the operator fills it in, then OK.
    if (const int status = ApplyCorrectionOptions(session, o.corrections, who, err); status != 0)
        return status;

    // "&Calculate Drift..." and the drift dialog's OK, with the starting
    // entry (the least-squares line), with its line edited, or with a named
    // correction calculated from the base readings; that one is then applied
    // to the readings of --select by "&Apply Corrections...".
    const CorrectionSettings chosen = session.Corrections();
    const auto editLine = [&](DriftDialogModel& drift) {
        if (o.haveDriftLine)
            drift.SetLine(o.driftLine);
    };
    if (!o.driftBase.empty()) {
        session.RunDriftCommand(chosen, DriftMode::calculate, [&](DriftDialogModel& drift) {
            CalculateNamedCorrection(drift);
            editLine(drift);
        });
        select(o.stations);
        session.RunDriftCommand(chosen, DriftMode::apply, {});
    } else if (o.driftAuto || o.haveDriftLine) {
        session.RunDriftCommand(chosen, DriftMode::calculate, editLine);
    }

    if (const int status = WriteOutputs(session, o, out, err); status != 0)
        return status;
    if (!o.saveProject.empty()) {
        Project project;
        const Outcome noted = NoteSurveyFile(*survey, o.file, meter, o.corrections.header);
        PrintMessages(noted, who, err);
        if (noted.Failed())
            return kFileError;
        project.InsertSurvey(0, std::move(survey));
        const Outcome saved = SaveProject(project, o.saveProject);
        PrintMessages(saved, who, err);
        if (saved.Failed())
            return kFileError;
    }
    return 0;
}

}  // namespace bramble::cli
