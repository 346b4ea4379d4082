#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLineEdit;

namespace bramble {

// "Meter Com Settings": which serial port the logger opens, at which baud
// rate, and how often it polls the port. Reads the profile when it opens and
// writes it on OK only; it talks to no port itself.
//
// The port list holds "COM1".."COM4" (the first four serial devices) and
// then the serial ports the system reports (USB adapters); a device path can
// also be typed. A COM entry is stored as "ComPort"; anything else as
// "PortName", which overrides "ComPort" while it is set.
class CDlgMeterSetup final : public QDialog {
    Q_OBJECT
public:
    explicit CDlgMeterSetup(QWidget* parent = nullptr);

    void accept() override;

    // The report shown when the interval is not a whole number in range.
    static QString IntervalRangeMessage();

    // Fields, as stored on OK.
    int m_nComPort = 1;
    int m_nBaudRate = 0;
    int m_nInterval = 1;
    QString m_strPortName;

private:
    QComboBox* m_pPortCombo = nullptr;     // 1011
    QComboBox* m_pBaudCombo = nullptr;     // 1096
    QLineEdit* m_pIntervalEdit = nullptr;  // 1013
};

}  // namespace bramble
