#include "survey/CDlgAliodHeader.h"

#include "survey/AliodHeaderCheck.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace bramble {

CDlgAliodHeader::CDlgAliodHeader(QWidget* parent) : QDialog(parent)
{
    setObjectName("aliodHeaderDialog");
    setWindowTitle("Aliod Header Creator");

    auto makeEdit = [this](const QString& text, const char* name) {
        auto* edit = new QLineEdit(text, this);
        edit->setObjectName(name);
        edit->setMinimumWidth(160);
        return edit;
    };
    m_pSerialNumber = makeEdit(m_strSerialNumber, "serialNumberEdit");
    m_pLatitude = makeEdit(m_strAvgLatitude, "latitudeEdit");
    m_pLongitude = makeEdit(m_strAvgLongitude, "longitudeEdit");
    m_pOperator = makeEdit(m_strOperator, "operatorEdit");
    m_pOperTemp = makeEdit(m_strOperTemp, "operTempEdit");

    auto* form = new QFormLayout;
    form->addRow("Serial Number:", m_pSerialNumber);
    form->addRow("Average Latitude of Survey Area:", m_pLatitude);
    form->addRow("Average Longitude of Survey Area:", m_pLongitude);
    form->addRow("Operator:", m_pOperator);
    form->addRow("Operating Temperature:", m_pOperTemp);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CDlgAliodHeader::accept);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cancelButton");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &CDlgAliodHeader::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CDlgAliodHeader::accept()
{
    const AliodHeaderTexts typed{m_pSerialNumber->text().toStdString(), m_pLatitude->text().toStdString(),
                                 m_pLongitude->text().toStdString(), m_pOperator->text().toStdString(),
                                 m_pOperTemp->text().toStdString()};
    if (const auto fault = CheckAliodHeaderTexts(typed, false)) {
        QLineEdit* edit = fault->field == AliodHeaderField::avgLatitude    ? m_pLatitude
                          : fault->field == AliodHeaderField::avgLongitude ? m_pLongitude
                          : fault->field == AliodHeaderField::serialNumber ? m_pSerialNumber
                                                                           : m_pOperTemp;
        QString text = QString::fromStdString(fault->text);
        text[0] = text[0].toUpper();
        // A text that is no number gets a hint of what one looks like.
        const bool range = text.contains("outside");
        QMessageBox box(QMessageBox::Warning, windowTitle(),
                        text + (range ? "." : ". Type a number with a point for decimals, for example 46.52."),
                        QMessageBox::Ok, this);
        box.setObjectName("headerRefusedBox");
        box.exec();
        edit->setFocus();
        edit->selectAll();
        return;
    }
    m_strSerialNumber = m_pSerialNumber->text();
    m_strAvgLatitude = m_pLatitude->text();
    m_strAvgLongitude = m_pLongitude->text();
    m_strOperator = m_pOperator->text();
    m_strOperTemp = m_pOperTemp->text();
    QDialog::accept();
}

AliodHeaderTexts CDlgAliodHeader::Texts() const
{
    return {m_strSerialNumber.toStdString(), m_strAvgLatitude.toStdString(), m_strAvgLongitude.toStdString(),
            m_strOperator.toStdString(), m_strOperTemp.toStdString()};
}

}  // namespace bramble
