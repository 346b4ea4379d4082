#include "charts/ChartWidget.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include <qcustomplot.h>

#include <QActionGroup>
#include <QDir>
#include <QFileDialog>
#include <QHelpEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimeZone>
#include <QToolTip>
#include <QVBoxLayout>

#include "charts/ChartTime.h"
#include "charts/PlotBytes.h"
#include "output/FileSaving.h"
#include "survey/DateTime.h"
#include "survey/FileChoosers.h"

namespace bramble {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kClickSlop = 4;  // pixels a click may move and still be a click

QFont TitleFont(const QFont& base)
{
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * 1.35);
    font.setBold(true);
    return font;
}

}  // namespace

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pPlot = new QCustomPlot(this);
    m_pPlot->setObjectName("chartPlot");
    layout->addWidget(m_pPlot);

    m_pPlot->setBackground(Qt::white);
    m_pPlot->plotLayout()->insertRow(0);
    m_pTitle = new QCPTextElement(m_pPlot, QString(), TitleFont(font()));
    m_pPlot->plotLayout()->addElement(0, 0, m_pTitle);

    auto ticker = QSharedPointer<QCPAxisTickerDateTime>::create();
    ticker->setTimeZone(QTimeZone::utc());  // day numbers carry no time zone: show them as they are
    ticker->setTickCount(6);
    m_pPlot->xAxis->setTicker(ticker);
    connect(m_pPlot->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this](const QCPRange&) {
        UpdateTickFormat();
        UpdateMarkers();
    });

    for (QCPAxis* axis : {m_pPlot->xAxis, m_pPlot->yAxis, m_pPlot->yAxis2}) {
        axis->setBasePen(QPen(QColor(90, 90, 90)));
        axis->setTickPen(QPen(QColor(90, 90, 90)));
        axis->setSubTickPen(QPen(QColor(140, 140, 140)));
        axis->setTickLabelColor(QColor(40, 40, 40));
        axis->setLabelColor(QColor(20, 20, 20));
        axis->grid()->setPen(QPen(QColor(225, 225, 225), 0, Qt::SolidLine));
        axis->grid()->setZeroLinePen(QPen(QColor(190, 190, 190), 0, Qt::SolidLine));
    }
    m_pPlot->yAxis->setNumberFormat("gb");
    m_pPlot->yAxis2->setNumberFormat("gb");
    m_pPlot->yAxis2->setTickLabels(true);
    m_pPlot->yAxis2->setVisible(false);
    m_pPlot->yAxis2->grid()->setVisible(false);  // one grid, the left axis's
    m_pPlot->xAxis->setRange(DayNumberToSeconds(0.0), DayNumberToSeconds(1.0));

    QFont legendFont = font();
    legendFont.setPointSizeF(font().pointSizeF() * 0.9);
    m_pPlot->legend->setFont(legendFont);
    // The legend is a row under the axes, so that it never hides a point.
    // Empty cells on both sides keep it compact and centred.
    m_pPlot->axisRect()->insetLayout()->take(m_pPlot->legend);
    auto* legendRow = new QCPLayoutGrid;
    m_pLegendRow = legendRow;
    m_pPlot->plotLayout()->addElement(m_pPlot->plotLayout()->rowCount(), 0, legendRow);
    m_pPlot->plotLayout()->setRowStretchFactor(m_pPlot->plotLayout()->rowCount() - 1, 0.001);
    legendRow->addElement(0, 0, new QCPLayoutElement(m_pPlot));
    legendRow->addElement(0, 1, m_pPlot->legend);
    legendRow->addElement(0, 2, new QCPLayoutElement(m_pPlot));
    legendRow->setColumnStretchFactor(1, 0.001);
    m_pPlot->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    m_pPlot->legend->setWrap(5);
    m_pPlot->legend->setBrush(Qt::NoBrush);
    m_pPlot->legend->setBorderPen(Qt::NoPen);
    m_pPlot->legend->setColumnSpacing(14);

    // Wheel zoom on both axes; the rubber band is switched on for each left
    // press that is not on a point, so that a click on a point stays a click.
    m_pPlot->setInteractions(QCP::iRangeZoom);
    m_pPlot->axisRect()->setRangeZoom(Qt::Horizontal | Qt::Vertical);
    m_pPlot->axisRect()->setRangeZoomAxes({m_pPlot->xAxis}, {m_pPlot->yAxis, m_pPlot->yAxis2});
    m_pPlot->setSelectionRectMode(QCP::srmNone);
    m_pPlot->selectionRect()->setPen(QPen(QColor(30, 90, 200), 1, Qt::DashLine));
    m_pPlot->selectionRect()->setBrush(QColor(30, 90, 200, 30));
    m_pPlot->setNoAntialiasingOnDrag(true);

    m_pPlot->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pPlot, &QWidget::customContextMenuRequested, this, &ChartWidget::OnContextMenu);
    m_pPlot->installEventFilter(this);

    ApplySettings();
}

