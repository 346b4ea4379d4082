#pragma once

// Helpers of the widget tests that work on the program's main window: the
// program started for one test function, and the station list read and
// clicked as the operator does.

#include <memory>

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStringList>
#include <QTest>

#include "mainwnd/CKelpApp.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CMainFrame.h"
#include "mainwnd/CStationList.h"
#include "mainwnd/StationTableView.h"

namespace bramble::test {

// Starts the program without a file (a test's init()) and waits until its
// window shows; gives its view, or null when it did not start. A test's
// cleanup() ends it with app.reset().
inline CKelpView* StartProgram(std::unique_ptr<CKelpApp>& app)
{
    app = std::make_unique<CKelpApp>();
    if (!app->InitInstance({"bramble"}) || !QTest::qWaitForWindowExposed(app->mainFrame()))
        return nullptr;
    return app->mainFrame()->view();
}

// The text a cell of the station list shows.
inline QString Cell(const CKelpView* view, int row, int column)
{
    const QAbstractItemModel* model = view->table()->model();
    return model->data(model->index(row, column)).toString();
}

// The texts of one column, top to bottom.
inline QStringList Column(const CKelpView* view, int column)
{
    QStringList texts;
    for (int row = 0; row < view->table()->model()->rowCount(); ++row)
        texts << Cell(view, row, column);
    return texts;
}

// The first row read at `time` ("HH:MM:SS"), and on `date` ("MM/DD/YYYY")
// when given; -1 when there is none.
inline int FindRow(const CKelpView* view, const QString& time, const QString& date = {})
{
    for (int row = 0; row < view->table()->model()->rowCount(); ++row)
        if (Cell(view, row, CStationList::kTime) == time &&
            (date.isEmpty() || Cell(view, row, CStationList::kDate) == date))
            return row;
    return -1;
}

inline bool Checked(const CKelpView* view, int row)
{
    const QAbstractItemModel* model = view->table()->model();
    return model->data(model->index(row, 0), Qt::CheckStateRole).toInt() == Qt::Checked;
}

inline bool WidgetSelected(const CKelpView* view, int row)
{
    return view->table()->selectionModel()->isRowSelected(row, {});
}

// Clicks a row in the middle of its "Station" cell.
inline void ClickRow(CKelpView* view, int row, Qt::KeyboardModifiers modifiers = {})
{
    StationTableView* table = view->table();
    const QRect cell = table->visualRect(table->model()->index(row, CStationList::kStation));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, cell.center());
}

inline void ClickCheckBox(CKelpView* view, int row)
{
    StationTableView* table = view->table();
    const QRect box = table->checkBoxRect(row);
    QVERIFY(!box.isEmpty());
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, box.center());
}

inline void ClickHeader(CKelpView* view, int column)
{
    QHeaderView* header = view->table()->horizontalHeader();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

}  // namespace bramble::test
