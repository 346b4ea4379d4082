#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QString>
#include <QWidget>

#include "corrections/CorrectionSettings.h"
#include "corrections/DriftState.h"
#include "corrections/SelectionSummary.h"
#include "drift/DriftSession.h"
#include "mainwnd/CStationList.h"
#include "output/ExportSelected.h"
#include "survey/DocumentObserver.h"

class QItemSelection;
class QLineEdit;
class QMenu;
class QPushButton;

namespace bramble {

class CDisplayDlg;
class CKelpDoc;
class CRawDlg;
class StationListModel;
class StationTableView;

// The one view of the main window: "Number of Points", the station list
// (one row per reading, a check box per row that always equals the row's
// selection) and the six command buttons. It keeps the list's state in a
// CStationList, so that every feature can work on the rows without the
// widget, and shows it through a model that makes cells on demand.
class CKelpView final : public QWidget, public IDocumentObserver {
    Q_OBJECT
public:
    // Registers itself with `doc`, which must outlive the view.
    explicit CKelpView(CKelpDoc& doc, QWidget* parent = nullptr);
    ~CKelpView() override;

    // Builds the empty, disabled list and resets the view-held settings.
    void OnInitialUpdate();
    // Rebuilds the rows after a load: hint 0 CG-3 data, 1 Aliod data.
    void OnUpdate(int hint) override;

    // The row becomes selected, focused and checked / unselected and unchecked.
    void SelectRow(int row);
    void DeselectRow(int row);
    void OnSelectAll();
    void OnSelectNone();
    void SortRowsByTime();
    void SortByColumn(int column);

    // Raw: the data-file lines of the selected readings in the "RawText"
    // window (created on first use, kept, rebuilt each time); nothing
    // selected gives "Error: No file availiable".
    void OnRaw();
    // Plot: recomputes the selection and shows it in the "Station
    // Information" window (created on first use, kept, rebuilt each time).
    void OnPlot();
    // "&Final Output": averages the selected readings per station, shows
    // the "Final Output Dialog" and, when it closes, sorts the list again
    // by its sort column.
    void OnFinalOutput();
    // "&Export Selected (Excel)" / "Export Selected (Report)".
    void OnExportSelected(ExportKind kind);

    // Button 1110: the Corrections dialog; its OK stores the settings here
    // and recomputes the selection. The pressure list edits stay either way.
    void OnCorrections();
    // Recomputes the selected rows with the settings held here, shows their
    // correction cells and keeps the summary for the plot. The pipeline's
    // warnings are shown only when asked (after the Corrections dialog).
    void RecalcSelection(bool showWarnings = false);
    // The same for the drift dialog's Cancel path.
    void RecalcSelectionByRow();

    // "&Calculate Drift..." and "&Apply Corrections..." of the popup menu.
    void OnCalculateDrift();
    void OnApplyDriftCorrections();
    // One drift command with the given tide option; the name chosen on OK.
    std::optional<std::string> RunDriftCommand(int tideMode, DriftMode mode);
    // The rows changed order or cells behind the model's back: show them again.
    void RowsChanged();

    CStationList& StationList() { return m_List; }
    const CStationList& StationList() const { return m_List; }
    StationTableView* table() const { return m_pTable; }
    QMenu* popupMenu() const { return m_pPopup; }

    int m_nRows = 0;
    std::vector<std::string> m_PressureList;
    // The drift names (m_DriftNames), the remembered selection and the
    // saved copy of the drift commands.
    DriftNames m_Drifts;
    // The corrections' settings (their pressure entries are m_PressureList),
    // the last drift regression and the selection summary of the last run.
    CorrectionSettings m_Corrections;
    DriftState m_Drift;
    SelectionSummary m_Summary;
    // The plot window; a child of the view, null until the first Plot.
    CDisplayDlg* m_dlgDisplay = nullptr;
    // The raw text window; without owner (a window of its own), null until
    // the first Raw.
    std::unique_ptr<CRawDlg> m_dlgRaw;
    // The last export file, offered by the next "Export Selected".
    QString m_strExportFile;

private:
    void BuildPopupMenu();
    void EnableControls(bool enable);
    // Selection model -> station list (clicks, Shift/Ctrl clicks, keyboard).
    void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    // Check box -> selection model.
    void OnRowCheckToggled(int row, bool checked);
    // After the rows were rebuilt or reordered: selection model <- station list.
    void RestoreSelection();
    void ShowRowCount();

    CKelpDoc& m_doc;
    CStationList m_List;
    StationListModel* m_pModel = nullptr;
    StationTableView* m_pTable = nullptr;
    QLineEdit* m_pRowsEdit = nullptr;
    std::vector<QPushButton*> m_Buttons;   // 1097, 1098, 1099, 1100, 1110, 1168
    QMenu* m_pPopup = nullptr;
    bool m_bSyncing = false;   // the view is itself changing the selection model
};

}  // namespace bramble
