#include "logger/CDlgMeterSetup.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QStringList>
#include <QVBoxLayout>

#include "logger/LoggerProfile.h"
#include "logger/PortNames.h"
#include "logger/ReadInterval.h"

namespace bramble {
namespace {

constexpr int kComPorts = 4;

// The serial ports the system reports, except the four that the COM entries
// already stand for.
QStringList SystemPorts()
{
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString location = info.systemLocation();
        bool isComPort = false;
        for (int i = 0; i < kComPorts; ++i)
            isComPort = isComPort || location == QString::fromStdString(ComPortDevice(i));
        if (!isComPort && !ports.contains(location))
            ports << location;
    }
    ports.sort();
    return ports;
}

}  // namespace

QString CDlgMeterSetup::IntervalRangeMessage()
{
    return QString("Please enter an integer between %1 and %2.").arg(kMinReadInterval).arg(kMaxReadInterval);
}

CDlgMeterSetup::CDlgMeterSetup(QWidget* parent) : QDialog(parent)
{
    setObjectName("meterSetupDialog");
    setWindowTitle("Meter Com Settings");

    m_pPortCombo = new QComboBox(this);
    m_pPortCombo->setObjectName("portCombo");
    m_pPortCombo->setEditable(true);  // a device path can be typed
    m_pPortCombo->setInsertPolicy(QComboBox::NoInsert);
    for (int i = 0; i < kComPorts; ++i)
        m_pPortCombo->addItem(QString::fromStdString(ComPortLabel(i)));
    m_pPortCombo->addItems(SystemPorts());
    m_pPortCombo->setMinimumWidth(160);

    m_pBaudCombo = new QComboBox(this);
    m_pBaudCombo->setObjectName("baudCombo");
    m_pBaudCombo->setEditable(true);
    m_pBaudCombo->setInsertPolicy(QComboBox::NoInsert);
    m_pBaudCombo->addItems({"110", "300", "600", "1200", "2400"});

    m_pIntervalEdit = new QLineEdit(this);
    m_pIntervalEdit->setObjectName("intervalEdit");

    auto* form = new QFormLayout;
    form->addRow("Comport:", m_pPortCombo);
    form->addRow("Baud Rate:", m_pBaudCombo);
    form->addRow("Read Interval (secs)", m_pIntervalEdit);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cancelButton");
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CDlgMeterSetup::accept);
    connect(cancel, &QPushButton::clicked, this, &CDlgMeterSetup::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Opening: the stored values; an index outside a list selects nothing.
    const LoggerSettings stored = LoadLoggerSettings();
    m_nComPort = stored.comPort;
    m_nBaudRate = stored.baudRate;
    m_nInterval = stored.interval;
    m_strPortName = QString::fromStdString(stored.portName);
    if (!m_strPortName.isEmpty())
        m_pPortCombo->setCurrentText(m_strPortName);
    else
        m_pPortCombo->setCurrentIndex(m_nComPort >= 0 && m_nComPort < kComPorts ? m_nComPort : -1);
    m_pBaudCombo->setCurrentIndex(m_nBaudRate >= 0 && m_nBaudRate < m_pBaudCombo->count() ? m_nBaudRate : -1);
    m_pIntervalEdit->setText(QString::number(m_nInterval));
}

void CDlgMeterSetup::accept()
{
    const auto interval = ParseReadInterval(m_pIntervalEdit->text().toStdString());
    if (!interval) {
        QMessageBox box(QMessageBox::Warning, "Meter Com Settings", IntervalRangeMessage(), QMessageBox::Ok, this);
        box.setObjectName("intervalRangeBox");
        box.exec();
        m_pIntervalEdit->setFocus();
        m_pIntervalEdit->selectAll();
        return;  // nothing is stored
    }
    m_nInterval = *interval;

    const QString port = m_pPortCombo->currentText().trimmed();
    const int comPort = ComPortIndexOf(port.toStdString());
    if (comPort >= 0) {
        m_nComPort = comPort;
        m_strPortName.clear();
    } else if (port.isEmpty()) {
        m_nComPort = -1;  // no port chosen: the logger cannot open one
        m_strPortName.clear();
    } else {
        m_strPortName = port;  // "ComPort" keeps its stored value
    }

    // A rate typed rather than chosen from the list is stored as -1.
    const int baud = m_pBaudCombo->currentIndex();
    m_nBaudRate = baud >= 0 && m_pBaudCombo->currentText() == m_pBaudCombo->itemText(baud) ? baud : -1;

    LoggerSettings settings;
    settings.comPort = m_nComPort;
    settings.baudRate = m_nBaudRate;
    settings.interval = m_nInterval;
    settings.portName = m_strPortName.toStdString();
    StoreLoggerSettings(settings);
    QDialog::accept();
}

}  // namespace bramble
