#include "drift/CDlgAddDrift.h"

#include <algorithm>

#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "drift/DriftLine.h"

namespace bramble {

CDlgAddDrift::CDlgAddDrift(Mode mode, const QString& name, const DateTime& start, const QString& rate, QWidget* parent)
    : QDialog(parent), m_mode(mode)
{
    setWindowTitle(mode == Mode::input ? "Input Drift Correction" : "Calculate Drift Correction");
    m_name = new QLineEdit(name, this);
    m_name->setObjectName("edit1159");
    m_start = new QDateTimeEdit(ToQDateTime(start), this);
    m_start->setObjectName("datetime1160");
    // A 24-hour clock, as everywhere else in the program (and no AM/PM after it).
    m_start->setDisplayFormat("MM/dd/yyyy  HH:mm:ss");
    m_start->setCalendarPopup(true);
    m_rate = new QLineEdit(rate, this);
    m_rate->setObjectName("edit1161");
    m_rate->setToolTip("Drift coefficients in mGal per day^k, separated by blanks: c1 [c2 ... c6]");
    m_name->setEnabled(mode == Mode::input);
    m_start->setEnabled(mode == Mode::input);

    auto* rateRow = new QHBoxLayout;
    rateRow->addWidget(m_rate, 1);
    auto* unit = new QLabel("mGal/day", this);
    unit->setObjectName("rateUnit");
    rateRow->addWidget(unit);
    auto* form = new QFormLayout;
    form->addRow("Name:", m_name);
    form->addRow("Start:", m_start);
    form->addRow("Rate:", rateRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    m_rate->setFocus();
    // Wide enough that the window manager shows the whole title, with room
    // for its buttons.
    setMinimumWidth(std::max(sizeHint().width(), fontMetrics().horizontalAdvance(windowTitle()) * 3 / 2 + 160));
}

QString CDlgAddDrift::name() const { return m_name->text(); }
DateTime CDlgAddDrift::start() const { return FromQDateTime(m_start->dateTime()); }
QString CDlgAddDrift::rate() const { return m_rate->text(); }

void CDlgAddDrift::accept()
{
    // In calculate mode the line is the regression's: the rate text is not read.
    if (m_mode == Mode::input) {
        const auto rate = ReadDriftRate(m_rate->text().toStdString());
        if (rate.Failed()) {
            QMessageBox box(QMessageBox::Warning, windowTitle(), QString::fromStdString(rate.ErrorText()),
                            QMessageBox::Ok, this);
            box.setObjectName("rateRefusedBox");
            box.exec();
            m_rate->setFocus();
            m_rate->selectAll();
            return;
        }
    }
    QDialog::accept();
}

QDateTime CDlgAddDrift::ToQDateTime(const DateTime& dt)
{
    if (!dt.isValid())
        return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return QDateTime(QDate(dt.year(), dt.month(), dt.day()), QTime(dt.hour(), dt.minute(), dt.second()), Qt::UTC);
}

DateTime CDlgAddDrift::FromQDateTime(const QDateTime& qdt)
{
    const QDate d = qdt.date();
    const QTime t = qdt.time();
    return DateTime::fromParts(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

}  // namespace bramble
