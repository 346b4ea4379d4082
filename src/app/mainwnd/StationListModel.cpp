#include "mainwnd/StationListModel.h"

#include "mainwnd/CStationList.h"

namespace bramble {

StationListModel::StationListModel(CStationList& list, QObject* parent) : QAbstractTableModel(parent), m_list(list) { }

int StationListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_list.RowCount(); }

int StationListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : CStationList::kColumnCount + 1;
}

QVariant StationListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == kReasonColumn)
            return QString::fromStdString(m_list.RejectionReason(index.row()));
        return QString::fromStdString(m_list.Text(index.row(), index.column()));
    case Qt::CheckStateRole:
        if (index.column() == CStationList::kHeader)
            return m_list.IsSelected(index.row()) ? Qt::Checked : Qt::Unchecked;
        return {};
    default:  // every cell is left-aligned, the views' default

        return {};
    }
}

QVariant StationListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section > kReasonColumn)
        return {};
    if (role == Qt::DisplayRole && section == kReasonColumn)
        return QString("Rejection Reason");
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(CStationList::Columns()[static_cast<std::size_t>(section)].title);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags StationListModel::flags(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == CStationList::kHeader && !m_list.IsRejected(index.row()))
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool StationListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    if (role != Qt::CheckStateRole || index.column() != CStationList::kHeader)
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    if (checked && m_list.IsRejected(index.row()))
        return false;  // a rejected reading cannot be selected
    if (checked == m_list.IsSelected(index.row()))
        return true;
    if (checked)
        m_list.SelectRow(index.row());
    else
        m_list.DeselectRow(index.row());
    checkStatesChanged(index.row(), index.row());
    emit rowCheckToggled(index.row(), checked);
    return true;
}

int StationListModel::sortColumn() const { return m_list.SortColumn(); }

void StationListModel::checkStatesChanged(int first, int last)
{
    if (first > last || m_list.RowCount() == 0)
        return;
    emit dataChanged(index(first, CStationList::kHeader), index(last, CStationList::kHeader), {Qt::CheckStateRole});
}

}  // namespace bramble
