#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "survey/AliodHeaderTexts.h"

namespace bramble {
class ReductionSession;
}

namespace bramble::cli {

// The Corrections dialog's choices as options of reduce and adjust, and the
// Aliod header a CG-3/Aliod survey is read with: one parser and one way of
// handing them to a session for both commands.
struct CorrectionOptions {
    bool headerGiven = false;                             // any of the five Aliod header options
    AliodHeaderTexts header = DefaultAliodHeaderTexts();  // what the Aliod Header Creator opens with
    std::string tide;                                     // empty: the dialog's default for the meter type
    std::vector<std::string> pressures;
    std::string nominalPressure;
    std::string elevation;
    std::string polar;
    std::string oceanLoad;          // the BLQ file
    std::string oceanLoadDistance;  // km; empty: the dialog's
};

enum class OptionTaken { no, yes, bad };

// Takes args[i] (moving i past its value) when it is --tide, --pressure,
// --nominal-pressure, --elevation, --polar, --ocean-load,
// --ocean-load-distance or an Aliod header option.
// `bad`: the reason went to `err` after `who`.
OptionTaken TakeCorrectionOption(const Args& args, std::size_t& i, CorrectionOptions& o, const std::string& who,
                                 std::ostream& err);

// The checks once all arguments are read; false after saying why on `err`.
bool CheckCorrectionOptions(const CorrectionOptions& o, const std::string& who, std::ostream& err);

// The tide option of --tide, or -1 for the dialog's default.
int TideModeOf(const std::string& tide);

// The Corrections dialog as the operator fills it in with the options (polar
// table, ocean-loading file and distance, pressure entries, nominal pressure, tide), then OK, on the
// session's selection. Warnings go to `err`. Returns 0, or the exit status
// for a polar table or BLQ file that cannot be read (1) or an elevation or tide option
// the survey does not take (2).
int ApplyCorrectionOptions(ReductionSession& session, const CorrectionOptions& o, const std::string& who,
                           std::ostream& err);

}  // namespace bramble::cli
