#pragma once

#include <QDialog>

class QLineEdit;

namespace bramble {

// "Aliod Header Creator": the five header values that an Aliod file does
// not carry. It opens with the same five texts every time; the import
// copies them into the document only when the dialog ends with OK.
class CDlgAliodHeader final : public QDialog {
    Q_OBJECT
public:
    explicit CDlgAliodHeader(QWidget* parent = nullptr);

    void accept() override;

    // The texts as taken on OK.
    QString m_strSerialNumber = "123456789";
    QString m_strAvgLatitude = "40.02885";
    QString m_strAvgLongitude = "-105.04603";
    QString m_strOperator = "NONE";
    QString m_strOperTemp = "90.5";

private:
    QLineEdit* m_pSerialNumber = nullptr;   // 1175
    QLineEdit* m_pLatitude = nullptr;       // 1176
    QLineEdit* m_pLongitude = nullptr;      // 1177
    QLineEdit* m_pOperator = nullptr;       // 1178
    QLineEdit* m_pOperTemp = nullptr;       // 1074
};

}  // namespace bramble
