#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Commands.h"
#include "CorrectionOptions.h"
#include "ReadSurvey.h"
#include "WriteOutput.h"
#include "adjust/AdjustOutput.h"
#include "adjust/Adjustment.h"
#include "adjust/DatumSources.h"
#include "adjust/SetupBuilder.h"
#include "adjust/SetupSources.h"
#include "adjust/SessionReadings.h"
#include "adjust/SetupsCsv.h"
#include "adjust/TextFields.h"
#include "project/ProjectFile.h"
#include "session/ReductionSession.h"
#include "survey/MeterTypeGuess.h"

namespace bramble::cli {
namespace {

constexpr const char* kAdjustHelp =
    "usage: bramble-cli adjust [SURVEY-FILE...] [--format auto|cg3|aliod|cg5|cg6|burris] [--project FILE]...\n"
    "                          [--setups FILE.csv]...\n"
    "                          [--tide longman|berger|none] [--pressure \"MM/DD/YYYY  HH:MM:SS  hPa\"]...\n"
    "                          [--nominal-pressure HPA | --elevation M] [--polar FILE]\n"
    "                          [--ocean-load FILE [--ocean-load-distance KM]]\n"
    "                          [--lat DEG] [--lon DEG] [--serial N] [--operator TEXT] [--temp DEG]\n"
    "                          [--datum STATION=G[:SD]]... [--datum-file FILE]...\n"
    "                          [--reading-height CM] [--model readings|differences] [--drift-degree N]\n"
    "                          [--calibration] [--sd-factor F] [--sd-add A] [--sd-min M] [--alpha A]\n"
    "                          [--a-priori] [--remove-outliers] [--report OUT] [--csv OUT] [--json OUT]\n"
    "\n"
    "Adjusts a gravity network by weighted least squares: the gravity of every\n"
    "station, a drift polynomial per loop and optionally a calibration factor per\n"
    "meter, tied to stations of known gravity (datums), with the global chi2 test\n"
    "and Pope's tau test of every observation. Values in mGal, time in days.\n"
    "\n"
    "  SURVEY-FILE           a meter file; consecutive readings of a station within a\n"
    "                        loop form a setup (sigma below)\n"
    "  --format FORMAT       the survey files' format: auto (the default: recognised\n"
    "                        from the first lines), cg3 or cg5 or cg6 (Scintrex),\n"
    "                        aliod, or burris (ZLS); a loop is a CG-3 header block,\n"
    "                        an Aliod day, a CG-5/CG-6 line or a Burris day, per meter\n"
    "  --tide, --pressure, --nominal-pressure, --elevation, --polar, --ocean-load,\n"
    "  --ocean-load-distance\n"
    "                        the corrections of the survey files, as\n"
    "                        'bramble-cli reduce --help' describes them (drift is\n"
    "                        modelled here, never applied); a CG-5, CG-6 or Burris\n"
    "                        gravity keeps the tilt, temperature and drift\n"
    "                        corrections its meter applied\n"
    "  --lat, --lon, --serial, --operator, --temp\n"
    "                        the header Aliod files are read with, as for reduce\n"
    "  --project FILE        every survey of a saved project (.bramble), each with the\n"
    "                        corrections saved for it and without its rejected\n"
    "                        readings; may be given more than once\n"
    "  --setups FILE.csv     setups computed elsewhere, header loop,station,time,g,sd\n"
    "                        (optional temp, meter); time \"YYYY-MM-DD HH:MM:SS\" UT,\n"
    "                        g and sd in mGal, rows in time order within a loop; may\n"
    "                        be given more than once\n"
    "  --datum STATION=G[:SD]  a datum, mGal; SD 0 or left out holds it fixed\n"
    "  --datum-file FILE     a datum list (\"station gravity_uGal sd_uGal\" lines) or a\n"
    "                        Micro-g LaCoste absolute-gravity report (*.project.txt)\n"
    "  --reading-height CM   height above the mark to which absolute values are moved\n"
    "                        by their gradient (default 0: the mark)\n"
    "  --model MODEL         readings (default): each setup observes its station, with\n"
    "                        an offset per loop; differences: successive setups of a\n"
    "                        loop observe their difference\n"
    "  --drift-degree N      drift polynomial per loop, 0..3 (default 1)\n"
    "  --calibration         estimate one calibration factor per meter (needs datums\n"
    "                        at two stations or more)\n"
    "  --sd-factor F         a reading's sigma = max(M, sqrt((F*sd/sqrt(duration))^2\n"
    "  --sd-add A              + A^2)), without sd/duration where the meter gives\n"
    "  --sd-min M              none; defaults F 1, A 0.005 mGal, M 0.003 mGal (rows\n"
    "                          of setups files are taken as they stand)\n"
    "  --alpha A             significance of the tests (default 0.05)\n"
    "  --a-priori            station SDs from the a-priori SDs, not scaled by s0\n"
    "  --remove-outliers     remove the worst flagged observation and adjust again\n"
    "                        until none is flagged; the removed ones are listed\n"
    "  --report OUT          the readable report (OUT - for standard output)\n"
    "  --csv OUT             the station table station,g,sd,setups\n"
    "  --json OUT            everything as JSON\n"
    "\n"
    "Without --report, --csv and --json the report goes to standard output.\n"
    "Loops of the same name in different files are told apart as\n"
    "FILE:LOOP. Without a datum the first station is held at 0.\n"
    "Exit status: 0 adjusted (whatever the test verdict, which the outputs give),\n"
    "1 a file could not be read or written or the network cannot be adjusted,\n"
    "2 bad arguments.\n";

constexpr int kBadArguments = 2;
constexpr int kFailed = 1;

struct AdjustArguments {
    std::vector<std::string> surveyFiles, projectFiles, setupFiles, datumArgs, datumFiles;
    std::optional<MeterType> format;  // none: recognised per file
    CorrectionOptions corrections;    // for CG-3 and Aliod files
    double readingHeight = kDefaultReadingHeightCm;
    AdjustOptions options;
    SigmaOptions sigma;
    std::string report, csv, json;
};

// Reads the arguments; on a bad one writes why to `err` and returns false.
bool ParseArguments(const Args& args, AdjustArguments& a, std::ostream& err, bool& help)
{
    const auto fail = [&err](const std::string& why) {
        err << "bramble-cli adjust: " << why << "\n";
        return false;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&](std::string& field) {
            if (i + 1 >= args.size())
                return false;
            field = args[++i];
            return true;
        };
        const auto number = [&](double& field, double low, bool lowIncluded) {
            std::string text;
            if (!value(text))
                return false;
            const auto v = ParseFiniteNumber(text);
            if (!v || *v < low || (!lowIncluded && *v == low))
                return false;
            field = *v;
            return true;
        };
        std::string text;
        bool ok = true;
        if (arg == "--help" || arg == "-h") {
            help = true;
            return true;
        } else if (const OptionTaken taken = TakeCorrectionOption(args, i, a.corrections, "bramble-cli adjust", err);
                   taken != OptionTaken::no) {
            if (taken == OptionTaken::bad)
                return false;
        } else if (arg == "--format") {
            ok = value(text);
            if (ok && !FormatRefusal(text).empty())
                return fail(FormatRefusal(text));
            if (ok)
                a.format = MeterTypeFromName(text);  // none for auto
        } else if (arg == "--project") {
            ok = value(text);
            a.projectFiles.push_back(text);
        } else if (arg == "--setups") {
            ok = value(text);
            a.setupFiles.push_back(text);
        } else if (arg == "--datum") {
            ok = value(text);
            a.datumArgs.push_back(text);
        } else if (arg == "--datum-file") {
            ok = value(text);
            a.datumFiles.push_back(text);
        } else if (arg == "--reading-height") {
            ok = number(a.readingHeight, -1e6, true);
        } else if (arg == "--model") {
            ok = value(text);
            if (ok && text == "readings")
                a.options.model = ObservationModel::readings;
            else if (ok && text == "differences")
                a.options.model = ObservationModel::differences;
            else if (ok)
                return fail("--model takes readings or differences, not '" + text + "'");
        } else if (arg == "--drift-degree") {
            ok = value(text);
            if (ok && (text.size() != 1 || text[0] < '0' || text[0] > '3'))
                return fail("--drift-degree takes 0, 1, 2 or 3, not '" + text + "'");
            if (ok)
                a.options.driftDegree = text[0] - '0';
        } else if (arg == "--calibration") {
            a.options.calibration = true;
        } else if (arg == "--sd-factor") {
            ok = number(a.sigma.factor, 0.0, true);
        } else if (arg == "--sd-add") {
            ok = number(a.sigma.add, 0.0, true);
        } else if (arg == "--sd-min") {
            ok = number(a.sigma.minimum, 0.0, false);
        } else if (arg == "--alpha") {
            ok = number(a.options.alpha, 0.0, false) && a.options.alpha < 1.0;
        } else if (arg == "--a-priori") {
            a.options.aPriori = true;
        } else if (arg == "--remove-outliers") {
            a.options.removeOutliers = true;
        } else if (arg == "--report") {
            ok = value(a.report);
            if (ok && a.report.empty())
                return fail(EmptyOutputNameRefusal(arg));
        } else if (arg == "--csv") {
            ok = value(a.csv);
            if (ok && a.csv.empty())
                return fail(EmptyOutputNameRefusal(arg));
        } else if (arg == "--json") {
            ok = value(a.json);
            if (ok && a.json.empty())
                return fail(EmptyOutputNameRefusal(arg));
        } else if (arg.rfind("--", 0) == 0) {
            return fail("unknown option '" + arg + "'");
        } else {
            a.surveyFiles.push_back(arg);
        }
        if (!ok)
            return fail(i < args.size() && args[i] != arg ? "bad value '" + args[i] + "' for " + arg
                                                          : arg + " needs a value");
    }
    if (a.setupFiles.empty() && a.surveyFiles.empty() && a.projectFiles.empty())
        return fail("no setups: give survey files, --project FILE or --setups FILE.csv");
    return CheckCorrectionOptions(a.corrections, "bramble-cli adjust", err);
}

// The readings of one survey file through a reduction session with the
// correction options, as the windows would reduce it. Returns 0, or the
// exit status after saying why.
int ReadAdjustReadings(const std::string& file, MeterType type, const CorrectionOptions& corrections,
                       std::vector<AdjustReading>& readings, std::ostream& err)
{
    const std::string who = "bramble-cli adjust";
    const MeterKind meter = MeterKindOf(type);
    ReductionSession session;
    const ReadReport imported = session.Import(file, meter, corrections.header);
    if (!ReadSucceeded(imported, file, meter, who, err))
        return kFailed;
    session.SelectStations({});
    if (const int status = ApplyCorrectionOptions(session, corrections, who, err); status != 0)
        return status;
    readings = AdjustReadingsFromSession(session);
    return 0;
}

// Adds the readings of each survey of a project, named by its data file.
// Returns 0, or the exit status after saying why.
int ReadProjectReadings(const std::string& file, std::vector<SurveyReadings>& surveys, std::ostream& err)
{
    const std::string who = "bramble-cli adjust";
    const Result<std::unique_ptr<Project>> opened = LoadProject(file);
    for (const Message& m : opened.Messages())
        err << who << ": " << (m.severity == Severity::error ? "" : "warning: ") << m.text << "\n";
    if (!opened.HasValue())
        return kFailed;
    const Project& project = *opened.Value();
    if (project.SurveyCount() == 0) {
        err << who << ": " << file << " holds no survey\n";
        return kFailed;
    }
    for (int i = 0; i < project.SurveyCount(); ++i)
        surveys.push_back({project.Survey(i).path, AdjustReadingsFromSession(*project.Survey(i).session)});
    return 0;
}

}  // namespace

