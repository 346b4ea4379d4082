// "Meter Com Settings": what it shows for the stored values, what OK stores,
// the interval's range check, and Cancel.
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QtTest>

#include "../support/AppTestSupport.h"
#include "logger/CDlgMeterSetup.h"
#include "logger/LoggerProfile.h"

using namespace bramble;
using namespace bramble::test;

namespace {

QComboBox* Combo(QWidget* dialog, const char* name) { return dialog->findChild<QComboBox*>(name); }
QLineEdit* Interval(QWidget* dialog) { return dialog->findChild<QLineEdit*>("intervalEdit"); }

void Store(int comPort, int baudRate, int interval, const QString& portName = {})
{
    QSettings profile;
    profile.remove("Settings");
    profile.setValue("Settings/ComPort", comPort);
    profile.setValue("Settings/BaudRate", baudRate);
    profile.setValue("Settings/Interval", interval);
    if (!portName.isEmpty())
        profile.setValue("Settings/PortName", portName);
}

// The stored values as a text, to compare whole profiles at once.
QString Stored()
{
    QSettings profile;
    return QString("%1 %2 %3 [%4]")
        .arg(profile.value("Settings/ComPort", "none").toString(),
             profile.value("Settings/BaudRate", "none").toString(),
             profile.value("Settings/Interval", "none").toString(), profile.value("Settings/PortName", "").toString());
}

}  // namespace

class CDlgMeterSetupTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_settings;

private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }
    void init() { QSettings().remove("Settings"); }

    void aFreshProfileShowsCom2At110EverySecond()
    {
        CDlgMeterSetup dialog;
        QCOMPARE(dialog.windowTitle(), QString("Meter Com Settings"));
        QCOMPARE(Combo(&dialog, "portCombo")->currentText(), QString("COM2"));
        QCOMPARE(Combo(&dialog, "baudCombo")->currentText(), QString("110"));
        QCOMPARE(Interval(&dialog)->text(), QString("1"));
        QStringList bauds;
        for (int i = 0; i < Combo(&dialog, "baudCombo")->count(); ++i)
            bauds << Combo(&dialog, "baudCombo")->itemText(i);
        QCOMPARE(bauds, (QStringList{"110", "300", "600", "1200", "2400"}));
        QStringList ports;
        for (int i = 0; i < 4; ++i)
            ports << Combo(&dialog, "portCombo")->itemText(i);
        QCOMPARE(ports, (QStringList{"COM1", "COM2", "COM3", "COM4"}));
    }

    void okStoresTheChosenEntries()
    {
        CDlgMeterSetup dialog;
        dialog.show();
        Combo(&dialog, "portCombo")->setCurrentIndex(3);
        Combo(&dialog, "baudCombo")->setCurrentIndex(4);
        Interval(&dialog)->setText("30");
        Click(&dialog, "okButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Stored(), QString("3 4 30 []"));
        const LoggerSettings loaded = LoadLoggerSettings();
        QCOMPARE(loaded.comPort, 3);
        QCOMPARE(loaded.baudRate, 4);
        QCOMPARE(loaded.interval, 30);
    }

    void aTypedBaudRateIsStoredAsMinusOne()
    {
        Store(0, 2, 5);
        CDlgMeterSetup dialog;
        dialog.show();
        QCOMPARE(Combo(&dialog, "baudCombo")->currentText(), QString("600"));
        auto* edit = Combo(&dialog, "baudCombo")->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, "9600");
        Click(&dialog, "okButton");
        QCOMPARE(Stored(), QString("0 -1 5 []"));
    }

    void theIntervalMustBeAWholeNumberFromOneToTenThousand_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("0") << "0" << false;
        QTest::newRow("10001") << "10001" << false;
        QTest::newRow("-3") << "-3" << false;
        QTest::newRow("letters") << "abc" << false;
        QTest::newRow("fraction") << "2.5" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("10000") << "10000" << true;
    }
    void theIntervalMustBeAWholeNumberFromOneToTenThousand()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        Store(2, 1, 7);
        CDlgMeterSetup dialog;
        dialog.show();
        Combo(&dialog, "portCombo")->setCurrentIndex(0);
        Interval(&dialog)->setText(typed);
        auto text = AnswerNextMessageBox();
        Click(&dialog, "okButton");
        if (accepted) {
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(Stored(), QString("0 1 %1 []").arg(typed));
            QCOMPARE(*text, QString());  // no report
        } else {
            QCOMPARE(*text, QString("Please enter an integer between 1 and 10000."));
            QVERIFY(dialog.isVisible());              // stays open
            QCOMPARE(Stored(), QString("2 1 7 []"));  // nothing stored
            QCOMPARE(Interval(&dialog)->selectedText(), typed);
        }
    }

    void cancelAfterChangingEverythingStoresNothing()
    {
        Store(2, 3, 9);
        CDlgMeterSetup dialog;
        dialog.show();
        Combo(&dialog, "portCombo")->setCurrentIndex(0);
        Combo(&dialog, "baudCombo")->setCurrentIndex(0);
        Interval(&dialog)->setText("99");
        Click(&dialog, "cancelButton");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(Stored(), QString("2 3 9 []"));
    }

    void storedIndicesOutsideTheListsSelectNothingAndOkStoresMinusOne()
    {
        Store(6, 7, 2);
        CDlgMeterSetup dialog;
        dialog.show();
        QCOMPARE(Combo(&dialog, "portCombo")->currentText(), QString());
        QCOMPARE(Combo(&dialog, "baudCombo")->currentText(), QString());
        Click(&dialog, "okButton");
        QCOMPARE(Stored(), QString("-1 -1 2 []"));
    }

    void aTypedDevicePathIsStoredAsPortName()
    {
        Store(2, 0, 1);
        CDlgMeterSetup dialog;
        dialog.show();
        auto* edit = Combo(&dialog, "portCombo")->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, "/dev/ttyUSB0");
        Click(&dialog, "okButton");
        QCOMPARE(Stored(), QString("2 0 1 [/dev/ttyUSB0]"));  // ComPort keeps its value
        QCOMPARE(QString::fromStdString(LoadLoggerSettings().portName), QString("/dev/ttyUSB0"));

        // It opens with the path shown; choosing a COM port again drops it.
        CDlgMeterSetup again;
        again.show();
        QCOMPARE(Combo(&again, "portCombo")->currentText(), QString("/dev/ttyUSB0"));
        Combo(&again, "portCombo")->setCurrentIndex(0);
        Click(&again, "okButton");
        QCOMPARE(Stored(), QString("0 0 1 []"));
    }
};

QTEST_MAIN(CDlgMeterSetupTest)
#include "CDlgMeterSetup_test.moc"