ChartWidget::~ChartWidget()
{
    // The plot outlives this object by a moment (children go last): stop
    // its signals and events from reaching it.
    m_pPlot->removeEventFilter(this);
    m_pPlot->xAxis->disconnect(this);
}

QWidget* ChartWidget::plotArea() const { return m_pPlot; }

ChartWidget::Series& ChartWidget::At(int series) { return m_Series.at(static_cast<std::size_t>(series)); }
const ChartWidget::Series& ChartWidget::At(int series) const { return m_Series.at(static_cast<std::size_t>(series)); }

bool ChartWidget::IsMissing(double y) const { return std::isnan(y) || y == m_dMissing; }

// ---------------------------------------------------------------- cells

void ChartWidget::SetSeriesCount(int count)
{
    const std::size_t old = m_Series.size();
    m_Series.resize(static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t s = old; s < m_Series.size(); ++s) {
        m_Series[s].name = QStringLiteral("Series %1").arg(s);
        m_Series[s].x.assign(static_cast<std::size_t>(m_nPoints), 0.0);
        m_Series[s].y.assign(static_cast<std::size_t>(m_nPoints), m_dMissing);
    }
}

void ChartWidget::SetPointCount(int count)
{
    m_nPoints = std::max(count, 0);
    for (Series& s : m_Series) {
        s.x.resize(static_cast<std::size_t>(m_nPoints), 0.0);
        s.y.resize(static_cast<std::size_t>(m_nPoints), m_dMissing);
    }
}

void ChartWidget::SetX(int series, int point, double dayNumber)
{
    At(series).x.at(static_cast<std::size_t>(point)) = dayNumber;
}
void ChartWidget::SetY(int series, int point, double value)
{
    At(series).y.at(static_cast<std::size_t>(point)) = value;
}
double ChartWidget::X(int series, int point) const { return At(series).x.at(static_cast<std::size_t>(point)); }
double ChartWidget::Y(int series, int point) const { return At(series).y.at(static_cast<std::size_t>(point)); }

void ChartWidget::SetSeriesData(int series, std::vector<double> dayNumbers, std::vector<double> values)
{
    Series& s = At(series);
    dayNumbers.resize(static_cast<std::size_t>(m_nPoints), 0.0);
    values.resize(static_cast<std::size_t>(m_nPoints), m_dMissing);
    s.x = std::move(dayNumbers);
    s.y = std::move(values);
}

void ChartWidget::SetSeriesName(int series, const QString& name) { At(series).name = name; }
QString ChartWidget::SeriesName(int series) const { return At(series).name; }
void ChartWidget::SetSeriesColor(int series, const QColor& color) { At(series).color = color; }
QColor ChartWidget::SeriesColor(int series) const { return At(series).color; }
void ChartWidget::SetSeriesOnRightAxis(int series, bool right) { At(series).rightAxis = right; }
bool ChartWidget::IsSeriesOnRightAxis(int series) const { return At(series).rightAxis; }

// ---------------------------------------------------------------- texts

void ChartWidget::SetTitle(const QString& title)
{
    m_strTitle = title;
    m_pTitle->setText(title);
}