int RunAdjust(const Args& args, std::ostream& out, std::ostream& err)
{
    AdjustArguments a;
    bool help = false;
    if (!ParseArguments(args, a, err, help))
        return kBadArguments;
    if (help) {
        out << kAdjustHelp;
        return 0;
    }
    std::vector<SurveyReadings> surveys;
    for (const std::string& file : a.surveyFiles) {
        std::error_code ec;
        if (std::filesystem::is_directory(file, ec)) {
            err << "bramble-cli adjust: cannot read " << file << ": it is a folder\n";
            return kFailed;
        }
        const std::optional<MeterType> type = a.format ? a.format : RecogniseMeterType(file);
        if (!type) {
            err << "bramble-cli adjust: " << file << " is none of the meter files adjust reads (" << MeterTypesTried()
                << ")\n";
            return kFailed;
        }
        std::vector<AdjustReading> readings;
        if (const int status = ReadAdjustReadings(file, *type, a.corrections, readings, err); status != 0)
            return status;
        surveys.push_back({file, std::move(readings)});
    }
    for (const std::string& project : a.projectFiles)
        if (const int status = ReadProjectReadings(project, surveys, err); status != 0)
            return status;
    std::vector<std::string> warnings;
    std::vector<SetupSource> sources = SourcesFromSurveys(surveys, a.sigma, {}, warnings);
    for (const std::string& w : warnings)
        err << "bramble-cli adjust: warning: " << w << "\n";
    for (const std::string& file : a.setupFiles) {
        SetupsFile read = ReadSetupsCsv(file);
        if (read.Failed()) {
            err << "bramble-cli adjust: " << read.ErrorText() << "\n";
            return kFailed;
        }
        sources.push_back({file, std::move(read.Value())});
    }
    const std::vector<Setup> setups = CombineSources(std::move(sources));

    std::vector<Datum> datums;
    for (const std::string& text : a.datumArgs) {
        DatumsRead read = ParseDatumArgument(text);
        if (read.Failed()) {
            err << "bramble-cli adjust: " << read.ErrorText() << "\n";
            return kBadArguments;
        }
        datums.insert(datums.end(), read.Value().begin(), read.Value().end());
    }
    for (const std::string& file : a.datumFiles) {
        DatumsRead read = ReadDatumFile(file, a.readingHeight);
        if (read.Failed()) {
            err << "bramble-cli adjust: " << read.ErrorText() << "\n";
            return kFailed;
        }
        datums.insert(datums.end(), read.Value().begin(), read.Value().end());
    }

    const AdjustOutcome outcome = Adjust(setups, datums, a.options);
    // Its error, when there is one, comes after the warnings.
    for (const Message& m : outcome.Messages())
        err << "bramble-cli adjust: " << (m.severity == Severity::error ? "" : "warning: ") << m.text << "\n";
    if (!outcome.HasValue())
        return kFailed;
    const AdjustmentResult& r = outcome.Value();
    bool written = true;
    if (a.report.empty() && a.csv.empty() && a.json.empty())
        a.report.assign(1, '-');  // (plain assignment of "-" trips a GCC 12 -Wrestrict false alarm)
    if (!a.report.empty())
        written =
            WriteOutput("adjust", a.report, AdjustmentReport(r, outcome.Texts(Severity::warning)), out, err) && written;
    if (!a.csv.empty())
        written = WriteOutput("adjust", a.csv, AdjustmentStationCsv(r), out, err) && written;
    if (!a.json.empty())
        written = WriteOutput("adjust", a.json, AdjustmentJson(r), out, err) && written;
    return written ? 0 : kFailed;
}

}  // namespace bramble::cli
