#include "adjust/AdjustResultModels.h"

#include <QColor>

#include "output/StringPrintf.h"

namespace bramble {
namespace {

// Through the program's one printf, which never shows a negative zero.
QString Number(const char* format, double value) { return QString::fromStdString(StringPrintf(format, value)); }

}  // namespace

QString ObservationText(const ObservationResult& o)
{
    switch (o.kind) {
    case ObservationResult::Kind::difference:
        return QString::fromStdString(o.from) + QString::fromUtf8(" \u2192 ") + QString::fromStdString(o.to);
    case ObservationResult::Kind::datum:
        return "datum " + QString::fromStdString(o.to);
    case ObservationResult::Kind::setup:
        break;
    }
    return QString::fromStdString(o.to);
}

void StationResultModel::SetResult(const AdjustmentResult* result)
{
    beginResetModel();
    m_pResult = result;
    endResetModel();
}

int StationResultModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_pResult ? 0 : static_cast<int>(m_pResult->stations.size());
}

int StationResultModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant StationResultModel::data(const QModelIndex& index, int role) const
{
    if (!m_pResult || !index.isValid() || index.row() >= rowCount() || index.column() >= kColumns)
        return {};
    const StationResult& s = m_pResult->stations[static_cast<std::size_t>(index.row())];
    if (role == Qt::TextAlignmentRole)
        return index.column() == station ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::UserRole)
        return {};
    const bool raw = role == Qt::UserRole;
    switch (index.column()) {
    case station:
        return QString::fromStdString(s.station);
    case gravity:
        return raw ? QVariant(s.gravity) : QVariant(Number("%.4f", s.gravity));
    case sd:
        return raw ? QVariant(s.sd) : QVariant(Number("%.4f", s.sd));
    case setups:
        return s.setups;
    case fixed:
        return s.fixed ? QString("fixed") : QString();
    }
    return {};
}

QVariant StationResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case station:
        return QString("Station");
    case gravity:
        return QString("Gravity (mGal)");
    case sd:
        return QString("SD (mGal)");
    case setups:
        return QString("Setups");
    case fixed:
        return QString("Held");
    }
    return {};
}

void ObservationResultModel::SetResult(const AdjustmentResult* result)
{
    beginResetModel();
    m_pResult = result;
    endResetModel();
}

const ObservationResult* ObservationResultModel::Observation(int row) const
{
    if (!m_pResult || row < 0 || row >= rowCount())
        return nullptr;
    return &m_pResult->observationResults[static_cast<std::size_t>(row)];
}

int ObservationResultModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_pResult ? 0 : static_cast<int>(m_pResult->observationResults.size());
}

int ObservationResultModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QColor ObservationResultModel::OutlierBackground() { return QColor(255, 205, 205); }

QVariant ObservationResultModel::data(const QModelIndex& index, int role) const
{
    const ObservationResult* o = index.isValid() ? Observation(index.row()) : nullptr;
    if (!o || index.column() >= kColumns)
        return {};
    if (role == Qt::BackgroundRole)
        return o->outlier ? QVariant(OutlierBackground()) : QVariant();
    if (role == Qt::ForegroundRole)
        return o->outlier ? QVariant(QColor(Qt::black)) : QVariant();
    if (role == Qt::TextAlignmentRole)
        return index.column() == loop || index.column() == observation ? QVariant()
                                                                        : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::UserRole)
        return {};
    const bool raw = role == Qt::UserRole;
    const auto number = [raw](const char* format, double value) {
        return raw ? QVariant(value) : QVariant(Number(format, value));
    };
    switch (index.column()) {
    case loop:
        return QString::fromStdString(o->loop);
    case observation:
        return ObservationText(*o);
    case observed:
        return number("%.4f", o->observed);
    case sigma:
        return number("%.4f", o->sigma);
    case residual:
        return number("%.4f", o->residual);
    case redundancy:
        return number("%.3f", o->redundancy);
    case standardized:
        if (!o->standardized)
            return raw ? QVariant(0.0) : QVariant(QString("-"));
        return number("%.2f", *o->standardized);
    case outlier:
        return o->outlier ? QString("outlier") : QString();
    }
    return {};
}

QVariant ObservationResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case loop:
        return QString("Loop");
    case observation:
        return QString("Observation");
    case observed:
        return QString("Observed (mGal)");
    case sigma:
        return QString::fromUtf8("\u03c3 (mGal)");
    case residual:
        return QString("Residual (mGal)");
    case redundancy:
        return QString("Redundancy");
    case standardized:
        return QString("w");
    case outlier:
        return QString::fromUtf8("\u03c4 test");
    }
    return {};
}

}  // namespace bramble
