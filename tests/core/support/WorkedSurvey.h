#pragma once

// A survey reduced as an operator would: the CG-3 example with the Berger
// tide, pressure entries, the polar table, a drift correction fitted to the
// base station and applied to every reading, a reading rejected and the
// final table made; and everything that a front end shows of a session, as
// text, for comparing two sessions byte for byte.

#include <string>

#include "output/ExportSelected.h"
#include "session/ReductionSession.h"

namespace bramble::test {

inline const std::string kCg3Example = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
inline const std::string kAliodExample = BRAMBLE_EXAMPLES "/aliod-loop.csv";
inline const std::string kPolarExample = BRAMBLE_EXAMPLES "/finals2000A-2019-03-06.daily";

inline void ReduceAsAnOperatorWould(ReductionSession& session, const std::string& polarTable = kPolarExample)
{
    session.SelectStations({"1"});
    CorrectionsDialogModel dialog = session.OpenCorrections();
    (void)dialog.ReadPolarTable(polarTable);
    dialog.Settings().m_bApplyPolar = true;
    dialog.Settings().m_PressureList = {"03/12/2019  21:30:12  1011.5", "03/13/2019  15:35:02  1016.25"};
    (void)dialog.ApplyPressures(dialog.Settings().m_PressureList);
    dialog.Settings().m_dNominalPressure = 1013.0;
    (void)dialog.SetTideMode(kTideBerger);
    session.ApplyCorrections(dialog.Settings());
    const CorrectionSettings chosen = session.Corrections();
    session.RunDriftCommand(chosen, DriftMode::calculate, [](DriftDialogModel& drift) {
        const DriftDialogModel::AddPrefill prefill = drift.BeginAdd();
        drift.FinishAdd(true, false, prefill.name, prefill.start, prefill.rate);
    });
    session.SelectStations({});
    session.List().Reject(3, "tilted: the meter was bumped");
    session.RunDriftCommand(chosen, DriftMode::apply, {});
    session.ComputeFinalTable();
}

// Every cell of the list, the summary, the final table and both exports.
inline std::string EverythingShown(const ReductionSession& session)
{
    std::string text;
    const CStationList& list = session.List();
    for (int row = 0; row < list.RowCount(); ++row) {
        for (int column = 0; column < CStationList::kColumnCount; ++column)
            text.append(list.Text(row, column)).append(1, '|');
        text += list.IsSelected(row) ? "selected|" : "|";
        text += list.RejectionReason(row) + "\n";
    }
    for (int field = SelectionSummary::kGrav; field <= SelectionSummary::kTime; ++field)
        text.append(session.Summary().Text(static_cast<SelectionSummary::Field>(field))).append(1, '|');
    text.append(1, '\n').append(session.FinalTableText());
    text += session.ExportSelectedText(ExportKind::excel);
    text += session.ExportSelectedText(ExportKind::report);
    return text;
}

}  // namespace bramble::test
