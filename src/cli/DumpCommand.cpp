#include <cstdio>
#include <string>

#include "Commands.h"
#include "ReadSurvey.h"

namespace bramble::cli {
namespace {

constexpr const char* kDumpHelp =
    "usage: bramble-cli dump FILE [--aliod] [--lat DEG] [--lon DEG] [--serial N] [--operator TEXT] [--temp DEG]\n"
    "\n"
    "Reads a meter file and prints every header and every reading with all their\n"
    "fields, tab-separated, one record per line.\n"
    "\n"
    "  FILE             a Scintrex CG-3 dump, or an Aliod file with --aliod\n"
    "  --aliod          read FILE as comma-separated Aliod readings\n"
    "  --lat DEG        Aliod header: average latitude of the survey area\n"
    "  --lon DEG        Aliod header: average longitude (east positive)\n"
    "  --serial N       Aliod header: meter serial number\n"
    "  --operator TEXT  Aliod header: operator\n"
    "  --temp DEG       Aliod header: operating temperature\n"
    "\n"
    "Exit status: 0 done, 1 FILE could not be read or holds no reading, 2 bad\n"
    "arguments.\n";

std::string Num(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    return buffer;
}

std::string When(const DateTime& dt)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.9f", dt.value());
    return dt.format("%Y-%m-%d %H:%M:%S") + " (" + buffer + (dt.isValid() ? "" : ", invalid") + ")";
}

void PrintScintrexHeader(const CScintrexHeader& h, std::ostream& out)
{
    out << "header\t" << h.m_nIndex << '\t' << h.m_nStations << '\t' << h.m_nCycleTime << '\t' << h.m_nSerNo
        << '\t' << h.m_nLine << '\t' << h.m_nGrid << '\t' << h.m_nJob << '\t' << When(h.m_dtDate) << '\t'
        << h.m_strOperator << '\t' << h.m_nGref << '\t' << Num(h.m_dGcal1) << '\t' << Num(h.m_dGcal2) << '\t'
        << Num(h.m_dTempco) << '\t' << Num(h.m_dDriftConst) << '\t' << When(h.m_dtDriftStart) << '\t'
        << Num(h.m_dTiltXSens) << '\t' << Num(h.m_dTiltYSens) << '\t' << Num(h.m_dLatitude) << '\t'
        << Num(h.m_dLongitude) << '\t' << h.m_nGmtDiff << '\t' << h.m_nCalAfter << '\t' << h.m_strTiltCorrected
        << '\n';
}

void PrintAliodHeader(const CAliodHeader& h, std::ostream& out)
{
    out << "aliod-header\t" << h.m_nIndex << '\t' << h.m_nStations << '\t' << Num(h.m_dSerialNumber) << '\t'
        << Num(h.m_dLatitude) << '\t' << Num(h.m_dLongitude) << '\t' << Num(h.m_dOperTemp) << '\t'
        << h.m_strOperator << '\n';
}

void PrintCommon(const CReading& r, std::ostream& out)
{
    out << '\t' << Num(r.m_dPressure) << '\t' << Num(r.m_PolarMotion.m_dX) << '\t' << Num(r.m_PolarMotion.m_dY)
        << '\t' << Num(r.m_dTideCorr) << '\t' << Num(r.m_dPressureCorr) << '\t' << Num(r.m_dPolarCorr) << '\t'
        << Num(r.m_dDriftCorr) << '\t' << r.m_strDriftName << '\t' << r.m_strNote << '\n';
}

void PrintScintrexReading(const CScintrexStation& r, std::ostream& out)
{
    out << "reading\t" << (r.m_pHeader ? r.m_pHeader->m_nIndex : 0) << '\t' << r.m_nRecord << '\t'
        << r.m_nStationIndex << '\t' << r.m_strStation << '\t' << Num(r.m_dGrav) << '\t' << Num(r.m_dRawGrav)
        << '\t' << Num(r.m_dGravLessEtc) << '\t' << Num(r.m_dStdDev) << '\t' << When(r.m_dtTime) << '\t'
        << r.m_nTiltX << '\t' << r.m_nTiltY << '\t' << Num(r.m_dTemp) << '\t' << Num(r.m_dEtc) << '\t'
        << Num(r.m_dEtcRead) << '\t' << r.m_nDur << '\t' << r.m_nRejected;
    PrintCommon(r, out);
}

void PrintAliodReading(const CAliodStation& r, std::ostream& out)
{
    out << "aliod-reading\t" << (r.m_pHeader ? r.m_pHeader->m_nIndex : 0) << '\t' << r.m_nRecord << '\t'
        << r.m_strStation << '\t' << When(r.m_dtTime) << '\t' << Num(r.m_dGrav) << '\t' << Num(r.m_dGravLessEtc)
        << '\t' << Num(r.m_dRawGrav) << '\t' << r.m_nLongLevel << '\t' << r.m_nCrossLevel << '\t'
        << Num(r.m_dTemp) << '\t' << Num(r.m_dAliodField7) << '\t' << Num(r.m_dAliodField8);
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

}  // namespace

int RunDump(const Args& args, std::ostream& out, std::ostream& err)
{
    std::string path;
    bool aliod = false;
    CKelpDoc doc;
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
        } else if (a == "--lat") {
            ok = value(doc.m_strAvgLatitude);
        } else if (a == "--lon") {
            ok = value(doc.m_strAvgLongitude);
        } else if (a == "--serial") {
            ok = value(doc.m_strSerialNumber);
        } else if (a == "--operator") {
            ok = value(doc.m_strOperator);
        } else if (a == "--temp") {
            ok = value(doc.m_strOperTemp);
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
    CollectMessages messages;
    doc.SetMessageSink(&messages);
    const std::optional<ReadReport> report = ReadSurvey(doc, path, aliod, "bramble-cli dump", err);
    if (!report)
        return 1;
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
    for (const std::string& warning : report->warnings)
        err << "warning: " << warning << '\n';
    return 0;
}

}  // namespace bramble::cli
