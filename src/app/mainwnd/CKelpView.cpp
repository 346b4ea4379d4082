#include "mainwnd/CKelpView.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "charts/CDisplayDlg.h"
#include "corrections/CDlgCorrections.h"
#include "corrections/RecalcWithProgress.h"
#include "charts/DriftPlot.h"
#include "drift/CDlgDriftCorrect.h"
#include "drift/DriftCommand.h"
#include "mainwnd/AppIcon.h"
#include "mainwnd/CopyRows.h"
#include "mainwnd/CRawDlg.h"
#include "mainwnd/StationListModel.h"
#include "mainwnd/StationTableView.h"
#include "output/CDlgFinalOutput.h"
#include "output/ExportSelectedCommand.h"
#include "output/FinalOutput.h"
#include "output/TabSeparated.h"
#include "survey/CKelpDoc.h"

namespace bramble {
namespace {

constexpr int kHintScintrex = 0;
constexpr int kHintAliod = 1;

}  // namespace

class CKelpView::CommandScope {
public:
    CommandScope(CKelpView& view, QString label) : m_view(view), m_label(std::move(label))
    {
        if (m_view.m_beginCommand)
            m_view.m_beginCommand();
    }
    ~CommandScope()
    {
        if (m_view.m_endCommand)
            m_view.m_endCommand(m_label);
    }
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

private:
    CKelpView& m_view;
    QString m_label;
};

CKelpView::CKelpView(ReductionSession& session, QWidget* parent)
    : QWidget(parent), m_session(session), m_doc(session.Document()), m_List(session.List())
{
    setObjectName("kelpView");

    auto* rowsLabel = new QLabel("Number of Points", this);
    m_pRowsEdit = new QLineEdit(this);
    m_pRowsEdit->setObjectName("rowsEdit");
    m_pRowsEdit->setEnabled(false);
    m_pRowsEdit->setAlignment(Qt::AlignRight);
    m_pRowsEdit->setFixedWidth(90);

    m_pModel = new StationListModel(m_List, this);
    m_pTable = new StationTableView(this);
    m_pTable->setObjectName("stationList");
    m_pTable->setModel(m_pModel);
    for (int c = 0; c < CStationList::kColumnCount; ++c) {
        const int width = CStationList::Columns()[static_cast<std::size_t>(c)].width;
        if (width > 0)  // never narrower than its title
            m_pTable->setColumnWidth(c, std::max(width, m_pTable->horizontalHeader()->sectionSizeHint(c)));
        // "Station Index" and "m_dt" are always hidden but still hold their
        // texts; the ocean-loading column is hidden while its correction is off.
        m_pTable->setColumnHidden(c, m_List.ColumnWidth(c) == 0);
    }
    m_pTable->setColumnWidth(StationListModel::kReasonColumn, 200);
    m_pTable->setContextMenuPolicy(Qt::CustomContextMenu);
    InstallCopyRows(m_pTable, [this] { return SelectedRowsText(m_List); });

    struct ButtonText {
        const char* caption;
        const char* name;
    };
    const ButtonText buttons[] = {{"Select &None", "selectNoneButton"},     {"Select &All", "selectAllButton"},
                                  {"&Plot Graph...", "plotButton"},         {"&Display Raw...", "rawButton"},
                                  {"&Corrections...", "correctionsButton"}, {"&Final Output...", "finalOutputButton"}};
    auto* buttonRow = new QHBoxLayout;
    for (const ButtonText& text : buttons) {
        auto* button = new QPushButton(text.caption, this);
        button->setObjectName(text.name);
        button->setAutoDefault(false);
        m_Buttons.push_back(button);
        buttonRow->addWidget(button);
    }
    buttonRow->addStretch(1);

    auto* topRow = new QHBoxLayout;
    topRow->addWidget(rowsLabel);
    topRow->addWidget(m_pRowsEdit);
    topRow->addStretch(1);
    m_pTopRow = topRow;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topRow);
    layout->addWidget(m_pTable, 1);
    layout->addLayout(buttonRow);

