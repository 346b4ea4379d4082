#pragma once

#include <QDialog>

#include "survey/AliodHeaderTexts.h"

class QLineEdit;

namespace bramble {

// "Aliod Header Creator": the five header values that an Aliod file does
// not carry. It opens with the same five texts every time. OK (or Enter)
// takes them only when each number field holds one number
// (CheckAliodHeaderTexts): otherwise it says which field and why and stays
// open on it. Cancel, Escape or the close box cancel the import.
class CDlgAliodHeader final : public QDialog {
    Q_OBJECT
public:
    explicit CDlgAliodHeader(QWidget* parent = nullptr);

    void accept() override;

    // The texts as taken on OK.
    AliodHeaderTexts Texts() const;
    QString m_strSerialNumber = QString::fromStdString(DefaultAliodHeaderTexts().serialNumber);
    QString m_strAvgLatitude = QString::fromStdString(DefaultAliodHeaderTexts().avgLatitude);
    QString m_strAvgLongitude = QString::fromStdString(DefaultAliodHeaderTexts().avgLongitude);
    QString m_strOperator = QString::fromStdString(DefaultAliodHeaderTexts().op);
    QString m_strOperTemp = QString::fromStdString(DefaultAliodHeaderTexts().operTemp);

private:
    QLineEdit* m_pSerialNumber = nullptr;  // 1175
    QLineEdit* m_pLatitude = nullptr;      // 1176
    QLineEdit* m_pLongitude = nullptr;     // 1177
    QLineEdit* m_pOperator = nullptr;      // 1178
    QLineEdit* m_pOperTemp = nullptr;      // 1074
};

}  // namespace bramble
