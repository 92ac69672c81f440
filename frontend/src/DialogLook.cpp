#include "zam/frontend/DialogLook.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace zam {

namespace {

constexpr int kSquare = 6;     // size of one chequer square in pixels
constexpr int kStripRows = 2;  // rows of squares in the strip along the bottom edge

void PaintChequeredStrip(QPainter& painter, const QRect& area) {
    const int top = area.bottom() + 1 - kStripRows * kSquare;
    const QColor light(235, 235, 235, 150);
    const QColor dark(20, 20, 20, 150);
    for (int row = 0; row < kStripRows; ++row) {
        for (int x = area.left(), col = 0; x <= area.right(); x += kSquare, ++col) {
            painter.fillRect(QRect(x, top + row * kSquare, kSquare, kSquare),
                             (row + col) % 2 == 0 ? light : dark);
        }
    }
}

}  // namespace

void PaintBackdrop(QPainter& painter, const QRect& area) {
    QLinearGradient gradient(area.topLeft(), area.bottomRight());
    gradient.setColorAt(0.0, QColor(18, 74, 46));
    gradient.setColorAt(0.55, QColor(10, 42, 28));
    gradient.setColorAt(1.0, QColor(4, 14, 10));
    painter.fillRect(area, gradient);
    PaintChequeredStrip(painter, area);
}

void UseBackdropTextColour(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, QColor(240, 236, 214));
    widget.setPalette(palette);
}

void CentreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

}  // namespace zam
