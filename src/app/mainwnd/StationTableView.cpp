#include "mainwnd/StationTableView.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

#include "mainwnd/CStationList.h"
#include "mainwnd/StationListModel.h"

namespace bramble {

StationTableView::StationTableView(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Fixed row heights and no row header keep a list of a million rows fast.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);  // none until the rows are sorted
    // Before the view's own handler, which sorts and so resets the rows.
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { m_nClickedSection = section; });
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
}

void StationTableView::reset()
{
    QTableView::reset();
    UpdateSortIndicator();
}

void StationTableView::UpdateSortIndicator()
{
    const auto* stations = qobject_cast<const StationListModel*>(model());
    if (!stations || stations->rowCount() == 0) {
        horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        return;
    }
    int column = stations->sortColumn();
    // "Time" and "Date" both sort by the hidden day number: mark the one
    // clicked, "Time" when the rows were put in time order by themselves.
    if (column == CStationList::kDayNumber)
        column = m_nClickedSection == CStationList::kDate ? CStationList::kDate : CStationList::kTime;
    horizontalHeader()->setSortIndicator(column, Qt::AscendingOrder);
}

QRect StationTableView::checkBoxRect(int row) const
{
    if (!model())
        return {};
    const QModelIndex index = model()->index(row, 0);
    const QRect cell = visualRect(index);
    if (!index.isValid() || cell.isEmpty())
        return {};
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = cell;
    option.index = index;
    option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.checkState = static_cast<Qt::CheckState>(index.data(Qt::CheckStateRole).toInt());
    option.text = index.data(Qt::DisplayRole).toString();
    return style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
}

bool StationTableView::onCheckBox(const QPoint& pos, QModelIndex* index) const
{
    const QModelIndex hit = indexAt(pos);
    if (!hit.isValid() || hit.column() != 0 || !(hit.flags() & Qt::ItemIsUserCheckable))
        return false;
    if (!checkBoxRect(hit.row()).contains(pos))
        return false;
    if (index)
        *index = hit;
    return true;
}

void StationTableView::mousePressEvent(QMouseEvent* event)
{
    QModelIndex index;
    if (event->button() == Qt::LeftButton && onCheckBox(event->position().toPoint(), &index)) {
        const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        model()->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        m_swallowRelease = true;
        event->accept();
        return;
    }
    m_swallowRelease = false;
    QTableView::mousePressEvent(event);
}

void StationTableView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_swallowRelease) {
        m_swallowRelease = false;
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void StationTableView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A quick second click on a check box toggles it again.
    if (event->button() == Qt::LeftButton && onCheckBox(event->position().toPoint())) {
        mousePressEvent(event);
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

}  // namespace bramble