void ChartWidget::SetSubtitle(const QString& subtitle)
{
    m_strSubtitle = subtitle;
    ShowSubtitle(!subtitle.isEmpty());
    if (m_pSubtitle)
        m_pSubtitle->setText(subtitle);
}

// An empty subtitle takes no room: its row exists only while it has a text.
void ChartWidget::ShowSubtitle(bool show)
{
    QCPLayoutGrid* grid = m_pPlot->plotLayout();
    if (show && !m_pSubtitle) {
        grid->insertRow(1);
        m_pSubtitle = new QCPTextElement(m_pPlot, QString(), font());
        grid->addElement(1, 0, m_pSubtitle);
    } else if (!show && m_pSubtitle) {
        grid->remove(m_pSubtitle);  // deletes it
        m_pSubtitle = nullptr;
        grid->simplify();
    }
}

void ChartWidget::SetXLabel(const QString& label) { m_pPlot->xAxis->setLabel(label); }
void ChartWidget::SetYLabel(const QString& label) { m_pPlot->yAxis->setLabel(label); }
QString ChartWidget::XLabel() const { return m_pPlot->xAxis->label(); }
QString ChartWidget::YLabel() const { return m_pPlot->yAxis->label(); }
void ChartWidget::SetY2Label(const QString& label) { m_pPlot->yAxis2->setLabel(label); }
QString ChartWidget::Y2Label() const { return m_pPlot->yAxis2->label(); }

// ---------------------------------------------------------------- series shown, ranges

void ChartWidget::SetVisibleSeries(const QList<int>& series)
{
    m_Visible = series;
    m_bAllVisible = false;
}

QList<int> ChartWidget::VisibleSeries() const
{
    if (!m_bAllVisible)
        return m_Visible;
    QList<int> all;
    for (int s = 0; s < SeriesCount(); ++s)
        all << s;
    return all;
}

void ChartWidget::SetXRange(double first, double last) { m_XRange = std::make_pair(first, last); }
void ChartWidget::SetYRange(double low, double high) { m_YRange = std::make_pair(low, high); }

void ChartWidget::Repaint()
{
    while (m_pPlot->graphCount() > SeriesCount())
        m_pPlot->removeGraph(m_pPlot->graphCount() - 1);
    while (m_pPlot->graphCount() < SeriesCount())
        m_pPlot->addGraph();
    for (int s = 0; s < SeriesCount(); ++s) {
        Series& series = At(s);
        QCPGraph* graph = m_pPlot->graph(s);
        graph->setName(series.name);
        graph->setValueAxis(series.rightAxis ? m_pPlot->yAxis2 : m_pPlot->yAxis);
        const bool visible = m_bAllVisible || m_Visible.contains(s);
        graph->setVisible(visible);
        series.drawnToPoint.clear();
        series.pointToDrawn.clear();
        if (!visible) {
            graph->data()->clear();
            continue;
        }

        // The drawing joins points in time order; keep the way back to
        // the caller's point index when the cells are not in that order.
        const auto n = series.x.size();
        if (!std::is_sorted(series.x.begin(), series.x.end())) {
            series.drawnToPoint.resize(n);
            std::iota(series.drawnToPoint.begin(), series.drawnToPoint.end(), 0);
            std::stable_sort(series.drawnToPoint.begin(), series.drawnToPoint.end(), [&series](int a, int b) {
                return series.x[static_cast<std::size_t>(a)] < series.x[static_cast<std::size_t>(b)];
            });
            series.pointToDrawn.resize(n);
            for (std::size_t k = 0; k < n; ++k)
                series.pointToDrawn[static_cast<std::size_t>(series.drawnToPoint[k])] = static_cast<int>(k);
        }
        QVector<QCPGraphData> data(static_cast<qsizetype>(n));
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t i = series.drawnToPoint.empty() ? k : static_cast<std::size_t>(series.drawnToPoint[k]);
            const double y = series.y[i];
            data[static_cast<qsizetype>(k)] = QCPGraphData(DayNumberToSeconds(series.x[i]), IsMissing(y) ? kNaN : y);
        }
        graph->data()->set(data, true);
    }
    ApplySettings();
    ApplyRanges();
    m_pPlot->replot();
}

