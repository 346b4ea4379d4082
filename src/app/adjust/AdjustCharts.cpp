#include "adjust/AdjustCharts.h"

#include <algorithm>
#include <cmath>

#include <QComboBox>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include "adjust/AdjustPlotData.h"
#include "charts/PlotBytes.h"

namespace bramble {
namespace {

// Day numbers count from 1899-12-30; the date axis wants seconds since 1970.
constexpr double kUnixEpochDay = 25569.0;
double AxisSeconds(double dayNumber) { return (dayNumber - kUnixEpochDay) * 86400.0; }

}  // namespace

AdjustChart::AdjustChart(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pPlot = new QCustomPlot(this);
    m_pPlot->setObjectName("plot");
    m_pPlot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    m_pPlot->setMinimumSize(320, 240);
    layout->addWidget(m_pPlot, 1);
}

AdjustChart::~AdjustChart() = default;

void AdjustChart::ShowNote(const QString& text)
{
    auto* note = new QCPItemText(m_pPlot);
    note->setObjectName("note");
    note->position->setType(QCPItemPosition::ptAxisRectRatio);
    note->position->setCoords(0.5, 0.5);
    note->setText(text);
    note->setPositionAlignment(Qt::AlignCenter);
}

QByteArray AdjustChart::PngBytes() const { return PlotPngBytes(*m_pPlot); }

QByteArray AdjustChart::PdfBytes() const { return PlotPdfBytes(*m_pPlot); }

// --- Drift -----------------------------------------------------------------

DriftChart::DriftChart(QWidget* parent) : AdjustChart(parent)
{
    m_pLoops = new QComboBox(this);
    m_pLoops->setObjectName("loopChooser");
    m_pLoops->setAccessibleName("Loop");
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_pLoops);
    connect(m_pLoops, &QComboBox::currentIndexChanged, this, &DriftChart::ShowLoop);
    auto ticker = QSharedPointer<QCPAxisTickerDateTime>::create();
    ticker->setDateTimeFormat("yyyy-MM-dd\nhh:mm");
    ticker->setDateTimeSpec(Qt::UTC);
    m_pPlot->xAxis->setTicker(ticker);
    m_pPlot->xAxis->setLabel("Time (UT)");
    m_pPlot->yAxis->setLabel(QString::fromUtf8("Reading less adjusted gravity and loop level (\u00b5Gal)"));
    m_pPlot->legend->setVisible(true);
    // Top left, see-through: the drift usually starts at 0 there, and no
    // setup hides behind it.
    m_pPlot->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    m_pPlot->legend->setBrush(QColor(255, 255, 255, 170));
}

void DriftChart::SetResult(const AdjustmentResult* result, const std::vector<Setup>* setups)
{
    m_pResult = result;
    m_pSetups = setups;
    const QSignalBlocker block(m_pLoops);
    m_pLoops->clear();
    if (result)
        for (const DriftResult& d : result->drift)
            m_pLoops->addItem(QString::fromStdString(d.loop));
    ShowLoop(m_pLoops->count() > 0 ? 0 : -1);
}

void DriftChart::ShowLoop(int loop)
{
    m_pPlot->clearGraphs();
    m_pPlot->clearItems();
    if (!m_pResult || !m_pSetups || loop < 0) {
        ShowNote("No adjustment yet");
        m_pPlot->replot();
        return;
    }
    const LoopDriftSeries series = DriftSeriesOfLoop(*m_pResult, *m_pSetups, static_cast<std::size_t>(loop));
    QVector<double> x, y, xRemoved, yRemoved, xCurve, yCurve;
    for (const LoopDriftSeries::Point& p : series.points) {
        (p.removed ? xRemoved : x).append(AxisSeconds(p.time));
        (p.removed ? yRemoved : y).append(p.value * 1000.0);
    }
    for (const auto& [t, value] : series.curve) {
        xCurve.append(AxisSeconds(t));
        yCurve.append(value * 1000.0);
    }
    QCPGraph* curve = m_pPlot->addGraph();
    curve->setName("Fitted drift");
    curve->setPen(QPen(QColor(200, 40, 40), 2));
    curve->setData(xCurve, yCurve, true);
    QCPGraph* points = m_pPlot->addGraph();
    points->setName("Setups");
    points->setLineStyle(QCPGraph::lsNone);
    points->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, QColor(30, 90, 180), 7));
    points->setData(x, y);
    if (!xRemoved.isEmpty()) {
        QCPGraph* removed = m_pPlot->addGraph();
        removed->setName("Removed as outliers");
        removed->setLineStyle(QCPGraph::lsNone);
        removed->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCross, QColor(120, 120, 120), 9));
        removed->setData(xRemoved, yRemoved);
    }
    m_pPlot->yAxis->setLabel(QString::fromUtf8("Reading less adjusted gravity and loop level (\u00b5Gal)"));
    m_pPlot->rescaleAxes();
    m_pPlot->xAxis->scaleRange(1.1);
    m_pPlot->yAxis->scaleRange(1.2);
    m_pPlot->replot();
}

// --- Histogram ---------------------------------------------------------------

