// GDump: its controls, the mode switch, the meter-type radios and the
// ASCII-file side (chooser, Reload File, Edit File, Clear Screen).
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "../support/ImportDriver.h"
#include "logger/CGDump.h"
#include "logger/CListBoxEx.h"
#include "mainwnd/RecentFileList.h"

using namespace bramble;
using namespace bramble::test;

namespace {

const QString kCg3 = BRAMBLE_EXAMPLES "/cg3-two-blocks.dat";

bool Enabled(CGDump& dump, const char* name)
{
    auto* widget = dump.findChild<QWidget*>(name);
    if (!widget)
        qFatal("no control %s", name);
    return widget->isEnabled();
}

bool Checked(CGDump& dump, const char* name) { return dump.findChild<QRadioButton*>(name)->isChecked(); }

const char* const kAsciiControls[] = {"asciiFileEdit", "asciiBrowseButton", "asciiBox"};
const char* const kInstrumentControls[] = {"instrumentBox",  "controlsBox",         "clearButton",     "settingsButton",
                                           "startButton",    "receiveBrowseButton", "receiveFileEdit", "outputBox",
                                           "byteCountLabel", "byteCountEdit"};

int LinesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    int lines = 0;
    while (!file.atEnd()) {
        file.readLine();
        ++lines;
    }
    return lines;
}

}  // namespace

class CGDumpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }

    void opensInInstrumentModeWithEveryControl()
    {
        CGDump dump;
        dump.show();
        QCOMPARE(dump.windowTitle(), QString("GDump"));
        QVERIFY(!dump.windowIcon().isNull());
        QVERIFY(dump.InstrumentMode());
        QVERIFY(!dump.AsciiFileMode());
        QVERIFY(Checked(dump, "instrumentRadio"));
        QVERIFY(Checked(dump, "cg3Radio"));
        QCOMPARE(dump.MeterType(), int(CGDump::kCG3));
        for (const char* name : kInstrumentControls)
            QVERIFY2(Enabled(dump, name), name);
        for (const char* name : kAsciiControls)
            QVERIFY2(!Enabled(dump, name), name);
        QVERIFY(!Enabled(dump, "stopButton"));
        QVERIFY(!Enabled(dump, "reloadButton"));
        QVERIFY(Enabled(dump, "editFileButton"));
        QCOMPARE(dump.findChild<QLineEdit*>("receiveFileEdit")->text(), QString());
        QCOMPARE(dump.findChild<QLineEdit*>("asciiFileEdit")->text(), QString());
        QCOMPARE(dump.findChild<QLineEdit*>("byteCountEdit")->text(), QString("0"));
        QCOMPARE(dump.findChild<QLabel*>("byteCountLabel")->text(), QString("Received Byte Count"));
        for (const char* name : {"baudEdit", "byteSizeEdit", "parityEdit", "stopBitsEdit"})
            QVERIFY2(dump.findChild<QLineEdit*>(name)->isHidden(), name);
        QStringList groups;
        for (QGroupBox* box : dump.findChildren<QGroupBox*>())
            groups << box->title();
        groups.sort();
        QCOMPARE(groups, (QStringList{"", "", "ASCII", "Controls", "Instrument", "Output"}));
        // The meter files first, everything after them.
        const QStringList filters = CGDump::FileFilter().split(";;");
        QVERIFY(filters.value(0).startsWith("CG-3 Dumps ("));
        QVERIFY(filters.value(1).startsWith("Aliod Files ("));
        QVERIFY(filters.contains("All Files (*)"));
        // A fixed size.
        QCOMPARE(dump.minimumSize(), dump.maximumSize());
    }

    void modeSwitchFollowsTheAcquireRadios()
    {
        CGDump dump;
        dump.show();
        Click(&dump, "asciiFileRadio");
        QVERIFY(dump.AsciiFileMode() && !dump.InstrumentMode());
        for (const char* name : kAsciiControls)
            QVERIFY2(Enabled(dump, name), name);
        for (const char* name : kInstrumentControls)
            QVERIFY2(!Enabled(dump, name), name);
        QVERIFY(!Enabled(dump, "reloadButton"));
        QVERIFY(Enabled(dump, "outputList"));
        Click(&dump, "instrumentRadio");
        QVERIFY(dump.InstrumentMode() && !dump.AsciiFileMode());
        QVERIFY(Enabled(dump, "startButton"));
        QVERIFY(Enabled(dump, "stopButton"));  // the mode switch enables Stop too
    }

    void aliodForcesAsciiFileAndCg3FreesInstrument()
    {
        CGDump dump;
        dump.show();
        Click(&dump, "aliodRadio");
        QVERIFY(Checked(dump, "asciiFileRadio"));
        QVERIFY(dump.AsciiFileMode());
        QVERIFY(!Enabled(dump, "instrumentRadio"));
        QCOMPARE(dump.MeterType(), int(CGDump::kAliod));
        Click(&dump, "cg3Radio");
        QVERIFY(Enabled(dump, "instrumentRadio"));
        QVERIFY(dump.AsciiFileMode());  // the acquire type stays as it was
        QVERIFY(Checked(dump, "asciiFileRadio"));
    }

    void choosingAnAsciiFileListsItsLines()
    {
        CGDump dump;
        dump.show();
        Click(&dump, "asciiFileRadio");
        dump.findChild<QLineEdit*>("receiveFileEdit")->setText("left over");
        ChooseNextFile(kCg3);
        Click(&dump, "asciiBrowseButton");
        QCOMPARE(dump.AsciiFileName(), kCg3);
        QCOMPARE(dump.findChild<QLineEdit*>("asciiFileEdit")->text(), kCg3);
        QCOMPARE(dump.List()->count(), LinesOf(kCg3));
        QCOMPARE(dump.List()->item(0)->text(), QString("SCINTREX V4.1        AUTOGRAV / Field Mode        R4.4"));
        QCOMPARE(dump.findChild<QLineEdit*>("receiveFileEdit")->text(), QString());
        QCOMPARE(QSettings().value("Settings/SndRcvFilename").toString(), kCg3);
        MaybeGrab(&dump, "gdump-ascii");
        // Clear Screen works in instrument mode only; Reload File after an edit.
        Click(&dump, "instrumentRadio");
        Click(&dump, "clearButton");
        QCOMPARE(dump.List()->count(), 0);
    }

    void chooserCancelChangesNothing()
    {
        CGDump dump;
        dump.show();
        Click(&dump, "asciiFileRadio");
        OnNextModal<QFileDialog>([](QFileDialog* chooser) { chooser->reject(); });
        Click(&dump, "asciiBrowseButton");
        QCOMPARE(dump.AsciiFileName(), QString());
        QCOMPARE(dump.List()->count(), 0);
    }

    void receiveFileChooserEmptiesTheAsciiName()
    {
        CGDump dump;
        dump.show();
        dump.findChild<QLineEdit*>("asciiFileEdit")->setText("old.dat");
        QTemporaryDir dir;
        const QString receive = dir.filePath("new-receive.dat");
        ChooseNextFile(receive);
        Click(&dump, "receiveBrowseButton");
        QCOMPARE(dump.findChild<QLineEdit*>("receiveFileEdit")->text(), receive);
        QCOMPARE(dump.findChild<QLineEdit*>("asciiFileEdit")->text(), QString());
        QCOMPARE(QSettings().value("Settings/RcvFilename").toString(), receive);
    }

    void editFileOpensTheFileAndSwitchesToAsciiMode()
    {
        CGDump dump;
        QStringList opened;
        dump.SetFileOpener([&](const QString& path) {
            opened << path;
            return true;
        });
        dump.show();
        QTest::keyClicks(dump.findChild<QLineEdit*>("receiveFileEdit"), kCg3);
        Click(&dump, "editFileButton");
        QCOMPARE(opened, QStringList{kCg3});
        QCOMPARE(dump.findChild<QLineEdit*>("asciiFileEdit")->text(), kCg3);
        QCOMPARE(dump.findChild<QLineEdit*>("receiveFileEdit")->text(), QString());
        QVERIFY(Checked(dump, "asciiFileRadio"));
        QVERIFY(dump.AsciiFileMode());
        QVERIFY(Enabled(dump, "reloadButton"));
        Click(&dump, "reloadButton");
        QCOMPARE(dump.List()->count(), LinesOf(kCg3));
        // OK now hands the import the edited file.
        Click(&dump, "okButton");
        QCOMPARE(dump.result(), int(QDialog::Accepted));
        QCOMPARE(dump.AsciiFileName(), kCg3);
        QVERIFY(dump.AsciiFileMode());
    }

    void editFileWithoutAnyNameSaysSo()
    {
        CGDump dump;
        bool opened = false;
        dump.SetFileOpener([&](const QString&) { return opened = true; });
        dump.show();
        auto text = AnswerNextMessageBox();
        Click(&dump, "editFileButton");
        QCOMPARE(*text, QString("Error:  No File Specified."));
        QVERIFY(!opened);
        QVERIFY(!Enabled(dump, "reloadButton"));
    }

    void editFileWithoutATextEditorSaysSoAndChangesNothing()
    {
        CGDump dump;
        dump.SetFileOpener([](const QString&) { return false; });
        dump.show();
        QTest::keyClicks(dump.findChild<QLineEdit*>("receiveFileEdit"), kCg3);
        auto text = AnswerNextMessageBox();
        Click(&dump, "editFileButton");
        QVERIFY2(text->startsWith("No text editor was found to open " + kCg3), qPrintable(*text));
        QCOMPARE(dump.findChild<QLineEdit*>("receiveFileEdit")->text(), kCg3);
        QVERIFY(dump.InstrumentMode());
    }

    void fileChoosersOpenInTheFolderOfTheLastDataFileWithTheDataFiltersFirst()
    {
        QTemporaryDir folder;
        RecentFileList recent;
        recent.Load();
        recent.Add(folder.filePath("survey.dat"), MeterKind::cg3);
        CGDump dump;
        dump.show();
        Click(&dump, "asciiFileRadio");
        QString opened, filter;
        OnNextModal<QFileDialog>([&](QFileDialog* chooser) {
            opened = chooser->directory().absolutePath();
            filter = chooser->selectedNameFilter();
            chooser->reject();
        });
        Click(&dump, "asciiBrowseButton");
        QCOMPARE(opened, QDir(folder.path()).absolutePath());
        QVERIFY2(filter.startsWith("CG-3 Dumps"), qPrintable(filter));
        // A file already named: its own folder.
        dump.findChild<QLineEdit*>("asciiFileEdit")->setText(kCg3);
        OnNextModal<QFileDialog>([&](QFileDialog* chooser) {
            opened = chooser->directory().absolutePath();
            chooser->reject();
        });
        Click(&dump, "asciiBrowseButton");
        QCOMPARE(opened, QFileInfo(kCg3).absolutePath());
    }

    void cancelClosesWithoutTakingTheFields()
    {
        CGDump dump;
        dump.show();
        Click(&dump, "asciiFileRadio");
        dump.findChild<QLineEdit*>("asciiFileEdit")->setText("typed.dat");
        Click(&dump, "cancelButton");
        QCOMPARE(dump.result(), int(QDialog::Rejected));
        QCOMPARE(dump.AsciiFileName(), QString());
    }

private:
    std::unique_ptr<QTemporaryDir> m_settings;
};

QTEST_MAIN(CGDumpTest)
#include "CGDump_test.moc"