namespace {

// Lowest and highest value, or an empty span (low > high).
struct Span {
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    void Add(double v)
    {
        low = std::min(low, v);
        high = std::max(high, v);
    }
    bool Empty() const { return low > high; }
};

// A value axis over `span`, with a little room above and below.
void FitAxis(QCPAxis* axis, const Span& span)
{
    if (span.Empty())
        return;
    const double pad = span.high > span.low ? (span.high - span.low) * 0.06 : std::max(std::abs(span.low) * 0.001, 0.5);
    axis->setRange(span.low - pad, span.high + pad);
}

}  // namespace

void ChartWidget::ApplyRanges()
{
    // Span of the points shown, per axis, for the axes without a range of
    // their own and to widen a range that would leave points out.
    Span x, left, right;
    for (int s : VisibleSeries()) {
        if (s < 0 || s >= SeriesCount())
            continue;
        const Series& series = At(s);
        Span& y = series.rightAxis ? right : left;
        for (std::size_t i = 0; i < series.y.size(); ++i) {
            if (IsMissing(series.y[i]))
                continue;
            x.Add(series.x[i]);
            y.Add(series.y[i]);
        }
    }

    double first = x.low, last = x.high;
    if (m_XRange && m_XRange->first <= m_XRange->second) {
        first = m_XRange->first;
        last = m_XRange->second;
    }
    if (first <= last) {
        const double lo = DayNumberToSeconds(first), hi = DayNumberToSeconds(last);
        const double pad = hi > lo ? (hi - lo) * 0.03 : 900.0;
        m_pPlot->xAxis->setRange(lo - pad, hi + pad);
    }

    if (m_YRange && m_YRange->first <= m_YRange->second) {
        double lo = m_YRange->first, hi = m_YRange->second;
        if (!left.Empty() && (left.low < lo || left.high > hi)) {
            // A shown series lies outside the range asked for: take it in,
            // with the same room as an axis of its own.
            Span both = left;
            both.Add(lo);
            both.Add(hi);
            FitAxis(m_pPlot->yAxis, both);
        } else if (hi > lo) {
            m_pPlot->yAxis->setRange(lo, hi);
        } else {
            m_pPlot->yAxis->setRange(lo - 1.0, hi + 1.0);
        }
    } else {
        FitAxis(m_pPlot->yAxis, left);
    }
    m_pPlot->yAxis2->setVisible(!right.Empty());
    FitAxis(m_pPlot->yAxis2, right);
}

void ChartWidget::ResetZoom()
{
    ApplyRanges();
    m_pPlot->replot();
}

void ChartWidget::UpdateTickFormat()
{
    auto ticker = m_pPlot->xAxis->ticker().dynamicCast<QCPAxisTickerDateTime>();
    if (!ticker)
        return;
    const double span = m_pPlot->xAxis->range().size();
    if (span < 2 * 3600.0)
        ticker->setDateTimeFormat("hh:mm:ss\nMM/dd/yyyy");
    else if (span < 4 * 86400.0)
        ticker->setDateTimeFormat("hh:mm\nMM/dd/yyyy");
    else
        ticker->setDateTimeFormat("MM/dd/yyyy");
}

std::pair<double, double> ChartWidget::ShownXRange() const
{
    const QCPRange r = m_pPlot->xAxis->range();
    return {SecondsToDayNumber(r.lower), SecondsToDayNumber(r.upper)};
}

std::pair<double, double> ChartWidget::ShownYRange() const
{
    const QCPRange r = m_pPlot->yAxis->range();
    return {r.lower, r.upper};
}

std::pair<double, double> ChartWidget::ShownY2Range() const
{
    const QCPRange r = m_pPlot->yAxis2->range();
    return {r.lower, r.upper};
}

bool ChartWidget::IsRightAxisShown() const { return m_pPlot->yAxis2->visible(); }

bool ChartWidget::AreMarkersDrawn(int series) const
{
    return IsSeriesDrawn(series) && !m_pPlot->graph(series)->scatterStyle().isNone() &&
           m_pPlot->graph(series)->scatterStyle().shape() != QCPScatterStyle::ssDot;
}

