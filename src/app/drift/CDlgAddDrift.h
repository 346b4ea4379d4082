#pragma once

#include <QDialog>

#include "survey/DateTime.h"

class QDateTimeEdit;
class QLineEdit;

namespace bramble {

// "User Defined Drift Correction": the name, start date-time and rate of a
// drift correction. In input mode all three are editable; in calculate
// mode only the rate (the start and the name come from the calculation).
class CDlgAddDrift final : public QDialog {
    Q_OBJECT
public:
    enum class Mode { input, calculate };

    CDlgAddDrift(Mode mode, const QString& name, const DateTime& start, const QString& rate, QWidget* parent = nullptr);

    QString name() const;
    DateTime start() const;  // the picker's value as a day number
    QString rate() const;

    // OK: in input mode the rate must be one to six numbers (ReadDriftRate);
    // otherwise the dialog says why and stays open on the rate.
    void accept() override;

    static QDateTime ToQDateTime(const DateTime& dt);
    static DateTime FromQDateTime(const QDateTime& dt);

private:
    Mode m_mode;
    QLineEdit* m_name = nullptr;
    QDateTimeEdit* m_start = nullptr;
    QLineEdit* m_rate = nullptr;
};

}  // namespace bramble
