#pragma once

#include <functional>
#include <string>
#include <vector>

#include "corrections/DriftState.h"
#include "drift/DriftCalculation.h"
#include "result/Result.h"

namespace bramble {

class CKelpDoc;
class CStationList;
struct CorrectionSettings;

// What the drift commands and the drift dialog work on. `recalc` runs the
// corrections over the selection; `recalcByRow` is its variant for the
// Cancel path.
struct DriftContext {
    CKelpDoc& doc;
    CStationList& list;
    DriftState& drift;
    CorrectionSettings& settings;
    std::function<void()> recalc;
    std::function<void()> recalcByRow;
};

// The view's state of the drift commands. m_DriftNames[k] names entry k of
// the document's drift corrections.
struct DriftNames {
    std::vector<std::string> m_DriftNames{"None"};
    int m_nDriftSel = 0;
    bool m_bAddNextDrift = true;

    // Each selected reading's drift value and name before the command,
    // keyed by its station index so that a re-sorted list still restores
    // every reading's own values.
    struct Saved {
        int stationIndex = 0;
        double driftCorr = 0.0;
        std::string driftName;
    };
    std::vector<Saved> m_Saved;
};

// The start of the three drift commands: saves the selected readings' drift
// values and names (unless the dialog's Cancel path is re-running), fits
// the drift line to the readings' gravity before drift under the `chosen`
// tide, pressure and polar settings, gives the readings their drifts and,
// while m_bAddNextDrift is set, appends the result to the document.
// Returns the initial drift line of the dialog.
std::string BeginDriftCommand(DriftContext& ctx, DriftNames& names, const CorrectionSettings& chosen);

// The drift dialog without its widgets: the names, the selected entry, the
// drift line being edited, and every button's operation.
class DriftDialogModel {
public:
    DriftDialogModel(DriftContext& ctx, std::vector<std::string> names, int startSelection, DriftMode mode,
                     std::string initialLine);

    // Clamps the starting selection into the list and selects it.
    void Start();

    const std::vector<std::string>& Names() const { return m_names; }
    int Selection() const { return m_selection; }
    DriftMode Mode() const { return m_mode; }
    const std::string& Line() const { return m_line; }
    void SetLine(std::string line) { m_line = std::move(line); }

    // Makes entry k current, shows its line and applies it (Update).
    void SelectionChange(int k);
    // Applies the current entry with the line as edited, shows each selected
    // row's drift correction and name and sets its working gravity to the
    // gravity before drift the line was fitted to.
    void Update();

    // Input / Calculate Drift Correction, before the small dialog opens:
    // rows sorted by time, selected readings marked with the current name
    // and a starred suffix, the regression recomputed. Gives the prefill.
    struct AddPrefill {
        std::string rate;  // c1 as "%9.3f"
        DateTime start;    // t0
        std::string name;  // "New Drift Correction"
    };
    AddPrefill BeginAdd();
    // After the small dialog: on OK a new named entry (typed or the
    // regression) is appended and selected; either way the rows go back to
    // the sort column they had. A typed rate that is not numbers
    // (ReadDriftRate) adds nothing and gives its error.
    Outcome FinishAdd(bool accepted, bool input, const std::string& name, const DateTime& start,
                      const std::string& rateText);

    // Removes the selected entry (never entry 0) and selects entry 0.
    void Delete();
    // OK: applies the selected entry; the readings keep fully corrected gravity.
    void Ok();
    // Cancel: puts the saved drift values and names back and recomputes.
    void Cancel(DriftNames& names);

private:
    std::string LineOf(int k) const;
    void MarkSelected(const std::string& starredName);

    DriftContext& m_ctx;
    std::vector<std::string> m_names;
    int m_selection = 0;
    DriftMode m_mode;
    std::string m_line;
    int m_rememberedSortColumn = 0;
};

// The end of a drift command after the dialog's OK: the names come back,
// later calculations stop appending, and (except in apply mode) the
// selection is remembered.
void FinishDriftCommand(const DriftDialogModel& dialog, DriftNames& names);

}  // namespace bramble
