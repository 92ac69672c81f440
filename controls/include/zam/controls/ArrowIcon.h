#pragma once
#include <QIcon>

namespace zam::controls {

// A left- or right-pointing arrow, single or double, drawn in the palette's text colour.
QIcon ArrowIcon(bool pointsRight, bool doubled, const QColor& colour);

}  // namespace zam::controls