    connect(m_Buttons[0], &QPushButton::clicked, this, &CKelpView::OnSelectNone);
    connect(m_Buttons[1], &QPushButton::clicked, this, &CKelpView::OnSelectAll);
    connect(m_Buttons[2], &QPushButton::clicked, this, &CKelpView::OnPlot);
    connect(m_Buttons[3], &QPushButton::clicked, this, &CKelpView::OnRaw);
    connect(m_Buttons[4], &QPushButton::clicked, this, &CKelpView::OnCorrections);
    connect(m_Buttons[5], &QPushButton::clicked, this, &CKelpView::OnFinalOutput);

    connect(m_pTable->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CKelpView::OnSelectionChanged);
    connect(m_pModel, &StationListModel::rowCheckToggled, this, &CKelpView::OnRowCheckToggled);
    connect(m_pTable->horizontalHeader(), &QHeaderView::sectionClicked, this, &CKelpView::SortByColumn);
    BuildPopupMenu();
    connect(m_pTable, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        m_nPopupRow = m_pTable->indexAt(pos).row();
        const bool rejected = m_List.IsRejected(m_nPopupRow);
        m_pRejectAction->setEnabled(m_nPopupRow >= 0 && !rejected);
        m_pRestoreAction->setEnabled(rejected);
        m_pPopup->popup(m_pTable->viewport()->mapToGlobal(pos));
    });

    m_doc.AddView(this);
    // The drift dialog's recomputations show progress and repaint the list.
    m_session.SetDriftRecalc([this] { RecalcSelection(); },
                             [this] {
                                 m_session.RecalculateByRow();
                                 RowsChanged();
                             });
}

CKelpView::~CKelpView()
{
    m_session.SetDriftRecalc({}, {});  // the session's own again
    m_doc.RemoveView(this);
}

void CKelpView::BuildPopupMenu()
{
    m_pPopup = new QMenu(this);
    m_pPopup->setObjectName("stationPopup");
    m_pPopup->addAction("&Raw...", this, &CKelpView::OnRaw);
    m_pPopup->addAction("&Plot...", this, &CKelpView::OnPlot);
    m_pPopup->addSeparator();
    m_pPopup->addAction("&Select All", this, &CKelpView::OnSelectAll);
    m_pPopup->addAction("Select &None", this, &CKelpView::OnSelectNone);
    m_pPopup->addSeparator();
    m_pPopup->addAction("&Export Selected (Excel)", this, [this] { OnExportSelected(ExportKind::excel); });
    m_pPopup->addAction("Export Selected (Report)", this, [this] { OnExportSelected(ExportKind::report); });
    m_pPopup->addSeparator();
    m_pPopup->addAction("&Calculate Drift...", this, &CKelpView::OnCalculateDrift);
    m_pPopup->addAction("&Apply Corrections...", this, &CKelpView::OnApplyDriftCorrections);
    m_pPopup->addAction("&Final Output", this, &CKelpView::OnFinalOutput);
    m_pPopup->addSeparator();
    m_pRejectAction = m_pPopup->addAction("Reject Reading...", this, [this] { OnRejectReading(m_nPopupRow); });
    m_pRejectAction->setObjectName("actionRejectReading");
    m_pRestoreAction = m_pPopup->addAction("Restore Reading", this, [this] { OnRestoreReading(m_nPopupRow); });
    m_pRestoreAction->setObjectName("actionRestoreReading");
}

void CKelpView::SetCommandHooks(std::function<void()> begin, std::function<void(const QString&)> end)
{
    m_beginCommand = std::move(begin);
    m_endCommand = std::move(end);
}

