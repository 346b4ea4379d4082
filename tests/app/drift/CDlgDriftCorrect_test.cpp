// The drift dialogs driven through their widgets, over a loaded survey and
// the real corrections pipeline.
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "corrections/RecalcSelection.h"
#include "drift/CDlgAddDrift.h"
#include "drift/CDlgDriftCorrect.h"
#include "drift/DriftCommand.h"
#include "mainwnd/CStationList.h"
#include "session/ReductionSession.h"

using namespace bramble;

namespace {

struct Survey {
    ReductionSession session;
    CKelpDoc& doc = session.Document();
    CStationList& list = session.List();
    const CorrectionSettings& settings = session.Corrections();
    DriftContext& ctx = session.DriftCommandContext();
    DriftNames names;  // for the steps of a drift command run one by one
    Survey()
    {
        doc.ReadScintrexFile(BRAMBLE_TEST_DATA "/drift/loop.dat");  // the session lists it in time order
    }
    int RowOf(int stationIndex) const
    {
        for (int r = 0; r < list.RowCount(); ++r)
            if (list.StationIndex(r) == stationIndex)
                return r;
        return -1;
    }
};

// Runs `act` on the modal dialog that opens next.
void OnNextModal(std::function<void(QDialog&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        act(*dialog);
    });
}

void Click(QDialog& dialog, QDialogButtonBox::StandardButton which)
{
    auto* box = dialog.findChild<QDialogButtonBox*>();
    QVERIFY(box);
    box->button(which)->click();
}

}  // namespace

class DriftDialogTest : public QObject {
    Q_OBJECT
private slots:
    void applyModeShowsOnlyTheChoice()
    {
        Survey s;
        s.list.SelectAll();
        const std::string line = BeginDriftCommand(s.ctx, s.names, CorrectionSettings{});
        CDlgDriftCorrect dialog(s.ctx, s.names.m_DriftNames, 0, DriftMode::apply, line);
        dialog.start();
        QCOMPARE(dialog.windowTitle(), QString("Apply Drift Correction"));
        QVERIFY(!dialog.findChild<QLineEdit*>("edit1151")->isEnabled());
        for (const char* name : {"button1156", "button1157", "button1158", "button1162"})
            QVERIFY(dialog.findChild<QPushButton*>(name)->isHidden());
        QCOMPARE(dialog.findChild<QComboBox*>("combo1152")->count(), 1);
    }

    void inputThenOkAddsASelectedEntry()
    {
        Survey s;
        s.list.SelectAll();
        const std::string line = BeginDriftCommand(s.ctx, s.names, CorrectionSettings{});
        CDlgDriftCorrect dialog(s.ctx, s.names.m_DriftNames, 0, DriftMode::calculate, line);
        dialog.start();
        QCOMPARE(dialog.windowTitle(), QString("Calculate Drift Correction"));
        OnNextModal([](QDialog& add) {
            QCOMPARE(add.windowTitle(), QString("Input Drift Correction"));
            add.findChild<QLineEdit*>("edit1159")->setText("Loop 15 Jan");
            add.findChild<QDateTimeEdit*>("datetime1160")
                ->setDateTime(QDateTime(QDate(2024, 1, 15), QTime(8, 0), Qt::UTC));
            add.findChild<QLineEdit*>("edit1161")->setText("0.5");
            Click(add, QDialogButtonBox::Ok);
        });
        dialog.findChild<QPushButton*>("button1157")->click();
        auto* combo = dialog.findChild<QComboBox*>("combo1152");
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(combo->currentText(), QString("Loop 15 Jan"));
        QVERIFY(dialog.findChild<QLineEdit*>("edit1151")->text().startsWith("01/15/2024  08:00:00      0.500"));
        dialog.accept();
        FinishDriftCommand(dialog.model(), s.names);
        QCOMPARE(s.names.m_DriftNames.size(), s.doc.m_DriftCorrections.size());
        QCOMPARE(s.names.m_nDriftSel, 1);
        // The 11:00 reading is 3 hours after 08:00: 0.5 * 0.125 mGal of drift.
        QCOMPARE(s.list.Text(s.RowOf(4), CStationList::kDriftCorrection), QString("   -0.0625").toStdString());
        QCOMPARE(s.list.Text(s.RowOf(4), CStationList::kDriftName), std::string("Loop 15 Jan*"));
    }

    void aTypedRateThatIsNotNumbersKeepsTheInputOpen()
    {
        CDlgAddDrift add(CDlgAddDrift::Mode::input, "Comma", DateTime::fromParts(2024, 1, 15), "0.125");
        add.show();
        auto* rate = add.findChild<QLineEdit*>("edit1161");
        rate->setText("46,52");
        QString refused;
        OnNextModal([&](QDialog& box) {
            refused = static_cast<QMessageBox&>(box).text();
            box.accept();
        });
        Click(add, QDialogButtonBox::Ok);
        QVERIFY(add.isVisible());
        QCOMPARE(add.result(), int(QDialog::Rejected));
        QVERIFY(refused.startsWith("The rate \"46,52\" is not a drift rate"));
        rate->setText(" -0.3 0.01 ");
        Click(add, QDialogButtonBox::Ok);
        QCOMPARE(add.result(), int(QDialog::Accepted));
    }

