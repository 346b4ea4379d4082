#include "drift/CDlgDriftCorrect.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "charts/FixedPitchFont.h"
#include "drift/CDlgAddDrift.h"

namespace bramble {

CDlgDriftCorrect::CDlgDriftCorrect(DriftContext& ctx, std::vector<std::string> names, int startSelection,
                                   DriftMode mode, std::string initialLine, QWidget* parent)
    : QDialog(parent), m_model(ctx, std::move(names), startSelection, mode, std::move(initialLine))
{
    setWindowTitle(mode == DriftMode::apply ? "Apply Drift Correction" : "Calculate Drift Correction");
    setSizeGripEnabled(true);

    auto* driftGroup = new QGroupBox("Drift Corrections", this);
    m_line = new QLineEdit(driftGroup);
    m_line->setObjectName("edit1151");
    m_line->setFont(FixedPitchFont(font().pointSizeF()));
    // Wide enough for a whole line: the date, the time and six coefficients
    // of ten characters each.
    const int lineChars = 22 + 6 * 10 + 2;
    m_line->setMinimumWidth(QFontMetrics(m_line->font()).horizontalAdvance(QString(lineChars, QChar('0'))) +
                            m_line->textMargins().left() + m_line->textMargins().right() + 12);
    m_line->setToolTip("MM/DD/YYYY  hh:mm:ss  followed by the coefficients c1..c6 (mGal/day^k)");
    m_names = new QComboBox(driftGroup);
    m_names->setObjectName("combo1152");
    auto* driftLayout = new QVBoxLayout(driftGroup);
    driftLayout->addWidget(m_line);
    driftLayout->addWidget(m_names);

    auto* plotGroup = new QGroupBox("Current Selection Alpha", this);
    m_plotHost = new QWidget(plotGroup);
    m_plotHost->setObjectName("edit1153");
    m_plotHost->setMinimumSize(560, 300);
    m_plotHost->setLayout(new QVBoxLayout);
    m_plotHost->layout()->setContentsMargins(0, 0, 0, 0);
    auto* plotLayout = new QVBoxLayout(plotGroup);
    plotLayout->addWidget(m_plotHost);

    m_update = new QPushButton("&Update", this);
    m_update->setObjectName("button1156");
    m_input = new QPushButton("&Input Drift Correction...", this);
    m_input->setObjectName("button1157");
    m_calculate = new QPushButton("&Calculate Drift Correction...", this);
    m_calculate->setObjectName("button1158");
    m_delete = new QPushButton("&Delete Selected Drift Correction", this);
    m_delete->setObjectName("button1162");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {m_update, m_input, m_calculate, m_delete}) {
        b->setAutoDefault(false);
        side->addWidget(b);
    }
    side->addStretch();
    side->addWidget(buttons);
    auto* left = new QVBoxLayout;
    left->addWidget(driftGroup);
    left->addWidget(plotGroup, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(side);

    // Apply mode only chooses among the corrections: the line and the editing buttons go.
    const bool calculate = mode == DriftMode::calculate;
    m_line->setEnabled(calculate);
    for (QPushButton* b : {m_update, m_input, m_calculate, m_delete})
        b->setVisible(calculate);

    connect(m_names, &QComboBox::currentIndexChanged, this, &CDlgDriftCorrect::onSelectionChanged);
    connect(m_update, &QPushButton::clicked, this, &CDlgDriftCorrect::onUpdate);
    connect(m_input, &QPushButton::clicked, this, [this] { onAdd(true); });
    connect(m_calculate, &QPushButton::clicked, this, [this] { onAdd(false); });
    connect(m_delete, &QPushButton::clicked, this, &CDlgDriftCorrect::onDelete);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CDlgDriftCorrect::~CDlgDriftCorrect()
{
    if (!m_stored && m_storePlot)
        m_storePlot();
}

void CDlgDriftCorrect::start()
{
    if (m_started)
        return;
    m_started = true;
    m_model.Start();
    showModel();
    changed();
}

int CDlgDriftCorrect::exec()
{
    start();
    return QDialog::exec();
}

void CDlgDriftCorrect::showModel()
{
    m_showing = true;
    m_names->clear();
    for (const std::string& name : m_model.Names())
        m_names->addItem(QString::fromStdString(name));
    m_names->setCurrentIndex(m_model.Selection());
    m_line->setText(QString::fromStdString(m_model.Line()));
    m_line->setCursorPosition(0);  // the date-time first, where a long line starts
    m_showing = false;
}

void CDlgDriftCorrect::changed()
{
    if (m_rowsChanged)
        m_rowsChanged();
    if (m_refillPlot)
        m_refillPlot();
}

void CDlgDriftCorrect::onSelectionChanged(int index)
{
    if (m_showing || index < 0)
        return;
    m_model.SelectionChange(index);
    showModel();
    changed();
}

void CDlgDriftCorrect::onUpdate()
{
    m_model.SetLine(m_line->text().toStdString());
    m_model.Update();
    showModel();
    changed();
}

void CDlgDriftCorrect::onAdd(bool input)
{
    m_model.SetLine(m_line->text().toStdString());
    const DriftDialogModel::AddPrefill prefill = m_model.BeginAdd();
    changed();
    CDlgAddDrift dialog(input ? CDlgAddDrift::Mode::input : CDlgAddDrift::Mode::calculate,
                        QString::fromStdString(prefill.name), prefill.start, QString::fromStdString(prefill.rate),
                        this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    m_model.FinishAdd(accepted, input, dialog.name().toStdString(), dialog.start(), dialog.rate().toStdString());
    showModel();
    changed();
}

void CDlgDriftCorrect::onDelete()
{
    m_model.Delete();
    showModel();
    changed();
}

void CDlgDriftCorrect::done(int result)
{
    if (result == QDialog::Accepted) {
        m_model.SetLine(m_line->text().toStdString());
        m_model.Ok();
        if (m_storePlot)
            m_storePlot();
        m_stored = true;
    }
    changed();
    QDialog::done(result);
}

}  // namespace bramble
