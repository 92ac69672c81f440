#include "zam/controls/ArrowIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <map>
#include <tuple>

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
    // The window holds four arrow buttons per spinner and draws the same few icons for all of
    // them: each is drawn once and shared (a QIcon is a shared handle). The cache is never
    // destroyed, so no pixmap outlives the application in a static destructor.
    static auto* drawn = new std::map<std::tuple<bool, bool, QRgb>, QIcon>;
    QIcon& icon = (*drawn)[{pointsRight, doubled, colour.rgba()}];
    if (!icon.isNull()) return icon;
    // Drawn for the usual ratios, so that a high-DPI screen gets sharp arrows, not blown-up ones.
    for (int ratio = 1; ratio <= 3; ++ratio)
        icon.addPixmap(ArrowPixmap(pointsRight, doubled, colour, ratio));
    return icon;
}

}  // namespace zam::controls
