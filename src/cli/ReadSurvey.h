#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "result/Result.h"
#include "session/MeterKind.h"
#include "survey/AliodHeaderTexts.h"
#include "survey/CKelpDoc.h"
#include "survey/MeterTypeGuess.h"

namespace bramble::cli {

// The field of `header` that an Aliod header option (--lat, --lon, --serial,
// --operator, --temp) sets, or null for any other argument. dump and reduce
// both start from DefaultAliodHeaderTexts(), so that they read an Aliod file
// with the same header for the same options.
std::string* AliodHeaderField(AliodHeaderTexts& header, const std::string& option);

// Why `path` cannot be a meter file before it is opened ("there is no such
// file", "it is a folder"), or empty.
std::string NotAFile(const std::string& path);

// NotAFile said on `err` as a line starting with `who`; false when it said something.
bool CheckReadable(const std::string& path, const std::string& who, std::ostream& err);

// Reads `path` into `doc` as a Scintrex CG-3 dump or, with `aliod`, as
// Aliod readings (the Aliod header values already in `doc`). A missing
// path, a folder, a file that cannot be opened or one that holds no reading
// is refused: the reader's warnings and a line saying what is wrong go to
// `err`, each line starting with `who`, and nothing is returned.
std::optional<ReadReport> ReadSurvey(CKelpDoc& doc, const std::string& path, bool aliod, const std::string& who,
                                     std::ostream& err);

// The meter kind of `path` for --format (auto, cg3, aliod, cg5, cg6 or
// burris) and --aliod: the one named, else the one recognised from the
// content. A --format with another name, or --aliod with another kind, is a
// bad argument (status 2); a file that cannot be read or matches no kind is
// refused (status 1). Each refusal is a line on `err` starting with `who`.
// Why `format` is no value of --format (auto, cg3, aliod, cg5, cg6, burris);
// empty when it is one.
std::string FormatRefusal(const std::string& format);

struct FormatChoice {
    std::optional<MeterType> type;
    int status = 0;
};
FormatChoice ChooseFormat(const std::string& path, const std::string& format, bool aliod, const std::string& who,
                          std::ostream& err);

// After a read by the session: prints the reader's warnings, and refuses a
// file that could not be opened or holds no reading with a line saying so.
bool ReadSucceeded(const ReadReport& read, const std::string& path, MeterKind meter, const std::string& who,
                   std::ostream& err);

// Prints the messages of a read as warnings. A file the reader refused has
// its reason among them; the command's own line that refuses the file
// follows them.
void PrintReadMessages(const Outcome& read, std::ostream& err);

// Prints each message of an outcome once: errors as "WHO: text", warnings
// as "warning: text", information as it stands.
void PrintMessages(const Outcome& outcome, const std::string& who, std::ostream& err);

}  // namespace bramble::cli