void ResidualHistogram::SetResult(const AdjustmentResult* result)
{
    m_pPlot->clearPlottables();
    m_pPlot->clearItems();
    m_pPlot->xAxis->setLabel("Standardized residual w");
    m_pPlot->yAxis->setLabel("Observations");
    const Histogram h = result ? StandardizedHistogram(*result) : Histogram{};
    if (h.counts.empty()) {
        ShowNote(result ? "No standardized residuals: the network has too little redundancy" : "No adjustment yet");
        m_pPlot->replot();
        return;
    }
    auto* bars = new QCPBars(m_pPlot->xAxis, m_pPlot->yAxis);
    bars->setName("Observations");
    bars->setWidth(h.width * 0.95);
    bars->setBrush(QColor(90, 140, 210));
    QVector<double> x, y;
    int highest = 0;
    for (std::size_t i = 0; i < h.counts.size(); ++i) {
        x.append(h.first + h.width * static_cast<double>(i));
        y.append(h.counts[i]);
        highest = std::max(highest, h.counts[i]);
    }
    bars->setData(x, y, true);
    double left = x.front() - h.width, right = x.back() + h.width;
    if (result->tauCritical) {
        for (const double bound : {-*result->tauCritical, *result->tauCritical}) {
            auto* line = new QCPItemStraightLine(m_pPlot);
            line->setPen(QPen(QColor(200, 40, 40), 1.5, Qt::DashLine));
            line->point1->setCoords(bound, 0);
            line->point2->setCoords(bound, 1);
        }
        left = std::min(left, -*result->tauCritical - h.width);
        right = std::max(right, *result->tauCritical + h.width);
        auto* label = new QCPItemText(m_pPlot);
        label->position->setType(QCPItemPosition::ptAxisRectRatio);
        label->position->setCoords(0.98, 0.03);
        label->setPositionAlignment(Qt::AlignRight | Qt::AlignTop);
        label->setText(QString::fromUtf8("\u03c4 critical \u00b1%1").arg(*result->tauCritical, 0, 'f', 2));
        label->setColor(QColor(200, 40, 40));
    }
    m_pPlot->xAxis->setRange(left, right);
    m_pPlot->yAxis->setRange(0, highest * 1.15 + 0.5);
    m_pPlot->replot();
}

// --- Map ---------------------------------------------------------------------

void StationMap::SetResult(const AdjustmentResult* result)
{
    m_pPlot->clearPlottables();
    m_pPlot->clearItems();
    if (m_pPlot->plotLayout()->elementCount() > 1)
        m_pPlot->plotLayout()->remove(m_pPlot->plotLayout()->element(0, 1));
    m_pPlot->plotLayout()->simplify();
    m_pPlot->xAxis->setLabel(QString::fromUtf8("Longitude (\u00b0E)"));
    m_pPlot->yAxis->setLabel(QString::fromUtf8("Latitude (\u00b0N)"));
    QVector<double> lon, lat;
    QVector<QString> names;
    if (result)
        for (const StationResult& s : result->stations)
            if (s.latitude && s.longitude) {
                lon.append(*s.longitude);
                lat.append(*s.latitude);
                names.append(QString::fromStdString(s.station));
            }
    if (lon.isEmpty()) {
        ShowNote(result ? "No station positions: the surveys record no latitude and longitude per station"
                        : "No adjustment yet");
        m_pPlot->replot();
        return;
    }
    const double scale = result->tauCritical ? *result->tauCritical : 3.0;
    QCPColorGradient gradient(QCPColorGradient::gpJet);
    const std::vector<MapTie> ties = NetworkTies(*result);
    int drawn = 0;
    for (const MapTie& tie : ties) {
        if (++drawn > kMaxTies)
            break;
        auto* line = new QCPItemLine(m_pPlot);
        line->start->setCoords(tie.fromLongitude, tie.fromLatitude);
        line->end->setCoords(tie.toLongitude, tie.toLatitude);
        const QColor color = tie.standardized ? gradient.color(std::abs(*tie.standardized), QCPRange(0, scale))
                                              : QColor(160, 160, 160);
        line->setPen(QPen(color, tie.outlier ? 3.5 : 2.0));
        line->setSelectable(false);
    }
    QCPGraph* stations = m_pPlot->addGraph();
    stations->setName("Stations");
    stations->setLineStyle(QCPGraph::lsNone);
    stations->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssTriangle, Qt::black, QColor(250, 250, 250), 9));
    stations->setData(lon, lat);
    if (names.size() <= 300) {
        for (int i = 0; i < names.size(); ++i) {
            auto* label = new QCPItemText(m_pPlot);
            label->position->setCoords(lon[i], lat[i]);
            label->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
            label->setPadding(QMargins(6, 0, 0, 4));
            label->setText(names[i]);
        }
    }
    auto* colorScale = new QCPColorScale(m_pPlot);
    colorScale->setGradient(gradient);
    colorScale->setDataRange(QCPRange(0, scale));
    colorScale->axis()->setLabel("|w| of the ties");
    m_pPlot->plotLayout()->addElement(0, 1, colorScale);

    // Equal distances look equal: a degree of longitude is cos(latitude)
    // of a degree of latitude.
    m_pPlot->rescaleAxes();
    m_pPlot->xAxis->scaleRange(1.15);
    m_pPlot->yAxis->scaleRange(1.15);
    const double middle = (*std::min_element(lat.begin(), lat.end()) + *std::max_element(lat.begin(), lat.end())) / 2;
    const double ratio = std::max(0.05, std::cos(middle * M_PI / 180.0));
    m_pPlot->replot();  // lays out the axis rect, whose size the ratio needs
    const QCPRange yBefore = m_pPlot->yAxis->range();
    m_pPlot->yAxis->setScaleRatio(m_pPlot->xAxis, ratio);
    if (m_pPlot->yAxis->range().size() < yBefore.size()) {
        m_pPlot->yAxis->setRange(yBefore);
        m_pPlot->xAxis->setScaleRatio(m_pPlot->yAxis, 1.0 / ratio);
    }
    m_pPlot->replot();
}

}  // namespace bramble
