#pragma once

// Drivers of the program's own dialogs that several widget tests share:
// the OK of a button box, a pressure entry edited in place, and message
// boxes accepted as they come.

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include "logger/CLBEditorWnd.h"

namespace bramble::test {

inline void PressOk(QDialog* dialog) { dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }

// Edits a pressure entry in place the way the operator does: a click
// selects it, a second click opens the editor, Enter keeps the text.
inline void EditPressureEntry(QListWidget* list, int row, const QString& text)
{
    const QPoint centre = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    auto* editor = list->findChild<CLBEditorWnd*>();
    QVERIFY(editor);
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
}

// Accepts every message box that comes up while it lives and keeps their
// texts, so that a test can check them and an unexpected box cannot hang it.
class BoxCloser {
public:
    BoxCloser()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            }
        });
        m_timer.start(10);
    }
    QStringList texts;

private:
    QTimer m_timer;
};

}  // namespace bramble::test
