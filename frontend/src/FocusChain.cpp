#include "zam/frontend/FocusChain.h"

#include <QWidget>

namespace zam {

namespace {

// The widget itself, or those of its descendants that Tab stops at, in the window's order.
std::vector<QWidget*> TabStopsOf(QWidget* widget) {
    std::vector<QWidget*> stops;
    QWidget* window = widget->window();
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if ((w == widget || widget->isAncestorOf(w)) && (w->focusPolicy() & Qt::TabFocus))
            stops.push_back(w);
    }
    if (stops.empty() && widget->focusProxy()) stops.push_back(widget->focusProxy());
    return stops;
}

}  // namespace

void ChainFocus(QWidget* after, const std::vector<QWidget*>& widgets) {
    for (QWidget* widget : widgets) {
        if (!widget) continue;
        for (QWidget* stop : TabStopsOf(widget)) {
            if (after && after != stop) QWidget::setTabOrder(after, stop);
            after = stop;
        }
    }
}

}  // namespace zam
