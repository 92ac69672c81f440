#include "zam/controls/ArrowIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace zam::controls {

namespace {

// The arrows drawn for one device pixel ratio: a 12 x 12 icon in pixels of the layout.
QPixmap ArrowPixmap(bool pointsRight, bool doubled, const QColor& colour, int ratio) {
    const int size = 12;
    QPixmap pixmap(size * ratio, size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const double width = doubled ? 5.0 : 6.0;
    const int count = doubled ? 2 : 1;
    const double start = (size - width * count) / 2.0;
    for (int i = 0; i < count; ++i) {
        const double left = start + i * width;
        QPainterPath path;
        if (pointsRight) {
            path.moveTo(left, 2);
            path.lineTo(left + width, size / 2.0);
            path.lineTo(left, size - 2);
        } else {
            path.moveTo(left + width, 2);
            path.lineTo(left, size / 2.0);
            path.lineTo(left + width, size - 2);
        }
        path.closeSubpath();
        painter.drawPath(path);
    }
    return pixmap;
}

}  // namespace

QIcon ArrowIcon(bool pointsRight, bool doubled, const QColor& colour) {
    // Drawn for the usual ratios, so that a high-DPI screen gets sharp arrows, not blown-up ones.
    QIcon icon;
    for (int ratio = 1; ratio <= 3; ++ratio)
        icon.addPixmap(ArrowPixmap(pointsRight, doubled, colour, ratio));
    return icon;
}

}  // namespace zam::controls
