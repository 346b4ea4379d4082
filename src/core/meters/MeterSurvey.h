#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "survey/DateTime.h"
#include "survey/MeterKinds.h"

namespace bramble {

// Which corrections the meter itself had already added to the gravity it
// wrote. Bramble's own tide choice replaces the meter's tide part only;
// the others stay in the gravity as the meter made them.
struct AppliedCorrections {
    bool tide = false;
    bool tilt = false;
    bool temperature = false;
    bool drift = false;
};

// One reading as the meter wrote it. A value the meter does not give is
// empty, never 0. Units: mGal, arc-seconds for tilts (CG-5, CG-6), the
// meter's own temperature unit, seconds, degrees (east positive), metres.
struct MeterReading {
    std::string station;
    std::string meter;           // serial or name of the meter that took it
    std::string loop;            // the loop it belongs to, as the file names it
    DateTime time;               // UT
    double gravity = 0.0;        // with the corrections in `applied`
    std::optional<double> tide;  // the meter's own tide correction (added)
    std::optional<double> sd;
    std::optional<double> tiltX;
    std::optional<double> tiltY;
    std::optional<double> temperature;
    std::optional<double> duration;   // s
    std::optional<int> rejected;      // samples the meter rejected
    std::optional<double> latitude;   // this reading's own, else the header's
    std::optional<double> longitude;  // east positive
    std::optional<double> elevation;
    std::optional<double> instrumentHeight;
    AppliedCorrections applied;
    bool rejectedReading = false;  // the whole reading marked as not to be used
    int line = 0;                  // 1-based line of the file
};

// Something the reader had to say about a line (0: the file as a whole).
struct ReadIssue {
    int line = 0;
    std::string text;
    std::string message() const { return line > 0 ? "line " + std::to_string(line) + ": " + text : text; }
};

// What the header of a file says about the whole survey.
struct SurveyFacts {
    std::string surveyName;
    std::string instrument;
    std::string operatorName;
    std::optional<double> latitude;      // degrees north
    std::optional<double> longitude;     // degrees east
    std::optional<double> elevation;     // metres
    std::optional<double> gmtDiffHours;  // UT = time written + this
    std::optional<bool> meterTide;       // the header's tide-correction switch
    // Every header entry as written (name, value), in file order.
    std::vector<std::pair<std::string, std::string>> entries;
};

// A meter file read into the model every meter shares.
struct MeterSurvey {
    MeterKind kind = MeterKind::burris;
    bool opened = false;  // false: the file could not be read at all
    SurveyFacts facts;
    std::vector<MeterReading> readings;
    std::vector<ReadIssue> issues;  // lines left out and other warnings
};

}  // namespace bramble
