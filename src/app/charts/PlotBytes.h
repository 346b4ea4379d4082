#pragma once

#include <QByteArray>

class QCustomPlot;

namespace bramble {

// A chart as the bytes of a PNG (twice the pixels shown, for print) or of a
// one-page PDF the size of the chart, so that the file itself is written
// safely in one go.
QByteArray PlotPngBytes(QCustomPlot& plot);
QByteArray PlotPdfBytes(QCustomPlot& plot);

}  // namespace bramble
