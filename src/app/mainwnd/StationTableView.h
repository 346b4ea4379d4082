#pragma once

#include <QTableView>

namespace bramble {

// The table widget of the station list. A click on a row's check box only
// toggles that check box (which the view turns into selecting or
// deselecting that row alone); every other click selects as usual, so a
// plain click on one row leaves that row alone selected. The header shows
// which column the rows are sorted by (always ascending).
class StationTableView final : public QTableView {
    Q_OBJECT
public:
    explicit StationTableView(QWidget* parent = nullptr);

    // Where the check box of `row` is drawn, in viewport coordinates;
    // empty when the row is not shown.
    QRect checkBoxRect(int row) const;

    // The rows were rebuilt or reordered: the sort indicator follows the
    // list's sort column.
    void reset() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool onCheckBox(const QPoint& pos, QModelIndex* index = nullptr) const;

    void UpdateSortIndicator();

    bool m_swallowRelease = false;  // the press toggled a check box
    int m_nClickedSection = -1;     // the header clicked last
};

}  // namespace bramble
