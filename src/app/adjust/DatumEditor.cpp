#include "adjust/DatumEditor.h"

#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "adjust/DatumSources.h"
#include "output/StringPrintf.h"
#include "survey/FileChoosers.h"

namespace bramble {
namespace {

enum Column { kStation, kGravity, kSd };

QString Cell(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text().trimmed() : QString();
}

}  // namespace

DatumEditor::DatumEditor(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pTable = new QTableWidget(0, 3, this);
    m_pTable->setObjectName("datumTable");
    m_pTable->setAccessibleName("Datums");
    m_pTable->setHorizontalHeaderLabels({"Station", "Gravity (mGal)", "SD (mGal)"});
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_pTable->verticalHeader()->setVisible(false);
    m_pTable->setToolTip("Stations of known gravity. An empty or 0 SD holds the station fixed.");
    layout->addWidget(m_pTable, 1);

    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton("Add ro&w", this);
    add->setObjectName("addDatum");
    auto* remove = new QPushButton("Remove r&ow", this);
    remove->setObjectName("removeDatum");
    auto* load = new QPushButton("&Load...", this);
    load->setObjectName("loadDatums");
    load->setToolTip("A datum list (station gravity_uGal sd_uGal) or a Micro-g LaCoste report (*.project.txt)");
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addWidget(load);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    auto* heightRow = new QHBoxLayout;
    m_pHeight = new QDoubleSpinBox(this);
    m_pHeight->setObjectName("readingHeight");
    m_pHeight->setRange(-1000.0, 1000.0);
    m_pHeight->setDecimals(1);
    m_pHeight->setSuffix(" cm");
    m_pHeight->setValue(kDefaultReadingHeightCm);
    m_pHeight->setToolTip("Absolute values are moved by their gradient to this height above the mark");
    auto* heightLabel = new QLabel("Reading &height for reports:", this);
    heightLabel->setBuddy(m_pHeight);
    heightRow->addWidget(heightLabel);
    heightRow->addWidget(m_pHeight);
    heightRow->addStretch(1);
    layout->addLayout(heightRow);

    connect(add, &QPushButton::clicked, this, [this] {
        AddRow({}, {}, {});
        m_pTable->setCurrentCell(m_pTable->rowCount() - 1, kStation);
        m_pTable->editItem(m_pTable->item(m_pTable->rowCount() - 1, kStation));
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = m_pTable->currentRow();
        if (row >= 0)
            m_pTable->removeRow(row);
    });
    connect(load, &QPushButton::clicked, this, &DatumEditor::OnLoad);
}

void DatumEditor::AddRow(const QString& station, const QString& gravity, const QString& sd)
{
    const int row = m_pTable->rowCount();
    m_pTable->insertRow(row);
    m_pTable->setItem(row, kStation, new QTableWidgetItem(station));
    m_pTable->setItem(row, kGravity, new QTableWidgetItem(gravity));
    m_pTable->setItem(row, kSd, new QTableWidgetItem(sd));
}

Result<std::vector<Datum>> DatumEditor::Datums() const
{
    std::vector<Datum> datums;
    for (int row = 0; row < m_pTable->rowCount(); ++row) {
        const QString station = Cell(m_pTable, row, kStation);
        const QString gravity = Cell(m_pTable, row, kGravity);
        const QString sd = Cell(m_pTable, row, kSd);
        if (station.isEmpty() && gravity.isEmpty() && sd.isEmpty())
            continue;
        const QString where = QString("Datum row %1").arg(row + 1);
        if (station.isEmpty())
            return Outcome::Error((where + " has no station.").toStdString());
        // The same rule as bramble-cli's --datum STATION=G[:SD].
        const std::string text = (station + "=" + gravity + (sd.isEmpty() ? QString() : ":" + sd)).toStdString();
        DatumsRead read = ParseDatumArgument(text);
        if (read.Failed())
            return Outcome::Error((where + ": ").toStdString() + read.ErrorText());
        for (Datum& d : read.Value()) {
            d.source = where.toStdString();
            datums.push_back(std::move(d));
        }
    }
    return Result<std::vector<Datum>>::Of(std::move(datums));
}

void DatumEditor::SetDatums(const std::vector<Datum>& datums)
{
    m_pTable->setRowCount(0);
    for (const Datum& d : datums)
        AddRow(QString::fromStdString(d.station), QString::fromStdString(StringPrintf("%.6f", d.gravity)),
               QString::fromStdString(StringPrintf("%.6f", d.sd)));
}

Outcome DatumEditor::LoadFile(const QString& path)
{
    const DatumsRead read = ReadDatumFile(QFile::encodeName(path).toStdString(), m_pHeight->value());
    if (read.Failed())
        return Outcome::Error(read.ErrorText());
    for (const Datum& d : read.Value())
        AddRow(QString::fromStdString(d.station), QString::fromStdString(StringPrintf("%.6f", d.gravity)),
               QString::fromStdString(StringPrintf("%.6f", d.sd)));
    return {};
}

void DatumEditor::OnLoad()
{
    const QString path = QFileDialog::getOpenFileName(
        this, "Load Datums", LastDataFolder(),
        "Datum Files (*.txt *.project.txt);;Absolute Gravity Reports (*.project.txt);;All Files (*)");
    if (path.isEmpty())
        return;
    const Outcome loaded = LoadFile(path);
    if (loaded.Failed())
        QMessageBox::warning(this, "Load Datums", QString::fromStdString(loaded.ErrorText()));
}

}  // namespace bramble
