#include "survey/CDlgAliodHeader.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
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
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CDlgAliodHeader::accept()
{
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
