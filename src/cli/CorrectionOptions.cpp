#include "CorrectionOptions.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "ReadSurvey.h"
#include "SeriesOptions.h"
#include "corrections/Pressure.h"
#include "oceanload/SurveyOceanLoad.h"
#include "session/ReductionSession.h"
#include "session/TideChoice.h"

namespace bramble::cli {
namespace {

constexpr int kBadArguments = 2;
constexpr int kFileError = 1;

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

}  // namespace

int TideModeOf(const std::string& tide)
{
    if (tide == "longman")
        return kTideLongman;
    if (tide == "berger")
        return kTideBerger;
    if (tide == "none")
        return kTideNone;
    return -1;
}

OptionTaken TakeCorrectionOption(const Args& args, std::size_t& i, CorrectionOptions& o, const std::string& who,
                                 std::ostream& err)
{
    const std::string& a = args[i];
    const auto value = [&](std::string& field) {
        if (i + 1 >= args.size()) {
            err << who << ": option " << a << " needs a value\n";
            return false;
        }
        field = args[++i];
        return true;
    };
    const auto taken = [](bool ok) { return ok ? OptionTaken::yes : OptionTaken::bad; };
    if (std::string* field = AliodHeaderField(o.header, a)) {
        o.headerGiven = true;
        return taken(value(*field));
    }
    if (a == "--tide") {
        if (!value(o.tide))
            return OptionTaken::bad;
        if (TideModeOf(o.tide) < 0) {
            err << who << ": --tide takes longman, berger or none, not '" << o.tide << "'\n";
            return OptionTaken::bad;
        }
        return OptionTaken::yes;
    }
    if (a == "--pressure") {
        std::string entry;
        if (!value(entry))
            return OptionTaken::bad;
        if (!IsPressureEntry(entry)) {
            err << who << ": '" << entry << "' is not a pressure entry (\"MM/DD/YYYY  HH:MM:SS  hPa\")\n";
            return OptionTaken::bad;
        }
        o.pressures.push_back(entry);
        return OptionTaken::yes;
    }
    if (a == "--nominal-pressure")
        return taken(value(o.nominalPressure));
    if (a == "--elevation")
        return taken(value(o.elevation));
    if (a == "--polar")
        return taken(value(o.polar));
    if (a == "--ocean-load") {
        if (!value(o.oceanLoad))
            return OptionTaken::bad;
        if (o.oceanLoad.empty()) {
            err << who << ": --ocean-load needs the name of a BLQ file\n";
            return OptionTaken::bad;
        }
        return OptionTaken::yes;
    }
    if (a == "--ocean-load-distance")
        return taken(value(o.oceanLoadDistance));
    return OptionTaken::no;
}

bool CheckCorrectionOptions(const CorrectionOptions& o, const std::string& who, std::ostream& err)
{
    const auto fail = [&](const std::string& why) {
        err << who << ": " << why << "\n";
        return false;
    };
    double number = 0.0;
    if (!o.nominalPressure.empty() && !o.elevation.empty())
        return fail("give either --nominal-pressure or --elevation, not both");
    if (!o.nominalPressure.empty() && !ParseNumber(o.nominalPressure, number))
        return fail("--nominal-pressure needs a number, not '" + o.nominalPressure + "'");
    if (!o.elevation.empty() && !ParseNumber(o.elevation, number))
        return fail("--elevation needs a number, not '" + o.elevation + "'");
    if (!o.oceanLoadDistance.empty()) {
        if (o.oceanLoad.empty())
            return fail("--ocean-load-distance goes with --ocean-load");
        if (!ParseNumber(o.oceanLoadDistance, number))
            return fail("--ocean-load-distance needs a number of km, not '" + o.oceanLoadDistance + "'");
        if (const Outcome distance = CheckBlqMatchDistance(number); distance.Failed())
            return fail("--ocean-load-distance " + o.oceanLoadDistance + ": " + distance.ErrorText());
    }
    return true;
}

int ApplyCorrectionOptions(ReductionSession& session, const CorrectionOptions& o, const std::string& who,
                           std::ostream& err)
{
    CorrectionsDialogModel dialog = session.OpenCorrections();
    if (!o.polar.empty()) {
        const Result<bool> polar = dialog.ReadPolarTable(o.polar);
        PrintMessages(polar, who, err);
        if (polar.Failed())
            return kFileError;
        if (polar.Value())
            dialog.Settings().m_bApplyPolar = true;
    }
    if (!o.oceanLoad.empty()) {
        double km = 0.0;
        if (ParseNumber(o.oceanLoadDistance, km))
            PrintMessages(dialog.SetBlqMatchDistance(km), who, err);  // checked with the arguments
        const Result<SurveyOceanLoad> ocean = dialog.ReadBlqFile(o.oceanLoad);
        PrintMessages(ocean, who, err);
        if (ocean.Failed())
            return kFileError;
    }
    if (!o.pressures.empty()) {
        dialog.Settings().m_PressureList = SortPressureEntries(o.pressures);
        PrintMessages(dialog.ApplyPressures(dialog.Settings().m_PressureList), who, err);
    }
    double number = 0.0;
    if (!o.nominalPressure.empty() && ParseNumber(o.nominalPressure, number))
        dialog.Settings().m_dNominalPressure = number;
    if (!o.elevation.empty() && ParseNumber(o.elevation, number)) {
        dialog.Settings().m_dNominalElevation = number;
        if (dialog.SetNominalFromElevation().Failed()) {
            err << who << ": --elevation must lie between " << kMinNominalElevationM << " and "
                << kMaxNominalElevationM << " m, not '" << o.elevation << "'\n";
            return kBadArguments;
        }
    }
    if (const int mode = TideModeOf(o.tide); mode >= 0) {
        const Outcome offered = CheckTideMode(session.Meter(), mode);
        if (offered.Failed()) {
            err << who << ": --tide " << o.tide << ": " << offered.Messages().front().text << "\n";
            return kBadArguments;
        }
        PrintMessages(dialog.SetTideMode(mode), who, err);
    }
    PrintMessages(session.ApplyCorrections(dialog.Settings()), who, err);
    return 0;
}

}  // namespace bramble::cli
