#include <cstdio>
#include <filesystem>
#include <string>

#include "Commands.h"
#include "output/StringPrintf.h"
#include "ReadSurvey.h"
#include "meters/BurrisReader.h"
#include "meters/Cg5Reader.h"
#include "meters/Cg6Reader.h"
#include "meters/DocumentSurvey.h"
#include "meters/SurveyJson.h"
#include "survey/MeterTypeGuess.h"

namespace bramble::cli {
namespace {

constexpr const char* kDumpHelp =
    "usage: bramble-cli dump FILE [--format auto|cg3|aliod|cg5|cg6|burris] [--json] [--aliod]\n"
    "                       [--lat DEG] [--lon DEG] [--serial N] [--operator TEXT] [--temp DEG]\n"
    "\n"
    "Reads a meter file and prints every header and every reading with all their\n"
    "fields, tab-separated, one record per line; with --json one JSON object.\n"
    "\n"
    "  FILE             a Scintrex CG-3 dump, an Aliod, CG-5, CG-6 or Burris file\n"
    "  --format KIND    the meter that wrote FILE; auto (the default) recognises it\n"
    "                   from its content\n"
    "  --json           print one JSON object: format, readings (station, time in\n"
    "                   UT, gravity, sd, tide, latitude, longitude east, elevation,\n"
    "                   loop, rejected) and warnings\n"
    "  --aliod          read FILE as comma-separated Aliod readings (--format aliod)\n"
    "  --lat DEG        Aliod header: average latitude of the survey area\n"
    "  --lon DEG        Aliod header: average longitude (east positive)\n"
    "  --serial N       Aliod header: meter serial number\n"
    "  --operator TEXT  Aliod header: operator\n"
    "  --temp DEG       Aliod header: operating temperature\n"
    "\n"
    "Exit status: 0 done, 1 FILE could not be read or holds no reading, 2 bad\n"
    "arguments.\n";

std::string Num(double value) { return StringPrintf("%.10g", value); }

std::string When(const DateTime& dt)
{
    return dt.format("%Y-%m-%d %H:%M:%S") + " (" + StringPrintf("%.9f", dt.value()) +
           (dt.isValid() ? "" : ", invalid") + ")";
}

void PrintScintrexHeader(const CScintrexHeader& h, std::ostream& out)
{
    out << "header\t" << h.m_nIndex << '\t' << h.m_nStations << '\t' << h.m_nCycleTime << '\t' << h.m_nSerNo << '\t'
        << h.m_nLine << '\t' << h.m_nGrid << '\t' << h.m_nJob << '\t' << When(h.m_dtDate) << '\t' << h.m_strOperator
        << '\t' << h.m_nGref << '\t' << Num(h.m_dGcal1) << '\t' << Num(h.m_dGcal2) << '\t' << Num(h.m_dTempco) << '\t'
        << Num(h.m_dDriftConst) << '\t' << When(h.m_dtDriftStart) << '\t' << Num(h.m_dTiltXSens) << '\t'
        << Num(h.m_dTiltYSens) << '\t' << Num(h.m_dLatitude) << '\t' << Num(h.m_dLongitude) << '\t' << h.m_nGmtDiff
        << '\t' << h.m_nCalAfter << '\t' << h.m_strTiltCorrected << '\n';
}

void PrintAliodHeader(const CAliodHeader& h, std::ostream& out)
{
    out << "aliod-header\t" << h.m_nIndex << '\t' << h.m_nStations << '\t' << Num(h.m_dSerialNumber) << '\t'
        << Num(h.m_dLatitude) << '\t' << Num(h.m_dLongitude) << '\t' << Num(h.m_dOperTemp) << '\t' << h.m_strOperator
        << '\n';
}

void PrintCommon(const CReading& r, std::ostream& out)
{
    out << '\t' << Num(r.m_dPressure) << '\t' << Num(r.m_PolarMotion.m_dX) << '\t' << Num(r.m_PolarMotion.m_dY) << '\t'
        << Num(r.m_dTideCorr) << '\t' << Num(r.m_dPressureCorr) << '\t' << Num(r.m_dPolarCorr) << '\t'
        << Num(r.m_dDriftCorr) << '\t' << r.m_strDriftName << '\t' << r.m_strNote << '\n';
}

void PrintScintrexReading(const CScintrexStation& r, std::ostream& out)
{
    out << "reading\t" << (r.m_pHeader ? r.m_pHeader->m_nIndex : 0) << '\t' << r.m_nRecord << '\t' << r.m_nStationIndex
        << '\t' << r.m_strStation << '\t' << Num(r.m_dGrav) << '\t' << Num(r.m_dRawGrav) << '\t'
        << Num(r.m_dGravLessEtc) << '\t' << Num(r.m_dStdDev) << '\t' << When(r.m_dtTime) << '\t' << r.m_nTiltX << '\t'
        << r.m_nTiltY << '\t' << Num(r.m_dTemp) << '\t' << Num(r.m_dEtc) << '\t' << Num(r.m_dEtcRead) << '\t'
        << r.m_nDur << '\t' << r.m_nRejected;
    PrintCommon(r, out);
}

void PrintAliodReading(const CAliodStation& r, std::ostream& out)
{
    out << "aliod-reading\t" << (r.m_pHeader ? r.m_pHeader->m_nIndex : 0) << '\t' << r.m_nRecord << '\t'
        << r.m_strStation << '\t' << When(r.m_dtTime) << '\t' << Num(r.m_dGrav) << '\t' << Num(r.m_dGravLessEtc) << '\t'
        << Num(r.m_dRawGrav) << '\t' << r.m_nLongLevel << '\t' << r.m_nCrossLevel << '\t' << Num(r.m_dTemp) << '\t'
        << Num(r.m_dAliodField7) << '\t' << Num(r.m_dAliodField8);
    PrintCommon(r, out);
}

constexpr const char* kColumns =
    "# header\tindex\tstations\tcycle time\tser no\tline\tgrid\tjob\tdate\toperator\tgref\tgcal1\tgcal2\t"
    "tempco\tdrift const\tdrift start\ttilt x sens\ttilt y sens\tlatitude\tlongitude\tgmt diff\tcal after\t"
    "tilt corrected\n"
    "# aliod-header\tindex\tstations\tserial number\tlatitude\tlongitude\toper temp\toperator\n"
    "# reading\theader\trecord\tstation index\tstation\tgrav\traw grav\tgrav less etc\tstd dev\ttime\t"
    "tilt x\ttilt y\ttemp\tetc\tetc read\tdur\trejected\tpressure\tpole x\tpole y\ttide corr\tpressure corr\t"
    "polar corr\tdrift corr\tdrift name\tnote\n"
    "# aliod-reading\theader\trecord\tstation\ttime\tgrav\tgrav less etc\traw grav\tlong level\tcross level\t"
    "temp\tfield 7\tfield 8\tpressure\tpole x\tpole y\ttide corr\tpressure corr\tpolar corr\tdrift corr\t"
    "drift name\tnote\n";

std::string Opt(const std::optional<double>& value) { return value ? Num(*value) : std::string(); }

std::string Applied(const AppliedCorrections& a)
{
    std::string text;
    for (const auto& [on, name] :
         {std::pair{a.tide, "tide"}, {a.tilt, "tilt"}, {a.temperature, "temp"}, {a.drift, "drift"}})
        if (on)
            text += text.empty() ? name : std::string(" ") + name;
    return text;
}

constexpr const char* kMeterColumns =
    "# survey\tformat\tsurvey name\tinstrument\toperator\tlatitude\tlongitude\tgmt diff\tmeter tide\n"
    "# entry\tname\tvalue\n"
    "# meter-reading\tline\tstation\tmeter\tloop\ttime (UT)\tgravity\ttide\tsd\ttilt x\ttilt y\ttemp\tdur\t"
    "rej\tlatitude\tlongitude (east)\televation\theight\tapplied\n";

// The CG-5, CG-6 and Burris readings: the model every meter shares, with
// an empty field for a value the meter does not give.
void PrintMeterSurvey(const MeterSurvey& s, std::ostream& out)
{
    const SurveyFacts& f = s.facts;
    out << kMeterColumns << "survey\t" << MeterKindName(s.kind) << '\t' << f.surveyName << '\t' << f.instrument << '\t'
        << f.operatorName << '\t' << Opt(f.latitude) << '\t' << Opt(f.longitude) << '\t' << Opt(f.gmtDiffHours) << '\t'
        << (f.meterTide ? (*f.meterTide ? "yes" : "no") : "") << '\n';
    for (const auto& [name, value] : f.entries)
        out << "entry\t" << name << '\t' << value << '\n';
    for (const MeterReading& r : s.readings)
        out << "meter-reading\t" << r.line << '\t' << r.station << '\t' << r.meter << '\t' << r.loop << '\t'
            << r.time.format("%Y-%m-%d %H:%M:%S") << '\t' << Num(r.gravity) << '\t' << Opt(r.tide) << '\t' << Opt(r.sd)
            << '\t' << Opt(r.tiltX) << '\t' << Opt(r.tiltY) << '\t' << Opt(r.temperature) << '\t' << Opt(r.duration)
            << '\t' << (r.rejected ? std::to_string(*r.rejected) : std::string()) << '\t' << Opt(r.latitude) << '\t'
            << Opt(r.longitude) << '\t' << Opt(r.elevation) << '\t' << Opt(r.instrumentHeight) << '\t'
            << Applied(r.applied) << '\n';
}

const char* MeterLabel(MeterType type)
{
    switch (type) {
    case MeterType::cg5:
        return "CG-5";
    case MeterType::cg6:
        return "CG-6";
    case MeterType::burris:
        return "Burris";
    case MeterType::aliod:
        return "Aliod";
    case MeterType::scintrex:
        break;
    }
    return "CG-3";
}

// Reads a CG-5, CG-6 or Burris file; refuses an unreadable or empty one.
std::optional<MeterSurvey> ReadMeterSurvey(MeterType type, const std::string& path, std::ostream& err)
{
    MeterSurvey survey = type == MeterType::cg5   ? ReadCg5File(path)
                         : type == MeterType::cg6 ? ReadCg6File(path)
                                                  : ReadBurrisFile(path);
    if (!survey.opened) {
        err << "bramble-cli dump: cannot read " << path << ": it could not be opened\n";
        return std::nullopt;
    }
    if (survey.readings.empty()) {
        for (const ReadIssue& issue : survey.issues)
            err << "warning: " << issue.message() << '\n';
        err << "bramble-cli dump: no readings in " << path << ": it holds no " << MeterLabel(type) << " readings\n";
        return std::nullopt;
    }
    return survey;
}

int DumpMeterFile(MeterType type, const std::string& path, bool json, std::ostream& out, std::ostream& err)
{
    const std::optional<MeterSurvey> survey = ReadMeterSurvey(type, path, err);
    if (!survey)
        return 1;
    if (json) {
        out << SurveyToJson(*survey) << '\n';
        return 0;
    }
    PrintMeterSurvey(*survey, out);
    for (const ReadIssue& issue : survey->issues)
        err << "warning: " << issue.message() << '\n';
    return 0;
}

}  // namespace

int RunDump(const Args& args, std::ostream& out, std::ostream& err)
{
    std::string path;
    std::string format = "auto";
    bool aliod = false;
    bool json = false;
    CKelpDoc doc;
    // The same header values as bramble-cli reduce for the same options.
    doc.m_AliodHeader = DefaultAliodHeaderTexts();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& field) {
            if (i + 1 >= args.size())
                return false;
            field = args[++i];
            return true;
        };
        bool ok = true;
        if (a == "--help" || a == "-h") {
            out << kDumpHelp;
            return 0;
        } else if (a == "--aliod") {
            aliod = true;
        } else if (a == "--json") {
            json = true;
        } else if (a == "--format") {
            ok = value(format);
            if (ok && !FormatRefusal(format).empty()) {
                err << "bramble-cli dump: " << FormatRefusal(format) << "\n";
                return 2;
            }
        } else if (std::string* field = AliodHeaderField(doc.m_AliodHeader, a)) {
            ok = value(*field);
        } else if (!a.empty() && a[0] == '-') {
            err << "bramble-cli dump: unknown option " << a << "\n" << kDumpHelp;
            return 2;
        } else if (path.empty()) {
            path = a;
        } else {
            err << "bramble-cli dump: only one FILE may be given\n";
            return 2;
        }
        if (!ok) {
            err << "bramble-cli dump: option " << a << " needs a value\n";
            return 2;
        }
    }
    if (path.empty()) {
        err << "bramble-cli dump: no FILE given\n" << kDumpHelp;
        return 2;
    }
    // The kind: --format or --aliod, else recognised from the content.
    const FormatChoice choice = ChooseFormat(path, format, aliod, "bramble-cli dump", err);
    if (!choice.type)
        return choice.status;
    const MeterType type = *choice.type;
    if (type == MeterType::cg5 || type == MeterType::cg6 || type == MeterType::burris)
        return DumpMeterFile(type, path, json, out, err);
    const std::optional<ReadReport> report = ReadSurvey(doc, path, type == MeterType::aliod, "bramble-cli dump", err);
    if (!report)
        return 1;
    if (json) {
        out << SurveyToJson(SurveyFromDocument(doc, *report, type == MeterType::aliod)) << '\n';
        return 0;
    }
    out << kColumns;
    for (const auto& header : doc.m_Headers) {
        if (header->isAliod())
            PrintAliodHeader(static_cast<const CAliodHeader&>(*header), out);
        else
            PrintScintrexHeader(static_cast<const CScintrexHeader&>(*header), out);
    }
    for (const auto& reading : doc.m_Readings) {
        if (reading->isAliod())
            PrintAliodReading(static_cast<const CAliodStation&>(*reading), out);
        else
            PrintScintrexReading(static_cast<const CScintrexStation&>(*reading), out);
    }
    PrintReadMessages(*report, err);
    return 0;
}

}  // namespace bramble::cli
