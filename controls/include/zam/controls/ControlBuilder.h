#pragma once
// Builds a window's bound controls from the settings catalogue.
#include <QGroupBox>
#include <string_view>
#include <vector>

#include "zam/controls/ControlRegistry.h"
#include "zam/controls/SettingsCatalogue.h"

namespace zam::controls {

class BoundControl;

// Creates the control of one row and applies the row's settings in the order each kind loads
// them; spinners and check boxes then refresh as a control does before the store can be reached
// (spinners show 0, check boxes are unchecked), so building never reads or writes the store. The
// window binds and refreshes the controls once the store is loaded.
BoundControl* BuildControl(const CatalogueRow& row, QWidget* parent);

// Every control of `frame`, in catalogue order, as children of `parent` (no layout is set).
std::vector<BoundControl*> BuildFrameControls(std::string_view frame, QWidget* parent,
                                              ControlRegistry& registry);

// A group box titled with the frame's caption holding the frame's controls in a layout (two
// columns for frames of check boxes only); registered under the frame's name.
QGroupBox* BuildFrameBox(std::string_view frame, ControlRegistry& registry,
                         QWidget* parent = nullptr);

// Every control of a window, each as a child of `parent`, without layout.
void BuildWindowControls(std::string_view window, QWidget* parent, ControlRegistry& registry);

// Empties and fills the fixed lists present in the registry, in the start-up order.
void FillFixedLists(const ControlRegistry& registry);
// Empties `control` and adds `items`.
void FillList(ucDropDown& control, std::span<const ListItem> items);

}  // namespace zam::controls
