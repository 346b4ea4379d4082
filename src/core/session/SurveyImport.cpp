#include "session/SurveyImport.h"

#include <vector>

namespace bramble {
namespace {

// The reader's messages for the operator ("File not valid").
class CollectErrors final : public IMessageSink {
public:
    void ShowMessage(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

}  // namespace

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
    CollectErrors errors;
    survey.doc->SetMessageSink(&errors);
    survey.doc->m_AliodHeader = header;
    survey.report = meter == MeterKind::aliod ? survey.doc->ReadAliodFile(path) : survey.doc->ReadScintrexFile(path);
    survey.doc->SetMessageSink(nullptr);

    Outcome outcome;
    for (std::string& text : errors.texts)
        outcome.AddError(std::move(text));
    for (const std::string& warning : survey.report.warnings)
        outcome.AddWarning(warning);
    return Result<ImportedSurvey>::Of(std::move(survey), std::move(outcome));
}

}  // namespace bramble
