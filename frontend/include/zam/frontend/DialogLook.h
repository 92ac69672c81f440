#pragma once
// The common look of the status window and the exit dialog: a painted background (a dark green
// gradient with a chequered strip, drawn at run time so that no picture has to ship with the
// program), light text on it, and a place in the middle of the screen.
#include <QColor>
#include <QRect>

class QPainter;
class QWidget;

namespace zam {

void PaintBackdrop(QPainter& painter, const QRect& area);
// Gives a label (or any widget's text) the colour that reads well on the backdrop.
void UseBackdropTextColour(QWidget& widget);
void CentreOnScreen(QWidget& window);

}  // namespace zam