void CKelpView::OnRejectReading(int row)
{
    if (row < 0 || row >= m_List.RowCount() || m_List.IsRejected(row))
        return;
    QInputDialog dialog(this);
    dialog.setObjectName("rejectReadingDialog");
    dialog.setWindowTitle("Reject Reading");
    dialog.setLabelText(QString("Why is reading %1 of station %2 rejected?")
                            .arg(QString::fromStdString(m_List.Text(row, CStationList::kRecord)),
                                 QString::fromStdString(m_List.Text(row, CStationList::kStation))));
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString reason = dialog.textValue().simplified();
    if (reason.isEmpty())
        reason = "rejected";
    CommandScope command(*this, "Reject Reading");
    m_List.Reject(row, reason.toStdString());
    DeselectRow(row);
    emit m_pModel->dataChanged(m_pModel->index(row, 0), m_pModel->index(row, StationListModel::kReasonColumn));
}

void CKelpView::OnRestoreReading(int row)
{
    if (!m_List.IsRejected(row))
        return;
    CommandScope command(*this, "Restore Reading");
    m_List.Readmit(row);
    emit m_pModel->dataChanged(m_pModel->index(row, 0), m_pModel->index(row, StationListModel::kReasonColumn));
}

void CKelpView::ShowSession()
{
    m_nRows = m_doc.m_nRecords;
    m_pModel->beginRebuild();
    m_pModel->endRebuild();
    ShowOceanLoadColumn();
    EnableControls(m_List.RowCount() > 0);
    ShowRowCount();
    RestoreSelection();
    // The open windows show the survey now shown, without recomputing it;
    // with nothing selected they have nothing to show.
    const bool selected = m_List.SelectedCount() > 0;
    if (m_dlgDisplay && m_dlgDisplay->isVisible()) {
        if (selected) {
            m_dlgDisplay->SetSummary(m_session.Summary());
            m_dlgDisplay->UpdateData(false);
            m_dlgDisplay->Build();
        } else {
            m_dlgDisplay->hide();
        }
    }
    if (m_dlgRaw && m_dlgRaw->isVisible()) {
        if (selected) {
            m_dlgRaw->SetSource(m_doc, m_List, m_List.SortColumn());
            m_dlgRaw->Rebuild();
        } else {
            m_dlgRaw->hide();
        }
    }
}

void CKelpView::AddToTopRow(QWidget* widget) { m_pTopRow->addWidget(widget); }

void CKelpView::OnInitialUpdate()
{
    m_nRows = m_doc.m_nRecords;
    EnableControls(false);
    m_session.ResetDriftNames();  // "None", entry 0 selected, the next calculation is appended
    ShowRowCount();
}

void CKelpView::OnUpdate(int hint)
{
    if (hint != kHintScintrex && hint != kHintAliod)
        return;
    // The session, the document's first view, has rebuilt the rows already.
    m_nRows = m_doc.m_nRecords;
    m_pModel->beginRebuild();
    m_pModel->endRebuild();
    ShowOceanLoadColumn();
    if (m_List.RowCount() > 0)
        EnableControls(true);  // and they stay enabled
    ShowRowCount();
}

void CKelpView::EnableControls(bool enable)
{
    m_pTable->setEnabled(enable);
    for (QPushButton* button : m_Buttons)
        button->setEnabled(enable);
}

void CKelpView::ShowRowCount() { m_pRowsEdit->setText(QString::number(m_nRows)); }

void CKelpView::SelectRow(int row)
{
    if (row < 0 || row >= m_List.RowCount())
        return;
    m_List.SelectRow(row);
    m_pModel->checkStatesChanged(row, row);
    const QModelIndex index = m_pModel->index(row, 0);
    m_bSyncing = true;
    m_pTable->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_pTable->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_bSyncing = false;
}

