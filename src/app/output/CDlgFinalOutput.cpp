#include "output/CDlgFinalOutput.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "charts/PrintText.h"
#include "mainwnd/CopyRows.h"
#include "output/FileSaving.h"
#include "output/FinalTexts.h"
#include "output/TabSeparated.h"
#include "survey/CKelpDoc.h"
#include "survey/FileChoosers.h"

namespace bramble {
namespace {

QPushButton* MakeButton(const char* caption, const char* name, int id, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setProperty("controlId", id);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CDlgFinalOutput::CDlgFinalOutput(const CKelpDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc)
{
    setObjectName("finalOutputDialog");
    setWindowTitle("Final Output Dialog");

    m_pList = new QTableWidget(this);
    m_pList->setObjectName("finalList");
    m_pList->setProperty("controlId", 1166);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);  // Ctrl+C copies several
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setShowGrid(true);
    m_pList->setWordWrap(false);
    m_pList->verticalHeader()->hide();
    m_pList->horizontalHeader()->setHighlightSections(false);
    m_pList->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pList->verticalHeader()->setDefaultSectionSize(m_pList->fontMetrics().height() + 6);

    auto* printButton = MakeButton("&Print", "printButton", 1101, this);
    auto* exportButton = MakeButton("&Export Text", "exportTextButton", 1167, this);
    auto* okButton = MakeButton("OK", "okButton", 1, this);
    okButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printButton);
    buttons->addWidget(exportButton);
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);

    InstallCopyRows(m_pList, [this] {
        std::vector<int> rows;
        for (const QModelIndex& index : m_pList->selectionModel()->selectedRows())
            rows.push_back(index.row());
        std::sort(rows.begin(), rows.end());
        return FinalRowsText(m_doc, rows);
    });
    connect(printButton, &QPushButton::clicked, this, &CDlgFinalOutput::OnPrint);
    connect(exportButton, &QPushButton::clicked, this, &CDlgFinalOutput::OnExportText);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    FillList();
    int width = 0;
    for (int c = 0; c < kFinalColumnCount; ++c)
        width += m_pList->columnWidth(c);
    resize(width + 40, 320);
}

void CDlgFinalOutput::FillList()
{
    m_pList->setColumnCount(kFinalColumnCount);
    QStringList titles;
    for (const FinalColumn& column : FinalColumns())
        titles << column.title;
    m_pList->setHorizontalHeaderLabels(titles);
    for (int c = 0; c < kFinalColumnCount; ++c)
        m_pList->setColumnWidth(c, FinalColumns()[static_cast<std::size_t>(c)].width);
    m_pList->setRowCount(static_cast<int>(m_doc.m_FinalData.size()));
    int row = 0;
    for (const auto& entry : m_doc.m_FinalData) {
        const auto cells = FinalListRow(*entry);
        for (int c = 0; c < kFinalColumnCount; ++c)
            m_pList->setItem(row, c, new QTableWidgetItem(QString::fromStdString(cells[static_cast<std::size_t>(c)])));
        ++row;
    }
    // The columns open at their set widths, wider where a text would be cut
    // (a full date, a four-digit gravity in a larger font).
    for (int c = 0; c < kFinalColumnCount; ++c) {
        const int set = m_pList->columnWidth(c);
        m_pList->resizeColumnToContents(c);
        m_pList->setColumnWidth(c, std::max(set, m_pList->columnWidth(c)));
    }
}

void CDlgFinalOutput::OnPrint()
{
    QStringList lines;
    for (const std::string& line : FinalReportLines(m_doc))
        lines << QString::fromStdString(line);
    PrintTextLines(this, lines, PrintRangeChoice::none);
}

void CDlgFinalOutput::OnExportText()
{
    const QString path = ChooseSaveFile(this, SuggestedExportPath(m_doc, "final", ".txt"));
    if (path.isEmpty())
        return;
    SaveFileOrSayWhy(this, path, FinalTextExport(m_doc), "Export Text");
}

}  // namespace bramble
