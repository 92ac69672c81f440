#pragma once
// The order in which Tab visits a window's controls. Qt follows the order of creation, which is
// wrong where a window builds its parts in another order than it shows them, or adds a feature
// after the rest.
#include <vector>

class QWidget;

namespace zam {

// Puts the controls of `widgets`, in this order, right after `after` in the order Tab visits
// them (`after` null: after the first of them). A compound control (a spinner, a path box) brings
// each of its parts that Tab stops at, in their own order.
void ChainFocus(QWidget* after, const std::vector<QWidget*>& widgets);

}  // namespace zam
