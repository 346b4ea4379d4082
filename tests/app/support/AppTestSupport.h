#pragma once

// Helpers of the widget tests: a private settings folder, and driving the
// modal dialogs that the program opens (exec() runs its own event loop, so
// the test acts on the dialog from a timer while it is up).

#include <functional>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "mainwnd/CKelpApp.h"

namespace bramble::test {

#ifdef BRAMBLE_EXAMPLES
// The example surveys and the polar-motion table that covers the CG-3 one.
inline const QString kCg3Example = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";
inline const QString kAliodExample = BRAMBLE_EXAMPLES "/aliod-loop.csv";
inline const QString kPolarExample = BRAMBLE_EXAMPLES "/finals2000A-2019-03-06.daily";
#endif

// Points QSettings and the per-user data folder (autosaves, chart
// settings) at a fresh folder for the whole test program.
inline std::unique_ptr<QTemporaryDir> UsePrivateSettings()
{
    auto dir = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", dir->path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (dir->path() + "/data").toLocal8Bit());
    CKelpApp::SetSettingsKey();
    return dir;
}

// Runs `action` on the next modal widget of type T once it is shown. The
// helper gives up after `timeoutMs`, so that a dialog that never comes
// fails the test instead of hanging it. Returns a flag the test can check.
template <class T>
std::shared_ptr<bool> OnNextModal(std::function<void(T*)> action, int timeoutMs = 5000)
{
    auto done = std::make_shared<bool>(false);
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action, done, waited, timeoutMs] {
        *waited += 10;
        auto* widget = qobject_cast<T*>(QApplication::activeModalWidget());
        if (widget && widget->isVisible()) {
            timer->stop();
            timer->deleteLater();
            *done = true;
            action(widget);
            return;
        }
        if (*waited > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
    return done;
}

// Closes the next message box with OK and keeps its text.
inline std::shared_ptr<QString> AnswerNextMessageBox()
{
    auto text = std::make_shared<QString>();
    OnNextModal<QMessageBox>([text](QMessageBox* box) {
        *text = box->text();
        box->accept();
    });
    return text;
}

// Clicks the named button of a dialog.
inline void Click(QWidget* dialog, const char* buttonName)
{
    auto* button = dialog->findChild<QAbstractButton*>(buttonName);
    QVERIFY2(button, buttonName);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Saves a picture of a widget when BRAMBLE_SCREENSHOTS names a folder.
inline void MaybeGrab(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("BRAMBLE_SCREENSHOTS");
    if (!folder.isEmpty())
        widget->grab().save(folder + "/" + name + ".png");
}

}  // namespace bramble::test
