#include "zam/controls/ArrowIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace zam::controls {

QIcon ArrowIcon(bool pointsRight, bool doubled, const QColor& colour) {
    const int size = 12;
    QPixmap pixmap(size, size);
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
    return QIcon(pixmap);
}

}  // namespace zam::controls
