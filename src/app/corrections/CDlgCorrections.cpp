#include "corrections/CDlgCorrections.h"

#include <cmath>

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "logger/CLBEditorWnd.h"
#include "survey/FileChoosers.h"
#include "mainwnd/WaitCursor.h"

namespace bramble {
namespace {

// Names the control the way the dialog template numbers it, for tests and
// for anyone reading the widget tree.
template <class W>
W* Named(W* widget, const char* name, int id)
{
    widget->setObjectName(name);
    widget->setProperty("controlId", id);
    return widget;
}

std::optional<double> NumberOf(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Numbers are shown to a thousandth (a pressure derived from an elevation
// has many more digits) and read back whole: a text with anything after the
// number is not a number.
QString NumberText(double value)
{
    QString text = QString::number(value, 'f', 3);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text == "-0" ? QString("0") : text;
}

// The number a field holds: the stored value itself while the field still
// shows it unchanged (the shown text is rounded), else the number typed.
std::optional<double> FieldNumber(const QLineEdit* field, double stored)
{
    if (field->text() == NumberText(stored))
        return stored;
    return NumberOf(field->text());
}

// A number field with its unit after it.
QHBoxLayout* WithUnit(QLineEdit* field, const char* unit, QWidget* parent)
{
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(new QLabel(unit, parent));
    return row;
}

QString DefaultChooser(QWidget* parent, const QString& current)
{
    return QFileDialog::getOpenFileName(parent, QString(), ChooserStart(current), PolarTableFilters(), nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

QString DefaultBlqChooser(QWidget* parent, const QString& current)
{
    return QFileDialog::getOpenFileName(parent, "Ocean Loading Parameters", ChooserStart(current), BlqFileFilters(),
                                        nullptr, QFileDialog::DontUseNativeDialog);
}

}  // namespace

const char* const CDlgCorrections::kNotANumber = "Please enter a number.";

CDlgCorrections::CDlgCorrections(CKelpDoc& doc, const CorrectionSettings& settings, QWidget* parent)
    : QDialog(parent), m_model(doc, settings), m_chooseFile(DefaultChooser), m_chooseBlqFile(DefaultBlqChooser)
{
    setObjectName("correctionsDialog");
    setWindowTitle("Corrections");
    BuildControls();

    for (const std::string& entry : m_model.Settings().m_PressureList)
        m_pPressureList->addItem(QString::fromStdString(entry));
    m_nEntries = m_pPressureList->count();
    m_pLongman->setEnabled(m_model.LongmanOffered());
    ShowFields();
}

void CDlgCorrections::BuildControls()
{
    auto* tideBox = new QGroupBox("Tide", this);
    tideBox->setObjectName("tideGroup");
    m_pLongman = Named(new QRadioButton("Longman", tideBox), "longmanRadio", 1111);
    m_pBerger = Named(new QRadioButton("Berger", tideBox), "bergerRadio", 1112);
    m_pNoTide = Named(new QRadioButton("None", tideBox), "noTideRadio", 1113);
    m_pTideGroup = new QButtonGroup(this);
    m_pTideGroup->addButton(m_pLongman, kTideLongman);
    m_pTideGroup->addButton(m_pBerger, kTideBerger);
    m_pTideGroup->addButton(m_pNoTide, kTideNone);
    auto* tideLayout = new QHBoxLayout(tideBox);
    tideLayout->addWidget(m_pLongman);
    tideLayout->addWidget(m_pBerger);
    tideLayout->addWidget(m_pNoTide);

    auto* pressureBox = new QGroupBox("Pressure", this);
    pressureBox->setObjectName("pressureGroup");
    m_pApplyPressure = Named(new QCheckBox("Apply", pressureBox), "pressureApplyCheck", 1114);
    m_pElevation = Named(new QLineEdit(pressureBox), "elevationEdit", 1121);
    auto* setButton = Named(new QPushButton("Set", pressureBox), "setNominalButton", 1122);
    m_pNominalPressure = Named(new QLineEdit(pressureBox), "nominalPressureEdit", 1123);
    m_pPressureList = Named(new QListWidget(pressureBox), "pressureList", 1126);
    m_pPressureList->setSelectionMode(QAbstractItemView::SingleSelection);
    EditRowsWithF2(m_pPressureList);
    auto* addButton = Named(new QPushButton("Add", pressureBox), "addEntryButton", 1127);
    auto* removeButton = Named(new QPushButton("Remove", pressureBox), "removeEntryButton", 1129);
    auto* applyListButton = Named(new QPushButton("Apply", pressureBox), "applyPressuresButton", 1128);
    for (QPushButton* button : {setButton, addButton, removeButton, applyListButton})
        button->setAutoDefault(false);
    m_pApplyPressure->setToolTip("Correct the readings for air pressure when OK recomputes them");
    applyListButton->setToolTip("Give every reading a pressure interpolated in time from the entries of the list now");
    setButton->setToolTip("Set the nominal pressure of the standard atmosphere at this elevation");
    auto* pressureLayout = new QGridLayout(pressureBox);
    pressureLayout->addWidget(m_pApplyPressure, 0, 0);
    pressureLayout->addWidget(new QLabel("Enter Nominal Elevation:", pressureBox), 1, 0);
    pressureLayout->addLayout(WithUnit(m_pElevation, "m", pressureBox), 1, 1);
    pressureLayout->addWidget(setButton, 1, 2);
    pressureLayout->addWidget(new QLabel("Nominal Pressure", pressureBox), 2, 0);
    pressureLayout->addLayout(WithUnit(m_pNominalPressure, "hPa", pressureBox), 2, 1);
    pressureLayout->addWidget(m_pPressureList, 3, 0, 1, 3);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(addButton);
    listButtons->addWidget(removeButton);
    listButtons->addWidget(applyListButton);
    pressureLayout->addLayout(listButtons, 4, 0, 1, 3);

    auto* polarBox = new QGroupBox("Polar Motion", this);
    polarBox->setObjectName("polarGroup");
    m_pApplyPolar = Named(new QCheckBox("Apply", polarBox), "polarApplyCheck", 1116);
    m_pPolarFile = Named(new QLineEdit(polarBox), "polarFileEdit", 1118);
    auto* browseButton = Named(new QPushButton("...", polarBox), "polarFileButton", 1119);
    browseButton->setAutoDefault(false);
    auto* polarLayout = new QGridLayout(polarBox);
    polarLayout->addWidget(m_pApplyPolar, 0, 0);
    polarLayout->addWidget(new QLabel("File Name:", polarBox), 1, 0);
    polarLayout->addWidget(m_pPolarFile, 1, 1);
    polarLayout->addWidget(browseButton, 1, 2);

    auto* oceanBox = new QGroupBox("Ocean Loading", this);
    oceanBox->setObjectName("oceanLoadGroup");
    m_pApplyOceanLoad = Named(new QCheckBox("Apply", oceanBox), "oceanLoadApplyCheck", 1201);
    m_pBlqFile = Named(new QLineEdit(oceanBox), "blqFileEdit", 1202);
    m_pBlqFile->setReadOnly(true);  // the file the readings took their loading from
    auto* blqButton = Named(new QPushButton("...", oceanBox), "blqFileButton", 1203);
    blqButton->setAutoDefault(false);
    m_pBlqDistance = Named(new QLineEdit(oceanBox), "blqDistanceEdit", 1204);
    m_pApplyOceanLoad->setToolTip("Correct the readings for ocean tide loading when OK recomputes them");
    blqButton->setToolTip("Choose the stations' ocean-loading parameters (BLQ, \"GRAV TILT\")");
    m_pBlqDistance->setToolTip("A station without a block of its own name takes the nearest block within this "
                               "distance of its position");
    auto* oceanLayout = new QGridLayout(oceanBox);
    oceanLayout->addWidget(m_pApplyOceanLoad, 0, 0, Qt::AlignLeft);
    oceanLayout->addWidget(new QLabel("BLQ File:", oceanBox), 1, 0);
    oceanLayout->addWidget(m_pBlqFile, 1, 1);
    oceanLayout->addWidget(blqButton, 1, 2);
    oceanLayout->addWidget(new QLabel("Nearest Block Within:", oceanBox), 2, 0);
    oceanLayout->addLayout(WithUnit(m_pBlqDistance, "km", oceanBox), 2, 1);

    auto* driftBox = new QGroupBox("Drift", this);
    driftBox->setObjectName("driftGroup");
    m_pApplyDrift = Named(new QCheckBox("Apply", driftBox), "driftApplyCheck", 1146);
    m_pDriftName = Named(new QLineEdit(driftBox), "driftNameEdit", 1171);
    m_pDriftName->setReadOnly(true);
    auto* calculateButton = Named(new QPushButton("Calculate Drift...", driftBox), "calculateDriftButton", 1155);
    calculateButton->setAutoDefault(false);
    calculateButton->setEnabled(false);  // until the owner gives the drift calculation
    m_pCalculateDrift = calculateButton;
    auto* driftLayout = new QGridLayout(driftBox);
    driftLayout->addWidget(m_pApplyDrift, 0, 0);
    driftLayout->addWidget(new QLabel("Drift Name:", driftBox), 1, 0);
    driftLayout->addWidget(m_pDriftName, 1, 1);
    driftLayout->addWidget(calculateButton, 1, 2);

    auto* okButton = Named(new QPushButton("OK", this), "okButton", 1);
    okButton->setDefault(true);
    auto* cancelButton = Named(new QPushButton("Cancel", this), "cancelButton", 2);
    cancelButton->setAutoDefault(false);
    // Two buttons of the dialog template that are never shown.
    auto* applyButton = Named(new QPushButton("Apply Corrections", this), "applyCorrectionsButton", 1163);
    applyButton->setVisible(false);
    applyButton->setAutoDefault(false);
    auto* applyDriftButton = Named(new QPushButton("Apply Drift...", this), "applyDriftButton", 1165);
    applyDriftButton->setVisible(false);
    applyDriftButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(applyButton);
    buttons->addWidget(applyDriftButton);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tideBox);
    layout->addWidget(pressureBox, 1);
    layout->addWidget(polarBox);
    layout->addWidget(oceanBox);
    layout->addWidget(driftBox);
    layout->addLayout(buttons);

    connect(m_pApplyPressure, &QCheckBox::clicked, this, [this] {
        if (TakeFields())
            ShowFields();
    });
    connect(setButton, &QPushButton::clicked, this, &CDlgCorrections::OnSetNominal);
    connect(addButton, &QPushButton::clicked, this, &CDlgCorrections::OnAddEntry);
    connect(removeButton, &QPushButton::clicked, this, &CDlgCorrections::OnRemoveEntry);
    connect(applyListButton, &QPushButton::clicked, this, &CDlgCorrections::OnApplyPressures);
    connect(m_pPressureList, &QListWidget::itemClicked, this, &CDlgCorrections::OnEntryClicked);
    connect(browseButton, &QPushButton::clicked, this, &CDlgCorrections::OnChoosePolarFile);
    connect(blqButton, &QPushButton::clicked, this, &CDlgCorrections::OnChooseBlqFile);
    connect(calculateButton, &QPushButton::clicked, this, &CDlgCorrections::OnCalculateDrift);
    connect(okButton, &QPushButton::clicked, this, &CDlgCorrections::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CDlgCorrections::reject);
    connect(applyButton, &QPushButton::clicked, this, &CDlgCorrections::ApplyCorrections);
}

std::vector<std::string> CDlgCorrections::PressureList() const
{
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(m_pPressureList->count()));
    for (int i = 0; i < m_pPressureList->count(); ++i)
        entries.push_back(m_pPressureList->item(i)->text().toStdString());
    return entries;
}

bool CDlgCorrections::TakeFields()
{
    const auto elevation = FieldNumber(m_pElevation, m_model.Settings().m_dNominalElevation);
    const auto pressure = FieldNumber(m_pNominalPressure, m_model.Settings().m_dNominalPressure);
    if (!elevation || !pressure) {
        QLineEdit* wrong = elevation ? m_pNominalPressure : m_pElevation;
        Message(kNotANumber);
        wrong->setFocus();
        wrong->selectAll();
        return false;
    }
    if (!TakeBlqDistance())
        return false;
    CorrectionSettings& settings = m_model.Settings();
    m_model.SetTideMode(m_pTideGroup->checkedId());             // a greyed option cannot be checked
    m_model.SetApplyOceanLoad(m_pApplyOceanLoad->isChecked());  // greyed until a BLQ file is read
    settings.m_strPolarFile = m_pPolarFile->text().toStdString();
    settings.m_dNominalElevation = *elevation;
    settings.m_dNominalPressure = *pressure;
    settings.m_bApplyPressure = m_pApplyPressure->isChecked();
    settings.m_bApplyPolar = m_pApplyPolar->isChecked();
    settings.m_bApplyDrift = m_pApplyDrift->isChecked();
    settings.m_PressureList = PressureList();
    m_strDriftName = m_pDriftName->text();
    return true;
}

void CDlgCorrections::ShowFields()
{
    const CorrectionSettings& settings = m_model.Settings();
    if (QAbstractButton* tide = m_pTideGroup->button(settings.m_nTideMode))
        tide->setChecked(true);
    m_pPolarFile->setText(QString::fromStdString(settings.m_strPolarFile));
    m_pElevation->setText(NumberText(settings.m_dNominalElevation));
    m_pNominalPressure->setText(NumberText(settings.m_dNominalPressure));
    m_pApplyPressure->setChecked(settings.m_bApplyPressure);
    m_pApplyPolar->setChecked(settings.m_bApplyPolar);
    m_pApplyDrift->setChecked(settings.m_bApplyDrift);
    m_pDriftName->setText(m_strDriftName);
    m_pBlqFile->setText(QString::fromStdString(settings.m_strBlqFile));
    m_pApplyOceanLoad->setEnabled(m_model.OceanLoadCanApply());
    m_pApplyOceanLoad->setChecked(settings.m_bApplyOceanLoad);
    m_pBlqDistance->setText(NumberText(settings.m_dBlqMatchDistanceKm));
}

bool CDlgCorrections::TakeBlqDistance()
{
    const double stored = m_model.Settings().m_dBlqMatchDistanceKm;
    const auto km = FieldNumber(m_pBlqDistance, stored);
    Outcome outcome;
    if (!km)
        outcome.AddError(kNotANumber);
    else if (*km != stored) {
        const WaitCursor busy;
        outcome = m_model.SetBlqMatchDistance(*km);
    }
    ShowMessages(outcome);
    if (outcome.Failed()) {
        m_pBlqDistance->setFocus();
        m_pBlqDistance->selectAll();
        return false;
    }
    return true;
}

void CDlgCorrections::ShowMessages(const Outcome& outcome)
{
    QStringList lines;
    for (const bramble::Message& message : outcome.Messages())
        lines << QString::fromStdString(message.text);
    if (!lines.isEmpty())
        Message(lines.join('\n'));
}

bool CDlgCorrections::ApplyCorrections()
{
    if (!TakeFields())
        return false;
    if (m_onApply)
        m_onApply(m_model.Settings());
    ShowFields();
    return true;
}

void CDlgCorrections::accept()
{
    if (ApplyCorrections())
        QDialog::accept();
}

void CDlgCorrections::OnSetNominal()
{
    if (!TakeFields())
        return;
    const Outcome outcome = m_model.SetNominalFromElevation();
    if (outcome.Failed()) {
        Message(QString::fromStdString(outcome.ErrorText()));
        return;
    }
    ShowFields();
}

void CDlgCorrections::OnAddEntry()
{
    if (!TakeFields())
        return;
    const std::optional<std::string> entry = m_model.NewPressureEntry();
    if (!entry)
        return;
    m_pPressureList->addItem(QString::fromStdString(*entry));
    ++m_nEntries;
    ShowFields();
}

void CDlgCorrections::OnRemoveEntry()
{
    if (!TakeFields() || m_nEntries == 0)
        return;
    const int selected = m_pPressureList->currentItem() && m_pPressureList->currentItem()->isSelected()
                             ? m_pPressureList->currentRow()
                             : 0;
    delete m_pPressureList->takeItem(selected);
    --m_nEntries;
    // The rows after it moved up: a click on the next entry must not edit it.
    m_nLastSelected = -1;
    ShowFields();
}

void CDlgCorrections::OnApplyPressures()
{
    const Result<int> result = m_model.ApplyPressures(PressureList());
    if (!result.Messages().empty()) {
        QStringList lines;
        for (const bramble::Message& message : result.Messages())
            lines << QString::fromStdString(message.text);
        Message(lines.join('\n'));
    }
    m_pApplyPressure->setChecked(m_model.Settings().m_bApplyPressure);
}

void CDlgCorrections::OnEntryClicked(QListWidgetItem* item)
{
    const int row = m_pPressureList->row(item);
    if (row < 0)
        return;
    if (row == m_nLastSelected) {
        // A second click on the same entry edits it in place; the editor
        // owns itself and puts the text back into the row.
        auto* editor = new CLBEditorWnd(m_pPressureList);
        editor->StartEdit(row);
    } else {
        m_nLastSelected = row;
    }
}

void CDlgCorrections::OnChoosePolarFile()
{
    if (!TakeFields())
        return;
    const QString path = m_chooseFile(this, QString::fromStdString(m_model.Settings().m_strPolarFile));
    if (path.isEmpty())
        return;
    // A table without the survey's first day turns the correction off
    // without a message; one that cannot be read is named in a message.
    const Result<bool> result = m_model.ReadPolarTable(path.toStdString());
    if (result.Failed()) {
        Message(QString::fromStdString(result.ErrorText()));
        return;
    }
    ShowFields();
}

void CDlgCorrections::OnChooseBlqFile()
{
    if (!TakeFields())
        return;
    const QString path = m_chooseBlqFile(this, QString::fromStdString(m_model.Settings().m_strBlqFile));
    if (path.isEmpty())
        return;
    // Refused: the message says why and nothing has changed. Read: the
    // correction is on, and the stations without a block are named.
    Outcome read;
    {
        const WaitCursor busy;
        read = m_model.ReadBlqFile(path.toStdString());
    }
    ShowMessages(read);
    ShowFields();
}

void CDlgCorrections::SetDriftCalculator(DriftCalculator calculator)
{
    m_calculateDrift = std::move(calculator);
    m_pCalculateDrift->setEnabled(static_cast<bool>(m_calculateDrift));
}

void CDlgCorrections::OnCalculateDrift()
{
    if (!m_calculateDrift)
        return;
    if (!TakeFields())
        return;
    if (const auto name = m_calculateDrift()) {
        m_strDriftName = *name;
        // The drift dialog's OK applied the drift: show it as applied, so that
        // this dialog's OK keeps it on instead of silently dropping it.
        m_model.DriftApplied();
        ShowFields();
    }
}

void CDlgCorrections::Message(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, "Corrections", text, QMessageBox::Ok, this);
    box.setObjectName("correctionsMessageBox");
    box.exec();
}

}  // namespace bramble
