#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "corrections/CorrectionSettings.h"
#include "corrections/DriftState.h"
#include "corrections/RecalcSelection.h"
#include "corrections/SelectionSummary.h"
#include "drift/DriftSession.h"
#include "mainwnd/CStationList.h"
#include "output/ExportSelected.h"
#include "result/Result.h"
#include "session/CorrectionsDialogModel.h"
#include "session/MeterKind.h"
#include "session/SurveyImport.h"
#include "survey/CKelpDoc.h"
#include "survey/DocumentObserver.h"

namespace bramble {

// One survey's reduction, without any window: the document, its station
// list with the selection, the correction settings, the drift state and
// names, and the summary of the last recomputation, with the operations the
// program's windows and bramble-cli both carry out on them. A front end
// shows this state and asks the session to change it; it decides no rule.
//
// Owns everything it holds. Front ends keep references to the document and
// the list for as long as the session lives. Nothing here throws; what an
// operation has to say comes back as a Result or Outcome.
class ReductionSession final : private IDocumentObserver {
public:
    ReductionSession();
    ~ReductionSession() override;
    ReductionSession(const ReductionSession&) = delete;
    ReductionSession& operator=(const ReductionSession&) = delete;

    CKelpDoc& Document() { return m_doc; }
    const CKelpDoc& Document() const { return m_doc; }
    CStationList& List() { return m_list; }
    const CStationList& List() const { return m_list; }
    MeterKind Meter() const { return m_doc.Meter(); }
    const CorrectionSettings& Corrections() const { return m_settings; }
    const DriftState& Drift() const { return m_drift; }
    const DriftNames& Drifts() const { return m_driftNames; }
    const SelectionSummary& Summary() const { return m_summary; }

    // --- Import ---------------------------------------------------------
    // Reads `path` as a file of `meter` and makes it the session's survey
    // (see Adopt). An Aliod file is read with `header`, or without one with
    // the texts of the previous Aliod import. The reader's outcome: the
    // counts unless the file could not be opened, and the reader's messages;
    // a survey that replaces nothing adds why.
    ReadReport Import(const std::string& path, MeterKind meter,
                      const std::optional<AliodHeaderTexts>& header = std::nullopt);
    // Makes a survey read elsewhere (ReadSurveyFile, e.g. on a worker
    // thread) the session's survey and refreshes every view of the document.
    // A survey without readings (a file that could not be read, or that
    // holds none) replaces nothing: the current survey stays, with its
    // corrections, and the error says why.
    Outcome Adopt(ImportedSurvey survey);
    // Every import rebuilds the list (in time order, none selected) and
    // resets the corrections for the new survey (ResetCorrectionsForImport).

    // True when the survey has work on it that an import would throw away:
    // corrections or drift applied to any reading.
    bool HasCorrectionsApplied() const { return m_list.AnyCorrectionShown(); }

    // --- Selection ------------------------------------------------------
    // Selects the readings of the named stations (exact names), or every
    // reading when none is named; the other rows are deselected. An error
    // names a station no reading has.
    Outcome SelectStations(const std::vector<std::string>& names);

    // --- Corrections ----------------------------------------------------
    // The Corrections dialog's model, opened on the settings held here.
    CorrectionsDialogModel OpenCorrections() { return CorrectionsDialogModel(m_doc, m_settings); }
    // The dialog's OK: takes the settings and recomputes the selection. The
    // messages are the recomputation's warnings.
    RecalcResult ApplyCorrections(const CorrectionSettings& chosen, const RecalcOptions& options = {});
    // The pressure list as the dialog left it; its edits stay after Cancel.
    void KeepPressureEntries(std::vector<std::string> entries) { m_settings.m_PressureList = std::move(entries); }
    // Recomputes the selected rows with the settings held here (the drift
    // dialog's Cancel path: RecalculateByRow). See RecalcSelection.
    RecalcResult Recalculate(const RecalcOptions& options = {});
    RecalcResult RecalculateByRow(const RecalcOptions& options = {});

    // --- Drift ----------------------------------------------------------
    // The drift dialog works on this context. By default its recomputations
    // are Recalculate and RecalculateByRow; a window replaces them with its
    // own that show progress and repaint the list (empty functions give the
    // session's own back).
    DriftContext& DriftCommandContext() { return m_driftContext; }
    void SetDriftRecalc(std::function<void()> recalc, std::function<void()> recalcByRow);
    // A new window: only "None", the next calculation is appended.
    void ResetDriftNames() { m_driftNames = DriftNames{}; }
    // The start of "&Calculate Drift...", "&Apply Corrections..." or the
    // Corrections dialog's "Calculate Drift..." with the settings chosen
    // (Corrections(), or the dialog's as they stand): the selection's
    // gravity before drift under their tide, pressure and polar steps is
    // fitted; returns the drift dialog's first line. The dialog opens on
    // Drifts().m_DriftNames and m_nDriftSel.
    std::string BeginDriftCommand(const CorrectionSettings& chosen);
    // The end of it: OK keeps the dialog's names and gives the name chosen;
    // Cancel puts the readings back and gives nothing.
    std::optional<std::string> EndDriftCommand(DriftDialogModel& dialog, bool accepted);
    // A whole drift command without a window: `operate` does what the
    // operator does in the dialog, then OK. Gives the name chosen. Its
    // recomputations say nothing: their warnings came with the corrections.
    std::string RunDriftCommand(const CorrectionSettings& chosen, DriftMode mode,
                                const std::function<void(DriftDialogModel&)>& operate);

    // --- Outputs --------------------------------------------------------
    // "&Final Output": the selected readings averaged per station.
    void ComputeFinalTable();
    // Its "&Export Text" file.
    std::string FinalTableText() const;
    // "Export Selected" of the kind.
    std::string ExportSelectedText(ExportKind kind) const;

    // --- Saved state ----------------------------------------------------
    // Every part of the state that the operations change, for taking a
    // snapshot of it and putting one back (undo, project files: see
    // project/SessionSnapshot.h). Not for carrying out operations.
    struct StateParts {
        CKelpDoc& doc;
        CStationList& list;
        CorrectionSettings& settings;
        DriftState& drift;
        DriftNames& driftNames;
        SelectionSummary& summary;
    };
    StateParts State() { return {m_doc, m_list, m_settings, m_drift, m_driftNames, m_summary}; }

private:
    void OnUpdate(int hint) override;

    CKelpDoc m_doc;
    CStationList m_list{m_doc};
    CorrectionSettings m_settings;
    DriftState m_drift;
    DriftNames m_driftNames;
    SelectionSummary m_summary;
    DriftContext m_driftContext;
};

}  // namespace bramble
