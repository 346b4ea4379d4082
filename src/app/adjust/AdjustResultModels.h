#pragma once

#include <QAbstractTableModel>

#include "adjust/AdjustResult.h"

namespace bramble {

// The adjusted stations, one row each. Qt::UserRole gives the raw value of
// a cell for sorting (numbers as numbers).
class StationResultModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { station, gravity, sd, setups, fixed, kColumns };

    using QAbstractTableModel::QAbstractTableModel;
    void SetResult(const AdjustmentResult* result);  // not owned; null empties the table

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const AdjustmentResult* m_pResult = nullptr;
};

// The observations with their residuals and tests, one row each; rows the
// tau test flags are highlighted. Qt::UserRole as above.
class ObservationResultModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { loop, observation, observed, sigma, residual, redundancy, standardized, outlier, kColumns };

    using QAbstractTableModel::QAbstractTableModel;
    void SetResult(const AdjustmentResult* result);  // not owned; null empties the table
    const ObservationResult* Observation(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The background of a flagged row.
    static QColor OutlierBackground();

private:
    const AdjustmentResult* m_pResult = nullptr;
};

// "A -> B", "A" or "datum A": what an observation observes.
QString ObservationText(const ObservationResult& o);

}  // namespace bramble