    void deleteOnEntryZeroChangesNothing()
    {
        Survey s;
        s.list.SelectAll();
        CDlgDriftCorrect dialog(s.ctx, s.names.m_DriftNames, 0, DriftMode::calculate,
                                BeginDriftCommand(s.ctx, s.names, CorrectionSettings{}));
        dialog.start();
        dialog.findChild<QPushButton*>("button1162")->click();
        QCOMPARE(dialog.findChild<QComboBox*>("combo1152")->count(), 1);
        QCOMPARE(s.doc.m_DriftCorrections.size(), std::size_t(1));
    }

    void cancelRestoresDriftValuesAndNames()
    {
        Survey s;
        for (auto& r : s.doc.m_Readings) {
            r->m_dDriftCorr = 0.007;
            r->m_strDriftName = "Before";
        }
        s.list.SelectAll();
        OnNextModal([](QDialog& dialog) {
            OnNextModal([](QDialog& add) { Click(add, QDialogButtonBox::Ok); });
            dialog.findChild<QPushButton*>("button1158")->click();  // calculate a named entry
            Click(dialog, QDialogButtonBox::Cancel);
        });
        const auto chosen = RunDriftCommand(nullptr, s.session, CorrectionSettings{}, DriftMode::calculate, {});
        QVERIFY(!chosen.has_value());
        for (auto& r : s.doc.m_Readings) {
            QCOMPARE(r->m_dDriftCorr, 0.007);
            QCOMPARE(r->m_strDriftName, std::string("Before"));
        }
        QCOMPARE(s.session.Drifts().m_DriftNames.size(), s.doc.m_DriftCorrections.size());
    }

    void loopCorrectionRemovesTheBaseDrift()
    {
        Survey s;
        s.list.SelectRow(s.RowOf(1));  // the base station, read at 08:00 and 11:00
        s.list.SelectRow(s.RowOf(4));
        OnNextModal([](QDialog& dialog) { Click(dialog, QDialogButtonBox::Ok); });
        const auto chosen = RunDriftCommand(nullptr, s.session, CorrectionSettings{}, DriftMode::calculate, {});
        QVERIFY(chosen.has_value());
        QCOMPARE(*chosen, std::string("None"));
        QVERIFY(!s.session.Drifts().m_bAddNextDrift);
        QVERIFY(s.settings.m_bApplyDrift);
        QCOMPARE(s.list.Text(s.RowOf(1), CStationList::kCorrectedGrav), std::string("  100.0000"));
        QCOMPARE(s.list.Text(s.RowOf(4), CStationList::kCorrectedGrav), std::string("  100.0000"));
        QCOMPARE(s.list.Text(s.RowOf(4), CStationList::kDriftCorrection), std::string("   -0.0300"));
        QCOMPARE(s.doc.m_Readings[3]->m_dGrav, 100.0);
        // A reading in between, selected later, gets its share of the line.
        s.list.SelectNone();
        s.list.SelectRow(s.RowOf(2));
        OnNextModal([](QDialog& dialog) { Click(dialog, QDialogButtonBox::Ok); });
        RunDriftCommand(nullptr, s.session, CorrectionSettings{}, DriftMode::apply, {});
        QVERIFY(std::abs(s.doc.m_Readings[1]->m_dDriftCorr - 0.01) < 1e-9);
        QCOMPARE(s.list.Text(s.RowOf(2), CStationList::kCorrectedGrav), std::string("   90.0000"));
    }

    void addDriftDialogHandsBackADayNumber()
    {
        CDlgAddDrift dialog(CDlgAddDrift::Mode::calculate, "New Drift Correction",
                            DateTime::fromParts(2024, 1, 15, 13, 45, 30), "    0.123");
        QCOMPARE(dialog.windowTitle(), QString("Calculate Drift Correction"));
        QVERIFY(!dialog.findChild<QLineEdit*>("edit1159")->isEnabled());
        QVERIFY(!dialog.findChild<QDateTimeEdit*>("datetime1160")->isEnabled());
        QVERIFY(dialog.findChild<QLineEdit*>("edit1161")->isEnabled());
        // A 24-hour time without AM/PM, the rate's unit beside it, room for the title.
        QCOMPARE(dialog.findChild<QDateTimeEdit*>("datetime1160")->text(), QString("01/15/2024  13:45:30"));
        QCOMPARE(dialog.findChild<QLabel*>("rateUnit")->text(), QString("mGal/day"));
        QVERIFY(dialog.minimumWidth() > dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + 100);
        QCOMPARE(dialog.start().value(), DateTime::fromParts(2024, 1, 15, 13, 45, 30).value());
    }
};

QTEST_MAIN(DriftDialogTest)
#include "CDlgDriftCorrect_test.moc"
