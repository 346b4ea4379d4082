#include "mainwnd/AppIcon.h"

#include <array>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace bramble {
namespace {

QPixmap DrawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    // Leaf behind the berry.
    QPainterPath leaf;
    leaf.moveTo(4, 28);
    leaf.cubicTo(4, 14, 14, 6, 28, 4);
    leaf.cubicTo(26, 18, 18, 26, 4, 28);
    p.setPen(QPen(QColor(30, 90, 40), 1.0));
    p.setBrush(QColor(70, 150, 70));
    p.drawPath(leaf);

    // Drupelets of the berry.
    constexpr std::array<QPointF, 7> drupelets = {QPointF(14, 14), QPointF(20, 14), QPointF(11, 19), QPointF(17, 19),
                                                  QPointF(23, 19), QPointF(14, 24), QPointF(20, 24)};
    p.setPen(QPen(QColor(20, 10, 40), 0.8));
    for (const QPointF& centre : drupelets) {
        QRadialGradient shade(centre - QPointF(1.2, 1.2), 4.0);
        shade.setColorAt(0.0, QColor(150, 110, 200));
        shade.setColorAt(1.0, QColor(45, 20, 80));
        p.setBrush(shade);
        p.drawEllipse(centre, 3.4, 3.4);
    }
    return pixmap;
}

}  // namespace

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(DrawIcon(size));
    return icon;
}

}  // namespace bramble
