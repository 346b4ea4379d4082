#include "session/ReductionSession.h"

#include <algorithm>
#include <set>
#include <utility>

#include "output/FinalOutput.h"
#include "output/FinalTexts.h"

namespace bramble {

ReductionSession::ReductionSession()
    : m_driftContext{m_doc, m_list, m_drift, m_settings, [this] { Recalculate(); }, [this] { RecalculateByRow(); }}
{
    // First among the document's views, so that the list and the settings
    // are ready before any window shows them.
    m_doc.AddView(this);
}

ReductionSession::~ReductionSession() { m_doc.RemoveView(this); }

void ReductionSession::OnUpdate(int hint)
{
    if (hint != UpdateHintOf(MeterKind::cg3) && hint != UpdateHintOf(MeterKind::aliod))
        return;
    m_list.Clear();
    m_list.Fill(hint);
    m_list.SortRowsByTime();
    ResetCorrectionsForImport(m_settings, m_doc);
}

ReadReport ReductionSession::Import(const std::string& path, MeterKind meter,
                                    const std::optional<AliodHeaderTexts>& header)
{
    Result<ImportedSurvey> read = ReadSurveyFile(path, meter, header.value_or(m_doc.m_AliodHeader));
    ReadReport result(static_cast<const Outcome&>(read));
    if (read.Value().counts)
        result.SetValue(*read.Value().counts);
    const Outcome adopted = Adopt(std::move(read.Value()));
    if (!read.Failed())
        result.Append(adopted);  // a file that could not be read has said so
    return result;
}

Outcome ReductionSession::Adopt(ImportedSurvey survey)
{
    if (!survey.counts || survey.counts->readings == 0 || survey.doc->m_Readings.empty())
        return Outcome::Error(NoReadingsText(survey.path, survey.meter));
    CKelpDoc& staged = *survey.doc;
    m_doc.ClearSurvey();
    m_doc.SetMeter(survey.meter);
    m_doc.m_strFilePath = survey.path;
    if (m_doc.m_bAliod)
        m_doc.m_AliodHeader = survey.header;
    // The records move over whole, so the "current" pointers stay valid.
    m_doc.m_Readings = std::move(staged.m_Readings);
    m_doc.m_Headers = std::move(staged.m_Headers);
    m_doc.m_pCurHeader = std::exchange(staged.m_pCurHeader, nullptr);
    m_doc.m_pCurStation = std::exchange(staged.m_pCurStation, nullptr);
    m_doc.m_pCurAliodHeader = std::exchange(staged.m_pCurAliodHeader, nullptr);
    m_doc.m_pCurAliodStation = std::exchange(staged.m_pCurAliodStation, nullptr);
    m_doc.m_nRecords = staged.m_nRecords;
    m_doc.UpdateAllViews(UpdateHintOf(survey.meter));
    return {};
}

Outcome ReductionSession::SelectStations(const std::vector<std::string>& names)
{
    m_list.SelectNone();
    if (names.empty()) {
        m_list.SelectAll();
        return {};
    }
    std::set<std::string> found;
    for (int row = 0; row < m_list.RowCount(); ++row) {
        const std::string& name = m_list.Reading(row).m_strStation;
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            m_list.SelectRow(row);
            found.insert(name);
        }
    }
    Outcome outcome;
    for (const std::string& name : names) {
        if (!found.count(name)) {
            outcome.AddError("no reading of " + m_doc.m_strFilePath + " has the station name '" + name + "'");
            break;
        }
    }
    return outcome;
}

RecalcResult ReductionSession::ApplyCorrections(const CorrectionSettings& chosen, const RecalcOptions& options)
{
    m_settings = chosen;
    return Recalculate(options);
}

RecalcResult ReductionSession::Recalculate(const RecalcOptions& options)
{
    return RecalcSelection(m_doc, m_list, m_settings, m_drift, m_summary, options);
}

RecalcResult ReductionSession::RecalculateByRow(const RecalcOptions& options)
{
    return RecalcSelectionByRow(m_doc, m_list, m_settings, m_drift, m_summary, options);
}

void ReductionSession::SetDriftRecalc(std::function<void()> recalc, std::function<void()> recalcByRow)
{
    m_driftContext.recalc = recalc ? std::move(recalc) : [this] { Recalculate(); };
    m_driftContext.recalcByRow = recalcByRow ? std::move(recalcByRow) : [this] { RecalculateByRow(); };
}

std::string ReductionSession::BeginDriftCommand(const CorrectionSettings& chosen)
{
    return bramble::BeginDriftCommand(m_driftContext, m_driftNames, chosen);
}

std::optional<std::string> ReductionSession::EndDriftCommand(DriftDialogModel& dialog, bool accepted)
{
    if (!accepted) {
        dialog.Cancel(m_driftNames);
        return std::nullopt;
    }
    FinishDriftCommand(dialog, m_driftNames);
    const std::vector<std::string>& names = dialog.Names();
    const int selection = dialog.Selection();
    if (selection < 0 || static_cast<std::size_t>(selection) >= names.size())
        return std::string();
    return names[static_cast<std::size_t>(selection)];
}

std::string ReductionSession::RunDriftCommand(const CorrectionSettings& chosen, DriftMode mode,
                                              const std::function<void(DriftDialogModel&)>& operate)
{
    const std::string line = BeginDriftCommand(chosen);
    DriftDialogModel dialog(m_driftContext, m_driftNames.m_DriftNames, m_driftNames.m_nDriftSel, mode, line);
    dialog.Start();
    if (operate)
        operate(dialog);
    dialog.Ok();
    return EndDriftCommand(dialog, true).value_or(std::string());
}

void ReductionSession::ComputeFinalTable() { ComputeFinalOutput(m_doc, m_list); }

std::string ReductionSession::FinalTableText() const { return FinalTextExport(m_doc); }

std::string ReductionSession::ExportSelectedText(ExportKind kind) const { return ExportSelected(m_list, m_doc, kind); }

}  // namespace bramble
