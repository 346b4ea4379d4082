#include "charts/PlotBytes.h"

#include <algorithm>

#include <QBuffer>
#include <QPdfWriter>
#include <qcustomplot.h>

namespace bramble {

QByteArray PlotPngBytes(QCustomPlot& plot)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    plot.toPixmap(0, 0, 2.0).save(&buffer, "PNG");
    return bytes;
}

QByteArray PlotPdfBytes(QCustomPlot& plot)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const int width = std::max(1, plot.width()), height = std::max(1, plot.height());
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(72);  // one pixel of the chart a point of the page
        writer.setPageSize(QPageSize(QSizeF(width, height), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QCPPainter painter(&writer);
        plot.toPainter(&painter, width, height);
    }
    return bytes;
}

}  // namespace bramble
