#pragma once

#include <vector>

#include <QString>
#include <QWidget>

#include "adjust/AdjustResult.h"
#include "adjust/Setup.h"

class QComboBox;
class QCustomPlot;

namespace bramble {

// The adjustment window's charts, drawn by QCustomPlot (which only
// AdjustCharts.cpp includes). Each shows what AdjustPlotData computes and
// can be saved as PNG or PDF through the safe file writing.
class AdjustChart : public QWidget {
    Q_OBJECT
public:
    explicit AdjustChart(QWidget* parent = nullptr);
    ~AdjustChart() override;
    QCustomPlot* plot() const { return m_pPlot; }
    // The chart as file bytes: PNG at twice the screen resolution, or PDF.
    QByteArray PngBytes() const;
    QByteArray PdfBytes() const;

protected:
    void ShowNote(const QString& text);  // a centred note in place of data
    QCustomPlot* m_pPlot = nullptr;      // child
};

// Per loop (chosen in a list): the setups' readings less the adjusted
// gravity and the loop's level, against time, with the fitted drift.
class DriftChart final : public AdjustChart {
    Q_OBJECT
public:
    explicit DriftChart(QWidget* parent = nullptr);
    // Both must outlive the chart or the next SetResult (null clears).
    void SetResult(const AdjustmentResult* result, const std::vector<Setup>* setups);
    QComboBox* loopChooser() const { return m_pLoops; }
    void ShowLoop(int loop);

private:
    QComboBox* m_pLoops = nullptr;
    const AdjustmentResult* m_pResult = nullptr;
    const std::vector<Setup>* m_pSetups = nullptr;
};

// The standardized residuals in bins of 0.5, with the tau test's bounds.
class ResidualHistogram final : public AdjustChart {
    Q_OBJECT
public:
    using AdjustChart::AdjustChart;
    void SetResult(const AdjustmentResult* result);
};

// Stations by longitude and latitude, ties coloured by |w|.
class StationMap final : public AdjustChart {
    Q_OBJECT
public:
    using AdjustChart::AdjustChart;
    void SetResult(const AdjustmentResult* result);
    // Ties drawn beyond this many would make the map unreadable and slow.
    static constexpr int kMaxTies = 5000;
};

}  // namespace bramble
