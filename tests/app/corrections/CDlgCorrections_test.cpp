#include <cmath>
#include <functional>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "corrections/CDlgCorrections.h"
#include "corrections/CellFormat.h"
#include "corrections/PolarMotion.h"
#include "corrections/Pressure.h"
#include "corrections/RecalcSelection.h"
#include "logger/CLBEditorWnd.h"
#include "mainwnd/CStationList.h"
#include "survey/CKelpDoc.h"

using namespace bramble;

namespace {

const QString kPolarFile = BRAMBLE_EXAMPLES "/finals2000A-2019-03-06.daily";

// Closes the next message box of the dialog with OK once it is up and
// keeps its text; gives up after five seconds so that a missing box fails
// the test instead of hanging it.
std::shared_ptr<QString> AnswerNextMessageBox()
{
    auto text = std::make_shared<QString>();
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, text, waited] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && box->isVisible()) {
            *text = box->text();
            box->accept();
        } else if ((*waited += 10) < 5000) {
            return;
        }
        timer->stop();
        timer->deleteLater();
    });
    timer->start();
    return text;
}

template <class W>
W* Child(QWidget* dialog, const char* name)
{
    auto* widget = dialog->findChild<W*>(name);
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

void Click(QWidget* dialog, const char* name)
{
    QTest::mouseClick(Child<QAbstractButton>(dialog, name), Qt::LeftButton);
}

void ClickEntry(QListWidget* list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void SetText(QWidget* dialog, const char* name, const QString& text) { Child<QLineEdit>(dialog, name)->setText(text); }

}  // namespace

class CDlgCorrectionsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_settingsDir;
    std::unique_ptr<CKelpDoc> m_doc;
    std::unique_ptr<CStationList> m_list;
    CorrectionSettings m_settings;

    void LoadCg3()
    {
        m_doc->ReadScintrexFile(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
        m_list->Fill(0);
        ResetCorrectionsForImport(m_settings, *m_doc);
    }

private slots:
    void initTestCase()
    {
        m_settingsDir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", m_settingsDir->path().toLocal8Bit());
    }

    void init()
    {
        m_doc = std::make_unique<CKelpDoc>();
        m_list = std::make_unique<CStationList>(*m_doc);
        m_settings = {};
    }

    void cleanup()
    {
        m_list.reset();
        m_doc.reset();
    }

    void everyControlHasItsCaptionAndId()
    {
        LoadCg3();
        CDlgCorrections dlg(*m_doc, m_settings);
        QCOMPARE(dlg.windowTitle(), QString("Corrections"));
        const struct {
            const char* name;
            int id;
            const char* caption;
        } buttons[] = {
            {"longmanRadio", 1111, "Longman"},
            {"bergerRadio", 1112, "Berger"},
            {"noTideRadio", 1113, "None"},
            {"pressureApplyCheck", 1114, "Apply"},
            {"setNominalButton", 1122, "Set"},
            {"addEntryButton", 1127, "Add"},
            {"removeEntryButton", 1129, "Remove"},
            {"applyPressuresButton", 1128, "Apply"},
            {"polarApplyCheck", 1116, "Apply"},
            {"polarFileButton", 1119, "..."},
            {"driftApplyCheck", 1146, "Apply"},
            {"calculateDriftButton", 1155, "Calculate Drift..."},
            {"okButton", 1, "OK"},
            {"cancelButton", 2, "Cancel"},
            {"applyCorrectionsButton", 1163, "Apply Corrections"},
            {"applyDriftButton", 1165, "Apply Drift..."},
        };
        for (const auto& b : buttons) {
            auto* button = Child<QAbstractButton>(&dlg, b.name);
            QCOMPARE(button->text(), QString(b.caption));
            QCOMPARE(button->property("controlId").toInt(), b.id);
        }
        for (const auto& [name, id] : {std::pair{"elevationEdit", 1121},
                                       {"nominalPressureEdit", 1123},
                                       {"polarFileEdit", 1118},
                                       {"driftNameEdit", 1171}})
            QCOMPARE(Child<QLineEdit>(&dlg, name)->property("controlId").toInt(), id);
        QCOMPARE(Child<QListWidget>(&dlg, "pressureList")->property("controlId").toInt(), 1126);
        dlg.show();
        QVERIFY(!Child<QPushButton>(&dlg, "applyCorrectionsButton")->isVisible());
        QVERIFY(!Child<QPushButton>(&dlg, "applyDriftButton")->isVisible());
        QCOMPARE(Child<QLineEdit>(&dlg, "driftNameEdit")->text(), QString("No Drift"));
    }

    void opensWithTheViewsSettings()
    {
        LoadCg3();
        m_settings.m_nTideMode = kTideBerger;
        m_settings.m_bApplyPressure = true;
        m_settings.m_dNominalPressure = 1013.25;
        m_settings.m_dNominalElevation = 12.5;
        m_settings.m_strPolarFile = "/data/pole.txt";
        m_settings.m_bApplyDrift = true;
        CDlgCorrections dlg(*m_doc, m_settings);
        QVERIFY(Child<QRadioButton>(&dlg, "bergerRadio")->isChecked());
        QVERIFY(Child<QRadioButton>(&dlg, "longmanRadio")->isEnabled());
        QVERIFY(Child<QCheckBox>(&dlg, "pressureApplyCheck")->isChecked());
        QVERIFY(!Child<QCheckBox>(&dlg, "polarApplyCheck")->isChecked());
        QVERIFY(Child<QCheckBox>(&dlg, "driftApplyCheck")->isChecked());
        QCOMPARE(Child<QLineEdit>(&dlg, "nominalPressureEdit")->text(), QString("1013.25"));
        QCOMPARE(Child<QLineEdit>(&dlg, "elevationEdit")->text(), QString("12.5"));
        QCOMPARE(Child<QLineEdit>(&dlg, "polarFileEdit")->text(), QString("/data/pole.txt"));
        auto* list = Child<QListWidget>(&dlg, "pressureList");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QString("03/12/2019  21:30:12  1013.25"));
    }

    void pressureEntriesAreShownInTimeOrder()
    {
        LoadCg3();
        m_settings.m_PressureList = {"01/02/2020  08:00:00  1000", "12/31/2019  23:00:00  1001"};
        CDlgCorrections dlg(*m_doc, m_settings);
        QCOMPARE(Child<QListWidget>(&dlg, "pressureList")->item(0)->text(), QString("12/31/2019  23:00:00  1001"));
    }

    void aliodDataGreysLongmanAndShowsNone()
    {
        m_doc->m_AliodHeader.avgLatitude = "40.02885";
        m_doc->m_AliodHeader.avgLongitude = "-105.04603";
        m_doc->ReadAliodFile(BRAMBLE_EXAMPLES "/aliod-loop.csv");
        m_doc->m_bAliod = true;  // the import command sets the meter type
        QVERIFY(!m_doc->m_Readings.empty());
        m_settings.m_nTideMode = kTideLongman;
        CDlgCorrections dlg(*m_doc, m_settings);
        QVERIFY(!Child<QRadioButton>(&dlg, "longmanRadio")->isEnabled());
        QVERIFY(Child<QRadioButton>(&dlg, "bergerRadio")->isEnabled());
        QVERIFY(Child<QRadioButton>(&dlg, "noTideRadio")->isChecked());
        Click(&dlg, "okButton");
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Settings().m_nTideMode, int(kTideNone));
    }

    void nonNumbersAreRefusedAndTheDialogStaysOpen()
    {
        LoadCg3();
        CDlgCorrections dlg(*m_doc, m_settings);
        int applied = 0;
        dlg.SetApplyHandler([&applied](const CorrectionSettings&) { ++applied; });
        dlg.show();
        SetText(&dlg, "elevationEdit", "12 m");
        auto message = AnswerNextMessageBox();
        Click(&dlg, "okButton");
        QCOMPARE(*message, QString(CDlgCorrections::kNotANumber));
        QVERIFY(dlg.isVisible());
        QCOMPARE(applied, 0);

        SetText(&dlg, "elevationEdit", "12");
        SetText(&dlg, "nominalPressureEdit", "");
        message = AnswerNextMessageBox();
        Click(&dlg, "setNominalButton");
        QCOMPARE(*message, QString(CDlgCorrections::kNotANumber));
        QCOMPARE(Child<QLineEdit>(&dlg, "nominalPressureEdit")->text(), QString(""));
    }

    void setDerivesTheNominalPressureFromTheElevation()
    {
        LoadCg3();
        CDlgCorrections dlg(*m_doc, m_settings);
        SetText(&dlg, "elevationEdit", "100");
        Click(&dlg, "setNominalButton");
        QVERIFY(std::fabs(Child<QLineEdit>(&dlg, "nominalPressureEdit")->text().toDouble() - 1001.294) < 0.0005);
        SetText(&dlg, "elevationEdit", "0");
        Click(&dlg, "setNominalButton");
        QCOMPARE(Child<QLineEdit>(&dlg, "nominalPressureEdit")->text(), QString("1013.25"));
        // Shown to a thousandth, used whole.
        SetText(&dlg, "elevationEdit", "1600");
        Click(&dlg, "setNominalButton");
        const QString shown = Child<QLineEdit>(&dlg, "nominalPressureEdit")->text();
        QVERIFY2(shown.size() - shown.indexOf('.') - 1 <= 3, qPrintable(shown));
        dlg.accept();
        QCOMPARE(dlg.Settings().m_dNominalPressure, NominalPressureFromElevation(1600.0));
    }

    void addAndRemoveEntries()
    {
        LoadCg3();
        CDlgCorrections dlg(*m_doc, m_settings);
        dlg.show();
        auto* list = Child<QListWidget>(&dlg, "pressureList");
        Click(&dlg, "addEntryButton");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(2)->text(), QString("03/13/2019  15:35:02  1013.25"));
        ClickEntry(list, 1);
        Click(&dlg, "removeEntryButton");  // the selected entry
        QCOMPARE(dlg.PressureList(),
                 (std::vector<std::string>{"03/12/2019  21:30:12  1013.25", "03/13/2019  15:35:02  1013.25"}));
        list->clearSelection();
        Click(&dlg, "removeEntryButton");  // none selected: the first
        Click(&dlg, "removeEntryButton");
        QCOMPARE(list->count(), 0);
        Click(&dlg, "removeEntryButton");  // empty: nothing
        QCOMPARE(list->count(), 0);
    }

    void secondClickOnAnEntryEditsItInPlace()
    {
        LoadCg3();
        CDlgCorrections dlg(*m_doc, m_settings);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        auto* list = Child<QListWidget>(&dlg, "pressureList");
        ClickEntry(list, 0);
        QVERIFY(!list->findChild<CLBEditorWnd*>());
        ClickEntry(list, 0);
        auto* editor = list->findChild<CLBEditorWnd*>();
        QVERIFY(editor);
        editor->setText("03/12/2019  21:30:12  1001.5");
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(dlg.isVisible());  // Enter ended the edit, not the dialog
        QCOMPARE(dlg.PressureList().front(), std::string("03/12/2019  21:30:12  1001.5"));
    }

    void theKeyboardEditsThePressureListAndEnterOnlyEndsTheEdit()
    {
        LoadCg3();
        CDlgCorrections dlg(*m_doc, m_settings);
        bool applied = false;
        dlg.SetApplyHandler([&](const CorrectionSettings&) { applied = true; });
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        // Keys go where the keyboard focus is, as they do when typed.
        QWindow* window = dlg.windowHandle();
        auto* list = Child<QListWidget>(&dlg, "pressureList");
        list->setFocus();
        list->setCurrentRow(0);
        QTest::keyClick(window, Qt::Key_F2);
        // The editor deletes itself once it has ended.
        QPointer<CLBEditorWnd> editor = list->findChild<CLBEditorWnd*>();
        QVERIFY(editor && !editor->ended());
        QCOMPARE(QApplication::focusWidget(), editor.data());
        editor->setText("03/12/2019  21:30:12  1002");
        QTest::keyClick(window, Qt::Key_Return);
        QVERIFY(!editor || editor->ended());
        QVERIFY(dlg.isVisible());
        QVERIFY(!applied);  // Enter ended the edit only
        QCOMPARE(list->item(0)->text(), QString("03/12/2019  21:30:12  1002"));
        // The arrows move in the list again.
        QCOMPARE(QApplication::focusWidget(), list);
        QTest::keyClick(window, Qt::Key_Down);
        QCOMPARE(list->currentRow(), 1);
        // Escape takes an edit back, and leaves the dialog open too.
        QTest::keyClick(window, Qt::Key_F2);
        QPointer<CLBEditorWnd> second = list->findChildren<CLBEditorWnd*>().constLast();
        QVERIFY(second && !second->ended());
        second->setText("changed");
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(dlg.isVisible());
        QCOMPARE(list->item(1)->text(), QString("03/13/2019  15:35:02  1013.25"));
        QCOMPARE(QApplication::focusWidget(), list);
    }

    void applyingTheListGivesEveryReadingItsPressureAndStaysAfterCancel()
    {
        LoadCg3();
        m_settings.m_PressureList = {"03/12/2019  21:00:00  1000", "03/13/2019  16:00:00  1019"};
        CDlgCorrections dlg(*m_doc, m_settings);
        dlg.show();
        Click(&dlg, "applyPressuresButton");
        QVERIFY(Child<QCheckBox>(&dlg, "pressureApplyCheck")->isChecked());
        const CReading& first = *m_doc->m_Readings.front();  // 21:30:12: 1000 + 19 x 30.2 / 1140 min
        QVERIFY(std::fabs(first.m_dPressure - (1000.0 + 19.0 * (30.2 / 1140.0))) < 1e-6);
        Click(&dlg, "cancelButton");
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(std::fabs(first.m_dPressure - 1000.503) < 0.001);
    }

    void applyingAnEmptyListClearsTheCheckAndChangesNoReading()
    {
        LoadCg3();
        m_settings.m_PressureList.clear();
        m_settings.m_bApplyPressure = true;
        CDlgCorrections dlg(*m_doc, m_settings);
        Click(&dlg, "applyPressuresButton");
        QVERIFY(!Child<QCheckBox>(&dlg, "pressureApplyCheck")->isChecked());
        QVERIFY(std::isnan(m_doc->m_Readings.front()->m_dPressure));
    }

    void impossibleEntryIsSkippedWithAMessage()
    {
        LoadCg3();
        m_settings.m_PressureList = {"13/12/2019  21:00:00  1000", "03/13/2019  16:00:00  1019"};
        CDlgCorrections dlg(*m_doc, m_settings);
        dlg.show();
        auto message = AnswerNextMessageBox();
        Click(&dlg, "applyPressuresButton");
        QVERIFY(message->contains("13/12/2019"));
        QCOMPARE(m_doc->m_Readings.front()->m_dPressure, 1019.0);
    }

    void polarFileGivesEveryReadingItsPole()
    {
        LoadCg3();
        CDlgCorrections dlg(*m_doc, m_settings);
        QString offered;
        dlg.SetFileChooser([&offered](QWidget*, const QString& current) {
            offered = current;
            return kPolarFile;
        });
        Click(&dlg, "polarFileButton");
        QCOMPARE(Child<QLineEdit>(&dlg, "polarFileEdit")->text(), kPolarFile);
        // 21:30:12 on 12 March, between y 0.360551 (12th) and 0.361831 (13th).
        const double fraction = (21.0 + 30.0 / 60.0 + 12.0 / 3600.0) / 24.0;
        QVERIFY(std::fabs(m_doc->m_Readings.front()->m_PolarMotion.m_dY - (0.360551 + fraction * 0.00128)) < 1e-6);
        QVERIFY(!Child<QCheckBox>(&dlg, "polarApplyCheck")->isChecked());  // left to the operator
        Click(&dlg, "polarFileButton");
        QCOMPARE(offered, kPolarFile);
    }

    void polarFileWithoutTheSurveysDaysClearsTheCheck()
    {
        LoadCg3();
        m_settings.m_bApplyPolar = true;
        for (auto& r : m_doc->m_Readings)
            r->m_dtTime = DateTime(r->m_dtTime.value() + 365.0);
        CDlgCorrections dlg(*m_doc, m_settings);
        dlg.SetFileChooser([](QWidget*, const QString&) { return kPolarFile; });
        Click(&dlg, "polarFileButton");
        QVERIFY(!Child<QCheckBox>(&dlg, "polarApplyCheck")->isChecked());
        QCOMPARE(m_doc->m_Readings.front()->m_PolarMotion.m_dX, 0.0);
    }

    void unopenablePolarFileSaysSoAndChangesNothing()
    {
        LoadCg3();
        m_settings.m_bApplyPolar = true;
        m_settings.m_strPolarFile = "old.txt";
        CDlgCorrections dlg(*m_doc, m_settings);
        dlg.show();
        const QString missing = BRAMBLE_TEST_DATA "/polar/missing.daily";
        dlg.SetFileChooser([missing](QWidget*, const QString&) { return missing; });
        auto message = AnswerNextMessageBox();
        Click(&dlg, "polarFileButton");
        QVERIFY(message->contains(missing));
        QCOMPARE(Child<QLineEdit>(&dlg, "polarFileEdit")->text(), QString("old.txt"));
        QVERIFY(Child<QCheckBox>(&dlg, "polarApplyCheck")->isChecked());
    }

    // "Apply" of "Ocean Loading" is greyed until a BLQ file is read; a file
    // that is not BLQ is named in a message and changes nothing; a good one
    // ticks "Apply" and names the stations without a block.
    void blqFileTicksApplyAndAFileThatIsNotBlqChangesNothing()
    {
        LoadCg3();
        CDlgCorrections dlg(*m_doc, m_settings);
        dlg.show();
        auto* apply = Child<QCheckBox>(&dlg, "oceanLoadApplyCheck");
        QVERIFY(!apply->isEnabled() && !apply->isChecked());
        QCOMPARE(Child<QLineEdit>(&dlg, "blqDistanceEdit")->text(), QString("5"));

        QString chosen = BRAMBLE_TEST_DATA "/oceanload/HVO10.csv";
        QString offered;
        dlg.SetBlqFileChooser([&chosen, &offered](QWidget*, const QString& current) {
            offered = current;
            return chosen;
        });
        auto message = AnswerNextMessageBox();
        Click(&dlg, "blqFileButton");
        QVERIFY(message->contains(chosen + ", line 2"));
        QVERIFY(Child<QLineEdit>(&dlg, "blqFileEdit")->text().isEmpty());
        QVERIFY(!apply->isEnabled());
        QVERIFY(std::isnan(m_doc->m_Readings.front()->m_dOceanLoad));

        chosen = BRAMBLE_TEST_DATA "/oceanload/cg3-two-blocks.blq";
        SetText(&dlg, "blqDistanceEdit", "1");  // only "100" by name
        message = AnswerNextMessageBox();
        Click(&dlg, "blqFileButton");
        QVERIFY(message->contains("for the stations 1, 101, 102"));
        QCOMPARE(Child<QLineEdit>(&dlg, "blqFileEdit")->text(), chosen);
        QVERIFY(apply->isEnabled() && apply->isChecked());
        QCOMPARE(dlg.Settings().m_dBlqMatchDistanceKm, 1.0);

        // Untick, OK: the settings keep the file with the correction off.
        CorrectionSettings applied;
        dlg.SetApplyHandler([&applied](const CorrectionSettings& settings) { applied = settings; });
        message = AnswerNextMessageBox();
        Click(&dlg, "blqFileButton");  // read again: the chooser starts at the file read
        QCOMPARE(offered, chosen);
        Click(&dlg, "oceanLoadApplyCheck");
        Click(&dlg, "okButton");
        QCOMPARE(applied.m_strBlqFile, chosen.toStdString());
        QVERIFY(!applied.m_bApplyOceanLoad);
    }

    void aDistanceThatIsNotANumberOrTooFarIsRefused()
    {
        LoadCg3();
        CDlgCorrections dlg(*m_doc, m_settings);
        dlg.show();
        int applied = 0;
        dlg.SetApplyHandler([&applied](const CorrectionSettings&) { ++applied; });
        for (const auto& [text, says] :
             {std::pair<QString, QString>{"near", CDlgCorrections::kNotANumber}, {"5000", "between 0 and 1000 km"}}) {
            SetText(&dlg, "blqDistanceEdit", text);
            auto message = AnswerNextMessageBox();
            Click(&dlg, "okButton");
            QVERIFY2(message->contains(says), qPrintable(*message));
            QVERIFY(dlg.isVisible());
            QCOMPARE(applied, 0);
            QCOMPARE(dlg.Settings().m_dBlqMatchDistanceKm, kDefaultBlqMatchDistanceKm);
        }
    }

    void calculateDriftIsEnabledOnceTheCalculationIsGiven()
    {
        LoadCg3();
        CDlgCorrections dlg(*m_doc, m_settings);
        dlg.show();
        QVERIFY(!Child<QPushButton>(&dlg, "calculateDriftButton")->isEnabled());
        dlg.SetDriftCalculator([] { return std::optional<QString>("Loop 1"); });
        Click(&dlg, "calculateDriftButton");
        QCOMPARE(Child<QLineEdit>(&dlg, "driftNameEdit")->text(), QString("Loop 1"));
    }

    void cancelStoresNothing()
    {
        LoadCg3();
        CDlgCorrections dlg(*m_doc, m_settings);
        int applied = 0;
        dlg.SetApplyHandler([&applied](const CorrectionSettings&) { ++applied; });
        dlg.show();
        Click(&dlg, "bergerRadio");
        Click(&dlg, "cancelButton");
        QCOMPARE(applied, 0);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }

    // The operator's whole path: choose every correction, OK, and read the
    // list's correction cells.
    void okAppliesEveryCorrectionToTheSelectedRows()
    {
        LoadCg3();
        m_list->SelectAll();
        DriftState drift;
        SelectionSummary summary;
        CDlgCorrections dlg(*m_doc, m_settings);
        dlg.SetFileChooser([](QWidget*, const QString&) { return kPolarFile; });
        dlg.SetApplyHandler([&](const CorrectionSettings& chosen) {
            m_settings = chosen;
            RecalcSelection(*m_doc, *m_list, m_settings, drift, summary);
        });
        dlg.show();
        Click(&dlg, "bergerRadio");
        SetText(&dlg, "elevationEdit", "1600");
        Click(&dlg, "setNominalButton");
        auto* list = Child<QListWidget>(&dlg, "pressureList");
        ClickEntry(list, 1);
        ClickEntry(list, 1);
        auto* editor = list->findChild<CLBEditorWnd*>();
        QVERIFY(editor);
        editor->setText("03/13/2019  15:35:02  845.25");
        QTest::keyClick(editor, Qt::Key_Return);
        Click(&dlg, "applyPressuresButton");
        Click(&dlg, "polarFileButton");
        Click(&dlg, "polarApplyCheck");
        Click(&dlg, "okButton");
        QCOMPARE(dlg.result(), int(QDialog::Accepted));

        QCOMPARE(m_settings.m_nTideMode, int(kTideBerger));
        QVERIFY(m_settings.m_bApplyPressure && m_settings.m_bApplyPolar && !m_settings.m_bApplyDrift);
        QCOMPARE(m_settings.m_dNominalElevation, 1600.0);
        QVERIFY(std::fabs(m_settings.m_dNominalPressure - NominalPressureFromElevation(1600.0).value()) < 1e-9);
        QCOMPARE(dlg.PressureList().back(), std::string("03/13/2019  15:35:02  845.25"));

        // The last reading: at the last entry's time, so 845.25 hPa.
        const int last = m_list->RowCount() - 1;
        const CReading& r = m_list->Reading(last);
        QCOMPARE(r.stationIndex(), 15);
        QVERIFY(std::fabs(r.m_dPressure - 845.25) < 1e-6);
        const double pressureCorr = (845.25 - NominalPressureFromElevation(1600.0).value()) * 0.0003;
        QCOMPARE(m_list->Text(last, CStationList::kPressure), FormatCorrection(pressureCorr));
        // The meter's site is at 105.05 W: the pole effect with east longitude -105.05.
        const double polarCorr = PolarMotionCorrection(r.m_PolarMotion.m_dX, r.m_PolarMotion.m_dY, 40.03, -105.05);
        QVERIFY(polarCorr != 0.0);
        QCOMPARE(m_list->Text(last, CStationList::kPolarMotion), FormatCorrection(polarCorr));
        const double tide = r.m_dTideCorr;
        QVERIFY(std::fabs(tide) > 0.001 && std::fabs(tide) < 0.3);
        QCOMPARE(m_list->Text(last, CStationList::kBerger), FormatCorrection(tide));
        QCOMPARE(m_list->Text(last, CStationList::kCorrectedGrav),
                 FormatCorrection(r.m_dGravLessEtc + tide + pressureCorr + polarCorr));
        QCOMPARE(m_list->Text(last, CStationList::kDriftCorrection), QString("    0.0000").toStdString());
        QCOMPARE(m_list->Text(last, CStationList::kDriftName), std::string("NONE"));
        QCOMPARE(summary.m_nReadings, 15);
    }
};

QTEST_MAIN(CDlgCorrectionsTest)
#include "CDlgCorrections_test.moc"
