#include "mainwnd/MessageBoxSink.h"

#include <QMessageBox>
#include <QMetaObject>

namespace bramble {

void MessageBoxSink::ShowMessage(const std::string& text)
{
    if (!m_pParent)
        return;
    const QString message = QString::fromStdString(text);
    QPointer<QWidget> parent = m_pParent;
    QMetaObject::invokeMethod(
        m_pParent,
        [parent, message] {
            if (!parent)
                return;
            QMessageBox box(QMessageBox::NoIcon, "Bramble", message, QMessageBox::Ok, parent);
            box.setObjectName("documentMessageBox");
            box.exec();
        },
        Qt::QueuedConnection);
}

}  // namespace bramble
