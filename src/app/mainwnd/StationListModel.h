#pragma once

#include <QAbstractTableModel>

#include "mainwnd/CStationList.h"

namespace bramble {

// The table model of the station list. It stores nothing per cell: every
// text is asked of the CStationList when the view paints it, so a list of a
// million readings costs no more widgets or strings than a list of ten.
// The check state of a row is its selection in the CStationList.
class StationListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    // `list` is owned by the view and outlives the model.
    explicit StationListModel(CStationList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Check state of column 0: checking selects the row, unchecking deselects it.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // After the list's columns, one more: why a rejected reading was rejected.
    static constexpr int kReasonColumn = CStationList::kColumnCount;

    // The column the list's rows are sorted by (CStationList::SortColumn).
    int sortColumn() const;

    // Tell the views that the rows were rebuilt or reordered in the list.
    void beginRebuild() { beginResetModel(); }
    void endRebuild() { endResetModel(); }
    // Tell the views that the check state of rows first..last changed.
    void checkStatesChanged(int first, int last);

signals:
    // The operator changed a row's check box (through setData).
    void rowCheckToggled(int row, bool checked);

private:
    CStationList& m_list;
};

}  // namespace bramble
