#pragma once
// The bound controls (and frames) of a window by name and element number, as the builder made
// them from the settings catalogue. The window lays them out and reaches them through here.
#include <QWidget>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "zam/controls/SettingsCatalogue.h"

namespace zam::controls {

class BoundControl;
class ucSpinner;
class ucCheckBox;
class ucDropDown;
class ucFilePath;

class ControlRegistry {
public:
    void Add(const std::string& name, int element, QWidget* widget);
    // nullptr when there is no such control.
    QWidget* Find(std::string_view name, int element = kNoElement) const;
    BoundControl* Bound(std::string_view name, int element = kNoElement) const;
    ucSpinner* Spinner(std::string_view name, int element = kNoElement) const;
    ucCheckBox* CheckBox(std::string_view name, int element = kNoElement) const;
    ucDropDown* DropDown(std::string_view name, int element = kNoElement) const;
    ucFilePath* FilePath(std::string_view name, int element = kNoElement) const;
    // Element numbers of a control array, lowest first.
    std::vector<int> Elements(std::string_view name) const;
    // A frame the builder made (see BuildFrameBox), nullptr when not built.
    QWidget* Frame(std::string_view name) const { return Find(name); }

    using Key = std::pair<std::string, int>;
    const std::map<Key, QWidget*, std::less<>>& All() const { return widgets_; }

private:
    std::map<Key, QWidget*, std::less<>> widgets_;
};

}  // namespace zam::controls
