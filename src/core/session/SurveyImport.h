#pragma once

#include <memory>
#include <optional>
#include <string>

#include "result/Result.h"
#include "session/MeterKind.h"
#include "survey/AliodHeaderTexts.h"
#include "survey/CKelpDoc.h"

namespace bramble {

// A meter file read into a document of its own, not yet shown anywhere.
struct ImportedSurvey {
    std::unique_ptr<CKelpDoc> doc;  // never null
    MeterKind meter = MeterKind::cg3;
    std::string path;
    AliodHeaderTexts header;           // the Aliod header texts it was read with
    std::optional<ReadCounts> counts;  // empty when the file could not be opened
};

// Reads `path` as a file of `meter` (an Aliod file with the header texts
// `header`) into a new document. Touches nothing shared, so a window may run
// it on a worker thread. Always gives the survey, empty when the file could
// not be read; its messages are the reader's (CKelpDoc::ReadScintrexFile,
// FillDocument).
Result<ImportedSurvey> ReadSurveyFile(const std::string& path, MeterKind meter, const AliodHeaderTexts& header);

// Why a survey read from `path` replaces nothing: it holds no readings of
// the kind it was read as ("aliod-final.txt holds no Aliod reading lines:
// the current survey is kept.").
std::string NoReadingsText(const std::string& path, MeterKind meter);

}  // namespace bramble
