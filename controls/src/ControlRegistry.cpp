#include "zam/controls/ControlRegistry.h"

#include "zam/controls/ucCheckBox.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucFilePath.h"
#include "zam/controls/ucSpinner.h"

namespace zam::controls {

void ControlRegistry::Add(const std::string& name, int element, QWidget* widget) {
    widgets_[Key{name, element}] = widget;
}

QWidget* ControlRegistry::Find(std::string_view name, int element) const {
    auto it = widgets_.find(Key{std::string(name), element});
    return it == widgets_.end() ? nullptr : it->second;
}

BoundControl* ControlRegistry::Bound(std::string_view name, int element) const {
    return qobject_cast<BoundControl*>(Find(name, element));
}
ucSpinner* ControlRegistry::Spinner(std::string_view name, int element) const {
    return qobject_cast<ucSpinner*>(Find(name, element));
}
ucCheckBox* ControlRegistry::CheckBox(std::string_view name, int element) const {
    return qobject_cast<ucCheckBox*>(Find(name, element));
}
ucDropDown* ControlRegistry::DropDown(std::string_view name, int element) const {
    return qobject_cast<ucDropDown*>(Find(name, element));
}
ucFilePath* ControlRegistry::FilePath(std::string_view name, int element) const {
    return qobject_cast<ucFilePath*>(Find(name, element));
}

std::vector<int> ControlRegistry::Elements(std::string_view name) const {
    std::vector<int> elements;
    for (const auto& [key, widget] : widgets_)
        if (key.first == name && key.second != kNoElement) elements.push_back(key.second);
    return elements;  // the map keeps them in ascending order
}

}  // namespace zam::controls