void CKelpView::DeselectRow(int row)
{
    if (row < 0 || row >= m_List.RowCount())
        return;
    m_List.DeselectRow(row);
    m_pModel->checkStatesChanged(row, row);
    m_bSyncing = true;
    m_pTable->selectionModel()->select(m_pModel->index(row, 0),
                                       QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    m_bSyncing = false;
}

void CKelpView::OnSelectAll()
{
    CommandScope command(*this, "Select All");
    const int rows = m_List.RowCount();
    m_List.SelectAll();
    if (rows > 0 && !m_List.Rejections().empty()) {
        RestoreSelection();  // the rejected rows stay unselected
        m_pModel->checkStatesChanged(0, rows - 1);
    } else if (rows > 0) {
        m_bSyncing = true;
        const QItemSelection all(m_pModel->index(0, 0), m_pModel->index(rows - 1, StationListModel::kReasonColumn));
        m_pTable->selectionModel()->select(all, QItemSelectionModel::ClearAndSelect);
        m_bSyncing = false;
        m_pModel->checkStatesChanged(0, rows - 1);
    }
    m_pTable->setFocus();
}

void CKelpView::OnSelectNone()
{
    CommandScope command(*this, "Select None");
    m_List.SelectNone();
    m_bSyncing = true;
    m_pTable->selectionModel()->clearSelection();
    m_bSyncing = false;
    m_pModel->checkStatesChanged(0, m_List.RowCount() - 1);
    m_pTable->setFocus();
}

void CKelpView::OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (m_bSyncing)
        return;
    for (const QItemSelectionRange& range : deselected) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            m_List.DeselectRow(row);
        m_pModel->checkStatesChanged(range.top(), range.bottom());
    }
    bool refused = false;
    for (const QItemSelectionRange& range : selected) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            m_List.SelectRow(row);
            refused = refused || m_List.IsRejected(row);
        }
        m_pModel->checkStatesChanged(range.top(), range.bottom());
    }
    if (refused)
        RestoreSelection();  // a rejected reading cannot be selected
}

void CKelpView::OnRowCheckToggled(int row, bool checked)
{
    // The model has already changed the station list; bring the widget's
    // selection along.
    checked ? SelectRow(row) : DeselectRow(row);
}

void CKelpView::RestoreSelection()
{
    QItemSelection selection;
    const int lastColumn = StationListModel::kReasonColumn;
    const std::vector<int> rows = m_List.SelectedRows();
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1)
            ++j;
        selection.append(QItemSelectionRange(m_pModel->index(rows[i], 0), m_pModel->index(rows[j], lastColumn)));
        i = j + 1;
    }
    m_bSyncing = true;
    m_pTable->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    m_bSyncing = false;
}

void CKelpView::SortRowsByTime()
{
    m_pModel->beginRebuild();
    m_List.SortRowsByTime();
    m_pModel->endRebuild();
    RestoreSelection();
}

void CKelpView::SortByColumn(int column)
{
    m_pModel->beginRebuild();
    m_List.SortByColumn(column);
    m_pModel->endRebuild();
    RestoreSelection();
}

void CKelpView::OnCorrections()
{
    CommandScope command(*this, "Corrections");
    CDlgCorrections dlg(m_doc, m_session.Corrections(), this);
    dlg.SetDriftCalculator([this, &dlg]() -> std::optional<QString> {
        // The dialog's own tide choice, as its fields stand at the click.
        const auto name = RunDriftCommand(dlg.Settings(), DriftMode::calculate);
        if (!name)
            return std::nullopt;
        return QString::fromStdString(*name);
    });
    dlg.SetApplyHandler([this](const CorrectionSettings& chosen) {
        // The one place where the recomputation's warnings are shown.
        RecalcWithProgress(this, m_List.SelectedCount(),
                           [&](const RecalcOptions& options) { return m_session.ApplyCorrections(chosen, options); });
        ShowCorrectionCells();
    });
    dlg.exec();
    m_session.KeepPressureEntries(dlg.PressureList());
}

void CKelpView::RecalcSelection()
{
    RecalcWithProgress(
        this, m_List.SelectedCount(), [this](const RecalcOptions& options) { return m_session.Recalculate(options); },
        false);
    ShowCorrectionCells();
}

void CKelpView::ShowCorrectionCells()
{
    ShowOceanLoadColumn();
    if (m_List.RowCount() > 0)
        emit m_pModel->dataChanged(m_pModel->index(0, CStationList::kCorrectedGrav),
                                   m_pModel->index(m_List.RowCount() - 1, CStationList::kOceanLoad));
}

void CKelpView::ShowOceanLoadColumn()
{
    m_pTable->setColumnHidden(CStationList::kOceanLoad, m_List.ColumnWidth(CStationList::kOceanLoad) == 0);
}

