// CLBEditorWnd: the in-place editor of a list-box row, in a dialog, with
// its commit and cancel rules.
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include "logger/CLBEditorWnd.h"

using namespace bramble;

namespace {

// A dialog with a list of three rows, another edit and a default button,
// so that Enter, Escape and Tab would act on the dialog if the editor let them.
struct Form {
    Form()
    {
        auto* layout = new QVBoxLayout(&dialog);
        list = new QListWidget(&dialog);
        list->addItems({"alpha", "beta", "gamma"});
        other = new QLineEdit(&dialog);
        ok = new QPushButton("OK", &dialog);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        layout->addWidget(list);
        layout->addWidget(other);
        layout->addWidget(ok);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    QPointer<CLBEditorWnd> Start(int row, const QString& typed)
    {
        QPointer<CLBEditorWnd> editor = new CLBEditorWnd(list);
        if (!editor->StartEdit(row))
            return editor;
        editor->selectAll();
        QTest::keyClicks(editor, typed);
        return editor;
    }
    QDialog dialog;
    QListWidget* list = nullptr;
    QLineEdit* other = nullptr;
    QPushButton* ok = nullptr;
};

}  // namespace

class CLBEditorWndTest : public QObject {
    Q_OBJECT
private slots:
    void startEditOutsideTheRowsFailsAndLeavesNothing()
    {
        Form form;
        QPointer<CLBEditorWnd> editor = new CLBEditorWnd(form.list);
        QVERIFY(!editor->StartEdit(3));
        QTRY_VERIFY(editor.isNull());
        QPointer<CLBEditorWnd> below = new CLBEditorWnd(form.list);
        QVERIFY(!below->StartEdit(-1));
        QTRY_VERIFY(below.isNull());
        QVERIFY(form.list->viewport()->findChildren<QLineEdit*>().isEmpty());
    }

    void editorLiesOverItsRow()
    {
        Form form;
        QPointer<CLBEditorWnd> editor = new CLBEditorWnd(form.list);
        QVERIFY(editor->StartEdit(1));
        QCOMPARE(editor->text(), QString("beta"));
        QCOMPARE(editor->geometry(), form.list->visualItemRect(form.list->item(1)).adjusted(-1, -1, 1, 1));
        QCOMPARE(editor->font(), form.list->font());
        QVERIFY(editor->hasFocus());
        QTest::keyClick(editor, Qt::Key_Escape);
    }

    void enterCommitsWithoutClosingTheDialog()
    {
        Form form;
        auto editor = form.Start(1, "BETA");
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(form.list->item(1)->text(), QString("BETA"));
        QCOMPARE(form.list->currentRow(), 1);
        QCOMPARE(form.list->count(), 3);
        QVERIFY(form.dialog.isVisible());
        QTRY_VERIFY(editor.isNull());
    }

    void tabCommits()
    {
        Form form;
        auto editor = form.Start(0, "ALPHA");
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(form.list->item(0)->text(), QString("ALPHA"));
        QTRY_VERIFY(editor.isNull());
    }

    void escapeCancelsWithoutClosingTheDialog()
    {
        Form form;
        auto editor = form.Start(2, "discarded");
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(form.list->item(2)->text(), QString("gamma"));
        QVERIFY(form.dialog.isVisible());
        QVERIFY(editor->ended());
        QTRY_VERIFY(editor.isNull());
    }

    void clickOutsideCommits()
    {
        Form form;
        auto editor = form.Start(0, "clicked away");
        // The editor holds the mouse: a press anywhere arrives at it.
        QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(-20, editor->height() + 30));
        QCOMPARE(form.list->item(0)->text(), QString("clicked away"));
        QTRY_VERIFY(editor.isNull());
    }

    void clickInsideKeepsEditing()
    {
        Form form;
        auto editor = form.Start(0, "still editing");
        QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(!editor->ended());
        QCOMPARE(form.list->item(0)->text(), QString("alpha"));
        QTest::keyClick(editor, Qt::Key_Enter);
        QCOMPARE(form.list->item(0)->text(), QString("still editing"));
    }

    void losingTheFocusCommits()
    {
        Form form;
        auto editor = form.Start(2, "focus moved");
        form.other->setFocus();
        QCOMPARE(form.list->item(2)->text(), QString("focus moved"));
        QTRY_VERIFY(editor.isNull());
    }

    void unchangedTextLeavesTheRowSelected()
    {
        Form form;
        QPointer<CLBEditorWnd> editor = new CLBEditorWnd(form.list);
        QVERIFY(editor->StartEdit(1));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(form.list->item(1)->text(), QString("beta"));
        QCOMPARE(form.list->currentRow(), 1);
        QVERIFY(form.list->item(1)->isSelected());
    }
};

QTEST_MAIN(CLBEditorWndTest)
#include "CLBEditorWnd_test.moc"
