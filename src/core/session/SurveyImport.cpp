#include "session/SurveyImport.h"

#include <utility>

#include "meters/BurrisReader.h"
#include "meters/Cg5Reader.h"
#include "meters/Cg6Reader.h"
#include "meters/MeterDocument.h"

namespace bramble {

Result<ImportedSurvey> ReadSurveyFile(const std::string& path, MeterKind meter, const AliodHeaderTexts& header)
{
    ImportedSurvey survey;
    survey.doc = std::make_unique<CKelpDoc>();
    survey.meter = meter;
    survey.path = path;
    survey.header = header;
    survey.doc->m_AliodHeader = header;
    ReadReport read;
    switch (meter) {
    case MeterKind::cg3:
        read = survey.doc->ReadScintrexFile(path);
        break;
    case MeterKind::aliod:
        read = survey.doc->ReadAliodFile(path);
        break;
    case MeterKind::cg5:
        read = FillDocument(*survey.doc, ReadCg5File(path));
        break;
    case MeterKind::cg6:
        read = FillDocument(*survey.doc, ReadCg6File(path));
        break;
    case MeterKind::burris:
        read = FillDocument(*survey.doc, ReadBurrisFile(path));
        break;
    }
    survey.doc->SetMeter(meter);
    survey.counts = read.Optional();
    return Result<ImportedSurvey>::Of(std::move(survey), read);
}

std::string NoReadingsText(const std::string& path, MeterKind meter)
{
    const std::size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const char* what = "Scintrex CG-3 readings";
    switch (meter) {
    case MeterKind::cg3:
        break;
    case MeterKind::aliod:
        what = "Aliod reading lines";
        break;
    case MeterKind::cg5:
        what = "Scintrex CG-5 readings";
        break;
    case MeterKind::cg6:
        what = "Scintrex CG-6 readings";
        break;
    case MeterKind::burris:
        what = "Burris readings";
        break;
    }
    return name + " holds no " + what + ": the current survey is kept.";
}

}  // namespace bramble
