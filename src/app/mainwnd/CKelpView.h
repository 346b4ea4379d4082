#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QString>
#include <QWidget>

#include "drift/DriftSession.h"
#include "mainwnd/CStationList.h"
#include "output/ExportSelected.h"
#include "session/ReductionSession.h"
#include "survey/DocumentObserver.h"

class QAction;
class QHBoxLayout;
class QItemSelection;
class QLineEdit;
class QMenu;
class QPushButton;

namespace bramble {

class CDisplayDlg;
class CRawDlg;
class StationListModel;
class StationTableView;

// The one view of the main window: "Number of Points", the station list
// (one row per reading, a check box per row that always equals the row's
// selection) and the six command buttons. It shows a ReductionSession,
// which holds the list's rows, the settings and the drift state, through a
// model that makes cells on demand, and hands every command to it.
class CKelpView final : public QWidget, public IDocumentObserver {
    Q_OBJECT
public:
    // Registers itself with the session's document; `session` must outlive the view.
    explicit CKelpView(ReductionSession& session, QWidget* parent = nullptr);
    ~CKelpView() override;

    // Shows the empty, disabled list; the drift names start over.
    void OnInitialUpdate();
    // Shows the rows the session rebuilt after a load: hint 0 CG-3 data, 1 Aliod data.
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

    // Button 1110: the Corrections dialog; its OK gives the settings to the
    // session, which recomputes the selection. The pressure list edits stay
    // either way.
    void OnCorrections();
    // Recomputes the selected rows with the session's settings and shows
    // their correction cells; the summary is the session's.
    void RecalcSelection();
    // The same for the drift dialog's Cancel path.
    void RecalcSelectionByRow();

    // "&Calculate Drift..." and "&Apply Corrections..." of the popup menu.
    void OnCalculateDrift();
    void OnApplyDriftCorrections();
    // One drift command with the given tide option; the name chosen on OK.
    std::optional<std::string> RunDriftCommand(const CorrectionSettings& chosen, DriftMode mode);
    // The rows changed order or cells behind the model's back: show them again.
    void RowsChanged();
    // The session's whole state was replaced (undo, another project or
    // survey): show it all again, in the plot and raw windows too while they
    // are open.
    void ShowSession();
    // Puts `widget` at the right end of the row of "Number of Points".
    void AddToTopRow(QWidget* widget);

    // "Reject Reading..." (asks the reason) and "Restore Reading" of the
    // popup menu, for the row under the pointer.
    void OnRejectReading(int row);
    void OnRestoreReading(int row);
    // Told before and after every command that may change the reduction
    // (the project's undo steps).
    void SetCommandHooks(std::function<void()> begin, std::function<void(const QString&)> end);

    ReductionSession& Session() { return m_session; }
    const ReductionSession& Session() const { return m_session; }
    CStationList& StationList() { return m_session.List(); }
    const CStationList& StationList() const { return m_session.List(); }
    StationTableView* table() const { return m_pTable; }
    QMenu* popupMenu() const { return m_pPopup; }
    // "Number of Points" as shown.
    int RowCountShown() const { return m_nRows; }

    // The plot window (a child of the view) and the raw text window (a
    // window of its own); null until the first Plot and Raw.
    CDisplayDlg* displayWindow() const { return m_dlgDisplay; }
    CRawDlg* rawWindow() const { return m_dlgRaw.get(); }
    // The last export file, offered by the next "Export Selected".
    const QString& lastExportFile() const { return m_strExportFile; }

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
    // The correction cells of every row changed: repaint them.
    void ShowCorrectionCells();
    void ShowOceanLoadColumn();

    // Begins a command for the hooks; ends it when it goes out of scope.
    class CommandScope;

    ReductionSession& m_session;
    std::function<void()> m_beginCommand;
    std::function<void(const QString&)> m_endCommand;
    int m_nPopupRow = -1;
    QAction* m_pRejectAction = nullptr;
    QAction* m_pRestoreAction = nullptr;
    CKelpDoc& m_doc;
    CStationList& m_List;
    int m_nRows = 0;
    CDisplayDlg* m_dlgDisplay = nullptr;  // a child of the view
    std::unique_ptr<CRawDlg> m_dlgRaw;    // without owner: a window of its own
    QString m_strExportFile;
    StationListModel* m_pModel = nullptr;
    StationTableView* m_pTable = nullptr;
    QLineEdit* m_pRowsEdit = nullptr;
    QHBoxLayout* m_pTopRow = nullptr;
    std::vector<QPushButton*> m_Buttons;  // 1097, 1098, 1099, 1100, 1110, 1168
    QMenu* m_pPopup = nullptr;
    bool m_bSyncing = false;  // the view is itself changing the selection model
};

}  // namespace bramble
