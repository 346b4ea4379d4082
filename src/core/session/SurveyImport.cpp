#include "session/SurveyImport.h"

#include <utility>

namespace bramble {

Result<ImportedSurvey> ReadSurveyFile(const std::string& path, MeterKind meter, const AliodHeaderTexts& header)
{
    ImportedSurvey survey;
    survey.doc = std::make_unique<CKelpDoc>();
    survey.meter = meter;
    survey.path = path;
    survey.header = header;
    if (meter != MeterKind::cg3 && meter != MeterKind::aliod) {
        // CG-5, CG-6 and Burris files go to the network adjustment, not the list.
        survey.meter = MeterKind::cg3;
        return Result<ImportedSurvey>::Of(
            std::move(survey), Outcome::Error("only CG-3 dumps and Aliod files are read into the station list"));
    }
    survey.doc->m_AliodHeader = header;
    const ReadReport read =
        meter == MeterKind::aliod ? survey.doc->ReadAliodFile(path) : survey.doc->ReadScintrexFile(path);
    survey.counts = read.Optional();
    return Result<ImportedSurvey>::Of(std::move(survey), read);
}

std::string NoReadingsText(const std::string& path, MeterKind meter)
{
    const std::size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name + " holds no " + (meter == MeterKind::aliod ? "Aliod reading lines" : "Scintrex CG-3 readings") +
           ": the current survey is kept.";
}

}  // namespace bramble
