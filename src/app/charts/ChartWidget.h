#pragma once

#include <optional>
#include <utility>
#include <vector>

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

#include "charts/ChartSettings.h"

class QCustomPlot;
class QCPLayoutGrid;
class QCPTextElement;
class QMenu;

namespace bramble {

// A time-series chart: a number of series, each a point per index with an
// x value (a day number, shown as date and time of day) and a y value; a y
// equal to the missing value (or not a number) is a gap. Consecutive
// points (in time) are joined by lines, broken at gaps, and marked.
//
// The owner configures it (names, colours, titles, labels, which series
// are shown, x range, optional y range), fills the cells and calls
// Repaint(). The operator zooms with the wheel or a rubber band (left
// drag away from a point), resets the zoom by a double click or from the
// right-click menu, changes the style there (lines/points/both, grid,
// legend, marker size, line width), exports PNG or PDF, and reads the value
// under the cursor in a tooltip. A left click on a point emits
// pointClicked(series, point).
//
// Drawn by QCustomPlot, which only ChartWidget.cpp includes.
class ChartWidget final : public QWidget {
    Q_OBJECT
public:
    // A series with more points than this in view is drawn without markers.
    static constexpr int kMaxMarkers = 2000;

    explicit ChartWidget(QWidget* parent = nullptr);
    ~ChartWidget() override;

    // Series and cells. New series are named "Series n" and drawn black; new
    // cells hold x = 0 and the missing value.
    void SetSeriesCount(int count);
    int SeriesCount() const { return static_cast<int>(m_Series.size()); }
    void SetPointCount(int count);
    int PointCount() const { return m_nPoints; }
    void SetX(int series, int point, double dayNumber);
    void SetY(int series, int point, double value);
    double X(int series, int point) const;
    double Y(int series, int point) const;
    // Replaces a whole series; both vectors must hold PointCount() values.
    void SetSeriesData(int series, std::vector<double> dayNumbers, std::vector<double> values);
    void SetMissingValue(double value) { m_dMissing = value; }
    double MissingValue() const { return m_dMissing; }

    void SetSeriesName(int series, const QString& name);
    QString SeriesName(int series) const;
    void SetSeriesColor(int series, const QColor& color);
    QColor SeriesColor(int series) const;
    // A series on the right-hand y axis has a value scale of its own, for a
    // quantity far from the others; the axis shows only while such a series
    // is drawn.
    void SetSeriesOnRightAxis(int series, bool right);
    bool IsSeriesOnRightAxis(int series) const;
    // A text per point (for example the station), shown in the tooltip;
    // empty texts are left out.
    void SetPointLabels(std::vector<QString> labels) { m_PointLabels = std::move(labels); }

    void SetTitle(const QString& title);
    void SetSubtitle(const QString& subtitle);
    QString Title() const { return m_strTitle; }
    QString Subtitle() const { return m_strSubtitle; }
    void SetXLabel(const QString& label);
    void SetYLabel(const QString& label);
    QString XLabel() const;
    QString YLabel() const;
    void SetY2Label(const QString& label);
    QString Y2Label() const;

    // The series drawn (and listed in the legend); all of them until set.
    void SetVisibleSeries(const QList<int>& series);
    QList<int> VisibleSeries() const;

    // The time span to show, day numbers; without one (or with first >
    // last) the chart spans the shown points. A little room is left on
    // both sides so that the outer markers show whole.
    void SetXRange(double first, double last);
    void ClearXRange() { m_XRange.reset(); }
    std::optional<std::pair<double, double>> XRange() const { return m_XRange; }
    // The value span of the left y axis; without one (or with low > high)
    // the axis scales itself to the shown points. A shown point outside it
    // widens it, so that no series drawn is ever off its axis. The right
    // axis always scales itself.
    void SetYRange(double low, double high);
    void ClearYRange() { m_YRange.reset(); }
    std::optional<std::pair<double, double>> YRange() const { return m_YRange; }

    // Hands the cells to the drawing and applies the ranges (which also
    // ends any zoom), then redraws.
    void Repaint();
    // Back to the ranges of the last Repaint(): every shown point in view.
    void ResetZoom();

    // The axes as drawn now: x in day numbers.
    std::pair<double, double> ShownXRange() const;
    std::pair<double, double> ShownYRange() const;
    std::pair<double, double> ShownY2Range() const;
    bool IsRightAxisShown() const;
    // Points drawn for a series and how many of them are gaps.
    int DrawnPointCount(int series) const;
    int DrawnGapCount(int series) const;
    bool IsSeriesDrawn(int series) const;
    // False while the series has too many points in view for markers.
    bool AreMarkersDrawn(int series) const;

    // Where point `point` of `series` is drawn, in the coordinates of
    // plotArea(); (-1, -1) for a gap or a series not drawn.
    QPoint PointPosition(int series, int point);
    // The series and point drawn nearest to `pos` (plotArea() coordinates)
    // within a few pixels; (-1, -1) when there is none.
    std::pair<int, int> PointAt(const QPoint& pos) const;
    // The tooltip for a point: series name, its label, date and time, value.
    QString PointToolTip(int series, int point) const;
    // The widget that receives the mouse (for tests and event filters).
    QWidget* plotArea() const;

    const ChartSettings& Settings() const { return m_Settings; }
    void SetSettings(const ChartSettings& settings);
    // Load leaves the settings unchanged when the file cannot be used.
    bool LoadSettings(const QString& path);
    bool SaveSettings(const QString& path) const;

    // The export dialogs suggest this path (without extension); by default
    // "chart" in the last data folder.
    void SetExportBaseName(const QString& pathWithoutExtension) { m_strExportBase = pathWithoutExtension; }
    // Write the chart safely; a failure is said in a message box.
    bool ExportPng(const QString& path);
    bool ExportPdf(const QString& path);

    // The right-click menu, built for the current settings; the caller owns it.
    QMenu* CreateContextMenu(QWidget* parent);

signals:
    void pointClicked(int series, int point);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Series {
        QString name;
        QColor color = Qt::black;
        bool rightAxis = false;
        std::vector<double> x;  // day numbers
        std::vector<double> y;
        std::vector<int> drawnToPoint;  // drawn (time-sorted) index -> point index
        std::vector<int> pointToDrawn;  // point index -> drawn index
    };
    bool IsMissing(double y) const;
    void ApplySettings();
    void ApplyRanges();
    void UpdateTickFormat();
    void UpdateMarkers();
    void ShowSubtitle(bool show);
    void OnContextMenu(const QPoint& pos);
    void ExportWithDialog(bool pdf);
    Series& At(int series);
    const Series& At(int series) const;

    QCustomPlot* m_pPlot = nullptr;         // child widget
    QCPTextElement* m_pTitle = nullptr;     // owned by the plot's layout
    QCPTextElement* m_pSubtitle = nullptr;  // owned by the plot's layout; null while hidden
    QCPLayoutGrid* m_pLegendRow = nullptr;  // owned by the plot's layout
    std::vector<Series> m_Series;
    QList<int> m_Visible;
    bool m_bAllVisible = true;
    int m_nPoints = 0;
    double m_dMissing = -9999.0;
    QString m_strTitle;
    QString m_strSubtitle;
    std::optional<std::pair<double, double>> m_XRange;
    std::optional<std::pair<double, double>> m_YRange;
    std::vector<QString> m_PointLabels;
    QString m_strExportBase;
    ChartSettings m_Settings;
    // A left press on a point: the point and where the press was.
    std::pair<int, int> m_PressedPoint{-1, -1};
    QPoint m_PressPos;
};

}  // namespace bramble
