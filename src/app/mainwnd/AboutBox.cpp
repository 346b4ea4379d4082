#include "mainwnd/AboutBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "mainwnd/AppIcon.h"

namespace bramble {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("About Bramble");
    setObjectName("aboutBox");

    auto* icon = new QLabel(this);
    icon->setObjectName("aboutIcon");
    icon->setPixmap(AppIcon().pixmap(32, 32));

    auto* version = new QLabel("Bramble Version 2.1210", this);
    version->setObjectName("aboutVersion");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addSpacing(12);
    row->addWidget(version, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace bramble
