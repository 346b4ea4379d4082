// CListBoxEx::AddLine: plain appends and the scrolling log.
#include <QtTest>

#include "logger/CListBoxEx.h"

using namespace bramble;

class CListBoxExTest : public QObject {
    Q_OBJECT
private slots:
    void keepAllAppendsWithoutTouchingTheSelection()
    {
        CListBoxEx list;
        list.resize(300, 10 * list.fontMetrics().height() + 40);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const int fit = list.RowsThatFit();
        QVERIFY(fit > 0);
        for (int i = 0; i < fit + 5; ++i)
            QCOMPARE(list.AddLine(QString("line %1").arg(i), true), i);
        QCOMPARE(list.count(), fit + 5);
        QCOMPARE(list.currentRow(), -1);
        QVERIFY(list.selectedItems().isEmpty());
    }

    void scrollingLogHoldsNoMoreRowsThanItShows()
    {
        CListBoxEx list;
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.AddLine("first", false);
        const int rowHeight = list.sizeHintForRow(0);
        list.clear();
        // A list whose height shows exactly ten rows.
        list.resize(300, 10 * rowHeight + (list.height() - list.viewport()->height()));
        QCOMPARE(list.RowsThatFit(), 10);
        for (int i = 0; i < 25; ++i) {
            const int row = list.AddLine(QString("line %1").arg(i), false);
            QCOMPARE(row, list.count() - 1);
            QCOMPARE(list.currentRow(), row);
            QVERIFY(list.item(row)->isSelected());
        }
        QCOMPARE(list.count(), 10);
        QCOMPARE(list.item(0)->text(), QString("line 15"));
        QCOMPARE(list.item(9)->text(), QString("line 24"));
    }

    void aLongerListIsNotTrimmed()
    {
        CListBoxEx list;
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const int fit = list.RowsThatFit();
        for (int i = 0; i < fit + 3; ++i)
            list.AddLine("kept", true);
        list.AddLine("logged", false);
        QCOMPARE(list.count(), fit + 4);
        QCOMPARE(list.currentRow(), fit + 3);
    }
};

QTEST_MAIN(CListBoxExTest)
#include "CListBoxEx_test.moc"