bool ChartWidget::IsSeriesDrawn(int series) const
{
    return series >= 0 && series < m_pPlot->graphCount() && m_pPlot->graph(series)->visible();
}

int ChartWidget::DrawnPointCount(int series) const
{
    return IsSeriesDrawn(series) ? m_pPlot->graph(series)->dataCount() : 0;
}

int ChartWidget::DrawnGapCount(int series) const
{
    if (!IsSeriesDrawn(series))
        return 0;
    const auto data = m_pPlot->graph(series)->data();
    return static_cast<int>(
        std::count_if(data->constBegin(), data->constEnd(), [](const QCPGraphData& d) { return std::isnan(d.value); }));
}

// ---------------------------------------------------------------- points under the mouse

QPoint ChartWidget::PointPosition(int series, int point)
{
    if (!IsSeriesDrawn(series) || point < 0 || point >= m_nPoints || IsMissing(Y(series, point)))
        return {-1, -1};
    m_pPlot->replot();  // lays the axes out for the current size
    const double x = m_pPlot->xAxis->coordToPixel(DayNumberToSeconds(X(series, point)));
    const double y = m_pPlot->graph(series)->valueAxis()->coordToPixel(Y(series, point));
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

std::pair<int, int> ChartWidget::PointAt(const QPoint& pos) const
{
    const double tolerance = std::max(6.0, m_Settings.markerSize / 2.0 + 3.0);
    double best = tolerance * tolerance;
    std::pair<int, int> hit{-1, -1};
    const QCPAxis* xAxis = m_pPlot->xAxis;
    if (!m_pPlot->axisRect()->rect().adjusted(-3, -3, 3, 3).contains(pos))
        return hit;
    double keyLow = xAxis->pixelToCoord(pos.x() - tolerance);
    double keyHigh = xAxis->pixelToCoord(pos.x() + tolerance);
    if (keyLow > keyHigh)
        std::swap(keyLow, keyHigh);
    // Later series are drawn on top: they win a tie.
    for (int s = m_pPlot->graphCount() - 1; s >= 0; --s) {
        if (!IsSeriesDrawn(s))
            continue;
        const auto data = m_pPlot->graph(s)->data();
        const QCPAxis* yAxis = m_pPlot->graph(s)->valueAxis();
        for (auto it = data->findBegin(keyLow, false); it != data->constEnd() && it->key <= keyHigh; ++it) {
            if (std::isnan(it->value))
                continue;
            const double dx = xAxis->coordToPixel(it->key) - pos.x();
            const double dy = yAxis->coordToPixel(it->value) - pos.y();
            const double distance = dx * dx + dy * dy;
            if (distance < best) {
                best = distance;
                const int drawn = static_cast<int>(it - data->constBegin());
                const Series& series = At(s);
                hit = {s, series.drawnToPoint.empty() ? drawn : series.drawnToPoint[static_cast<std::size_t>(drawn)]};
            }
        }
    }
    return hit;
}

QString ChartWidget::PointToolTip(int series, int point) const
{
    if (series < 0 || series >= SeriesCount() || point < 0 || point >= m_nPoints)
        return {};
    const DateTime time(X(series, point));
    QStringList lines{SeriesName(series)};
    const auto at = static_cast<std::size_t>(point);
    if (at < m_PointLabels.size() && !m_PointLabels[at].isEmpty())
        lines << m_PointLabels[at];
    lines << QString::fromStdString(time.format("%m/%d/%Y %H:%M:%S")) << QString::number(Y(series, point), 'f', 4);
    return lines.join('\n');
}

bool ChartWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_pPlot)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            m_PressPos = mouse->position().toPoint();
            m_PressedPoint = PointAt(m_PressPos);
            m_pPlot->setSelectionRectMode(m_PressedPoint.first >= 0 ? QCP::srmNone : QCP::srmZoom);
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && m_PressedPoint.first >= 0) {
            const auto hit = m_PressedPoint;
            m_PressedPoint = {-1, -1};
            if ((mouse->position().toPoint() - m_PressPos).manhattanLength() <= kClickSlop)
                emit pointClicked(hit.first, hit.second);
        }
        break;
    }
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && PointAt(mouse->position().toPoint()).first < 0) {
            ResetZoom();
            return true;
        }
        break;
    }
    case QEvent::ToolTip: {
        const auto* help = static_cast<QHelpEvent*>(event);
        const auto hit = PointAt(help->pos());
        if (hit.first >= 0)
            QToolTip::showText(help->globalPos(), PointToolTip(hit.first, hit.second), m_pPlot);
        else
            QToolTip::hideText();
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- settings

void ChartWidget::SetSettings(const ChartSettings& settings)
{
    m_Settings = settings;
    ApplySettings();
    m_pPlot->replot();
}

void ChartWidget::ApplySettings()
{
    const bool lines = m_Settings.style != ChartSettings::Style::points;
    for (int s = 0; s < m_pPlot->graphCount() && s < SeriesCount(); ++s)
        m_pPlot->graph(s)->setLineStyle(lines ? QCPGraph::lsLine : QCPGraph::lsNone);
    UpdateMarkers();
    m_pPlot->xAxis->grid()->setVisible(m_Settings.grid);
    m_pPlot->yAxis->grid()->setVisible(m_Settings.grid);
    // A hidden legend holds no items and no margins, so that its row gives
    // its room back to the axes.
    m_pPlot->legend->clearItems();
    if (m_Settings.legend)
        for (int s = 0; s < m_pPlot->graphCount(); ++s)
            if (m_pPlot->graph(s)->visible())
                m_pPlot->graph(s)->addToLegend();
    const bool legend = m_pPlot->legend->itemCount() > 0;
    m_pPlot->legend->setVisible(legend);
    m_pPlot->legend->setMargins(legend ? QMargins(8, 0, 8, 6) : QMargins());
    m_pLegendRow->setMaximumSize(QWIDGETSIZE_MAX, legend ? QWIDGETSIZE_MAX : 0);
}

// Pens and markers for the points in view. Beyond kMaxMarkers points a
// series is drawn without markers (as single pixels when it has no line):
// they would only cover each other, and drawing them makes zooming slow.
void ChartWidget::UpdateMarkers()
{
    const bool lines = m_Settings.style != ChartSettings::Style::points;
    const bool points = m_Settings.style != ChartSettings::Style::lines;
    const QCPRange range = m_pPlot->xAxis->range();
    for (int s = 0; s < m_pPlot->graphCount() && s < SeriesCount(); ++s) {
        QCPGraph* graph = m_pPlot->graph(s);
        const QColor color = At(s).color;
        const auto data = graph->data();
        const auto inView = data->findEnd(range.upper, false) - data->findBegin(range.lower, false);
        // Dense lines are drawn thin and without antialiasing: stroking
        // wide smooth lines through many thousand points is what costs.
        const bool dense = inView > kMaxMarkers;
        graph->setAntialiased(!dense);
        graph->setPen(dense ? QPen(color, 0) : QPen(color, m_Settings.lineWidth));
        QCPScatterStyle style(QCPScatterStyle::ssNone);
        if (points && dense)
            style =
                lines ? QCPScatterStyle(QCPScatterStyle::ssNone) : QCPScatterStyle(QCPScatterStyle::ssDot, color, 1);
        else if (points && lines)  // hollow markers on the line
            style =
                QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(color, 1.5), QBrush(Qt::white), m_Settings.markerSize);
        else if (points)
            style = QCPScatterStyle(QCPScatterStyle::ssDisc, color, m_Settings.markerSize);
        graph->setScatterStyle(style);
    }
}