void CKelpView::RecalcSelectionByRow()
{
    m_session.RecalculateByRow();
    ShowOceanLoadColumn();
    RowsChanged();
}

void CKelpView::RowsChanged()
{
    m_pModel->beginRebuild();
    m_pModel->endRebuild();
    RestoreSelection();
}

void CKelpView::OnCalculateDrift()
{
    CommandScope command(*this, "Calculate Drift");
    RunDriftCommand(m_session.Corrections(), DriftMode::calculate);
}

void CKelpView::OnApplyDriftCorrections()
{
    CommandScope command(*this, "Apply Corrections");
    RunDriftCommand(m_session.Corrections(), DriftMode::apply);
}

std::optional<std::string> CKelpView::RunDriftCommand(const CorrectionSettings& settings, DriftMode mode)
{
    const auto chosen = bramble::RunDriftCommand(this, m_session, settings, mode, [this](CDlgDriftCorrect& dialog) {
        DriftPlot::Attach(dialog, m_doc, m_List);
        dialog.setRowsChanged([this] { RowsChanged(); });
    });
    RowsChanged();
    return chosen;
}

void CKelpView::OnRaw()
{
    if (m_List.SelectedCount() == 0) {
        QMessageBox box(QMessageBox::NoIcon, "Bramble", "Error: No file availiable", QMessageBox::Ok, this);
        box.setObjectName("noFileBox");
        box.exec();
        return;
    }
    // The check boxes always equal the selection, so every selected row is checked.
    if (!m_dlgRaw) {
        m_dlgRaw = std::make_unique<CRawDlg>();
        m_dlgRaw->setWindowIcon(AppIcon());
    }
    m_dlgRaw->SetSource(m_doc, m_List, m_List.SortColumn());
    m_dlgRaw->show();
    m_dlgRaw->raise();
    m_dlgRaw->activateWindow();
    m_dlgRaw->Rebuild();
    if (m_dlgDisplay && m_dlgDisplay->isVisible()) {
        RecalcSelection();
        m_dlgDisplay->SetSummary(m_session.Summary());
        m_dlgDisplay->UpdateData(false);
        m_dlgDisplay->Build();
    }
}

void CKelpView::OnPlot()
{
    // The check boxes always equal the selection. The recomputation also
    // makes the means the window's panel shows.
    RecalcSelection();
    if (m_List.SelectedCount() == 0)
        return;
    if (!m_dlgDisplay) {
        m_dlgDisplay = new CDisplayDlg(m_doc, m_List, this);
        m_dlgDisplay->setWindowIcon(AppIcon());
    }
    m_dlgDisplay->SetSummary(m_session.Summary());
    m_dlgDisplay->SetSubtractMean(m_doc.m_bSubtractMean);
    m_dlgDisplay->show();
    m_dlgDisplay->raise();
    m_dlgDisplay->activateWindow();
    m_dlgDisplay->UpdateData(false);
    m_dlgDisplay->Build();
    if (m_dlgRaw && m_dlgRaw->isVisible()) {
        m_dlgRaw->SetSource(m_doc, m_List, m_List.SortColumn());
        m_dlgRaw->Rebuild();
    }
}

void CKelpView::OnFinalOutput()
{
    if (m_List.SelectedCount() == 0) {
        QMessageBox box(QMessageBox::Information, "Final Output",
                        "No readings are selected. Select the readings to average, then choose Final Output again.",
                        QMessageBox::Ok, this);
        box.setObjectName("nothingSelectedBox");
        box.exec();
        return;
    }
    CommandScope command(*this, "Final Output");
    ComputeFinalOutput(m_doc, m_List);
    CDlgFinalOutput dlg(m_doc, this);
    dlg.exec();
    SortByColumn(m_List.SortColumn());
}

void CKelpView::OnExportSelected(ExportKind kind) { RunExportSelected(this, m_List, m_doc, kind, m_strExportFile); }

}  // namespace bramble
