#pragma once

#include <optional>
#include <string>

#include "survey/MeterKinds.h"

namespace bramble {

enum class MeterType { scintrex, aliod, cg5, cg6, burris };

// Which meter wrote a file, from its first lines: a "SCINTREX" header is a
// CG-3 dump; a "/" line naming the CG-5 or CG-6, or either's column line,
// a CG-5 or CG-6 file; a first data line "station, YYYY-MM-DD ..." Aliod
// data; a line of 15 or 16 fields with a date and a time of day in the
// Burris places a Burris file. Empty when no line of the first ones
// decides, when the file cannot be read, and for anything that is not a
// regular file: a pipe or a device is not looked into, since looking would
// take the lines the read needs (and opening a pipe waits for a writer).
std::optional<MeterType> RecogniseMeterType(const std::string& path);

// The same, for a file that comes without the operator's choice (a file
// dropped on the window or named on the command line): a file that matches
// no kind is taken as a CG-3 dump.
MeterType GuessMeterType(const std::string& path);

// "cg3", "aliod", "cg5", "cg6", "burris": the names of --format.
const char* MeterTypeName(MeterType type);
std::optional<MeterType> MeterTypeFromName(const std::string& name);

// The document's meter kind of a recognised type.
MeterKind MeterKindOf(MeterType type);

// "CG-3, Aliod, CG-5, CG-6 and Burris": what recognition tries, for the
// message that refuses a file matching none.
std::string MeterTypesTried();

}  // namespace bramble