bool ChartWidget::LoadSettings(const QString& path)
{
    bool read = false;
    const ChartSettings settings = ChartSettings::Load(path, &read);
    if (read)
        SetSettings(settings);
    return read;
}

bool ChartWidget::SaveSettings(const QString& path) const { return m_Settings.Save(path); }

// ---------------------------------------------------------------- menu and export

bool ChartWidget::ExportPng(const QString& path)
{
    const QByteArray bytes = PlotPngBytes(*m_pPlot);
    return SaveFileOrSayWhy(this, path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                            tr("Export"));
}

bool ChartWidget::ExportPdf(const QString& path)
{
    const QByteArray bytes = PlotPdfBytes(*m_pPlot);
    return SaveFileOrSayWhy(this, path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                            tr("Export"));
}

QMenu* ChartWidget::CreateContextMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    auto* styles = new QActionGroup(menu);
    const auto addStyle = [&](const QString& text, ChartSettings::Style style, const char* name) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        action->setCheckable(true);
        action->setChecked(m_Settings.style == style);
        styles->addAction(action);
        connect(action, &QAction::triggered, this, [this, style] {
            ChartSettings settings = m_Settings;
            settings.style = style;
            SetSettings(settings);
        });
    };
    addStyle(tr("&Lines"), ChartSettings::Style::lines, "actionStyleLines");
    addStyle(tr("&Points"), ChartSettings::Style::points, "actionStylePoints");
    addStyle(tr("Lines &and Points"), ChartSettings::Style::both, "actionStyleBoth");
    menu->addSeparator();

    const auto addToggle = [&](const QString& text, bool ChartSettings::*flag, const char* name) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        action->setCheckable(true);
        action->setChecked(m_Settings.*flag);
        connect(action, &QAction::toggled, this, [this, flag](bool on) {
            ChartSettings settings = m_Settings;
            settings.*flag = on;
            SetSettings(settings);
        });
    };
    addToggle(tr("&Grid"), &ChartSettings::grid, "actionGrid");
    addToggle(tr("L&egend"), &ChartSettings::legend, "actionLegend");

    QMenu* markers = menu->addMenu(tr("&Marker Size"));
    auto* markerGroup = new QActionGroup(markers);
    for (int size : {3, 4, 6, 8, 10, 12}) {
        QAction* action = markers->addAction(QString::number(size));
        action->setObjectName(QStringLiteral("actionMarker%1").arg(size));
        action->setCheckable(true);
        action->setChecked(m_Settings.markerSize == size);
        markerGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, size] {
            ChartSettings settings = m_Settings;
            settings.markerSize = size;
            SetSettings(settings);
        });
    }
    QMenu* widths = menu->addMenu(tr("Line &Width"));
    auto* widthGroup = new QActionGroup(widths);
    for (double width : {1.0, 1.5, 2.0, 3.0}) {
        QAction* action = widths->addAction(QString::number(width));
        action->setCheckable(true);
        action->setChecked(m_Settings.lineWidth == width);
        widthGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, width] {
            ChartSettings settings = m_Settings;
            settings.lineWidth = width;
            SetSettings(settings);
        });
    }
    menu->addSeparator();
    QAction* reset = menu->addAction(tr("&Reset Zoom"), this, &ChartWidget::ResetZoom);
    reset->setObjectName("actionResetZoom");
    menu->addSeparator();
    menu->addAction(tr("Export as P&NG..."), this, [this] { ExportWithDialog(false); })
        ->setObjectName("actionExportPng");
    menu->addAction(tr("Export as P&DF..."), this, [this] { ExportWithDialog(true); })
        ->setObjectName("actionExportPdf");
    return menu;
}

void ChartWidget::OnContextMenu(const QPoint& pos)
{
    QMenu* menu = CreateContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_pPlot->mapToGlobal(pos));
}

void ChartWidget::ExportWithDialog(bool pdf)
{
    const QString suffix = pdf ? QStringLiteral(".pdf") : QStringLiteral(".png");
    const QString base = m_strExportBase.isEmpty() ? QDir(LastDataFolder()).filePath("chart") : m_strExportBase;
    QString path = QFileDialog::getSaveFileName(this, pdf ? tr("Export Chart as PDF") : tr("Export Chart as PNG"),
                                                base + suffix, pdf ? tr("PDF Files (*.pdf)") : tr("PNG Files (*.png)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    // Says itself whether the file was written, and why not.
    pdf ? ExportPdf(path) : ExportPng(path);
}

}  // namespace bramble
