#include "zam/controls/ControlBuilder.h"

#include <QGridLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "zam/controls/BoundStore.h"
#include "zam/controls/ucCheckBox.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucFilePath.h"
#include "zam/controls/ucSpinner.h"

namespace zam::controls {

namespace {

ucSpinner* LoadSpinner(const CatalogueRow& row, QWidget* parent) {
    auto* c = new ucSpinner(parent);
    c->SetToolTip(row.toolTip);
    c->SetMinimum(row.minimum);
    c->SetMaximum(row.maximum);
    c->SetNoDP(row.noDP);
    c->SetCaption(row.caption);
    c->SetIncrement(row.increment);
    c->Bind(row.file, row.section, row.entry);
    c->SetValue(row.minimum);  // no store yet: shown, not written
    c->SetLabelWidth(row.labelWidth);
    c->SetDefault(row.defaultValue);
    c->Refresh();
    return c;
}

ucCheckBox* LoadCheckBox(const CatalogueRow& row, QWidget* parent) {
    auto* c = new ucCheckBox(parent);
    c->SetUseFullPath(row.useFullPath);
    c->SetCaption(row.caption);
    c->Bind(row.file, row.section, row.entry);
    c->SetAlignment(row.alignment);
    c->SetToolTip(row.toolTip);
    c->SetDefault(static_cast<int>(row.defaultValue));
    c->Refresh();
    return c;
}

ucDropDown* LoadDropDown(const CatalogueRow& row, QWidget* parent) {
    auto* c = new ucDropDown(parent);
    c->Clear();
    c->Bind(row.file, row.section, row.entry);
    c->SetUseFullPath(row.useFullPath);
    c->SetToolTip(row.toolTip);
    c->SetCaption(row.caption);
    c->SetLabelWidth(row.labelWidth);
    return c;
}

ucFilePath* LoadFilePath(const CatalogueRow& row, QWidget* parent) {
    auto* c = new ucFilePath(parent);
    c->Bind(row.file, row.section, row.entry);
    c->SetCaption(row.caption);
    c->SetLabelWidth(row.labelWidth);
    c->SetPath(row.path);
    c->SetPattern(row.pattern);
    c->ApplyEmptyPathRule();
    return c;
}

std::string ObjectName(const CatalogueRow& row) {
    std::string name = row.name;
    if (row.element != kNoElement) name += "_" + std::to_string(row.element);
    return name;
}

}  // namespace

BoundControl* BuildControl(const CatalogueRow& row, QWidget* parent) {
    // Loading a control's settings happens before the window binds it: the loading refresh
    // neither reads nor writes the store, whether or not the store exists yet. (A check box that
    // showed its default here would not write it when the window binds and refreshes it.)
    IniStore* const store = BoundStore();
    SetBoundStore(nullptr);
    BoundControl* control = nullptr;
    switch (row.kind) {
        case ControlKind::Spinner: control = LoadSpinner(row, parent); break;
        case ControlKind::CheckBox: control = LoadCheckBox(row, parent); break;
        case ControlKind::DropDown: control = LoadDropDown(row, parent); break;
        case ControlKind::FilePath: control = LoadFilePath(row, parent); break;
    }
    SetBoundStore(store);
    control->setObjectName(QString::fromStdString(ObjectName(row)));
    return control;
}

std::vector<BoundControl*> BuildFrameControls(std::string_view frame, QWidget* parent,
                                              ControlRegistry& registry) {
    std::vector<BoundControl*> built;
    for (const CatalogueRow& row : Catalogue()) {
        if (frame != row.frame) continue;
        BoundControl* control = BuildControl(row, parent);
        registry.Add(row.name, row.element, control);
        built.push_back(control);
    }
    return built;
}

QGroupBox* BuildFrameBox(std::string_view frame, ControlRegistry& registry, QWidget* parent) {
    const FrameInfo* info = FindFrame(frame);
    auto* box = new QGroupBox(info ? ToQt(info->caption) : QString(), parent);
    box->setObjectName(QString::fromUtf8(frame.data(), static_cast<qsizetype>(frame.size())));
    const std::vector<BoundControl*> controls = BuildFrameControls(frame, box, registry);
    const bool onlyCheckBoxes =
        controls.size() >= 6 && std::all_of(controls.begin(), controls.end(), [](auto* c) {
            return qobject_cast<ucCheckBox*>(c) != nullptr;
        });
    if (onlyCheckBoxes) {
        auto* grid = new QGridLayout(box);
        const int rows = static_cast<int>((controls.size() + 1) / 2);
        for (int i = 0; i < static_cast<int>(controls.size()); ++i)
            grid->addWidget(controls[static_cast<std::size_t>(i)], i % rows, i / rows);
        grid->setRowStretch(rows, 1);  // the boxes stay together at the top
    } else {
        auto* column = new QVBoxLayout(box);
        for (BoundControl* control : controls) column->addWidget(control);
        column->addStretch(1);
    }
    registry.Add(std::string(frame), kNoElement, box);
    return box;
}

void BuildWindowControls(std::string_view window, QWidget* parent, ControlRegistry& registry) {
    for (const CatalogueRow& row : Catalogue())
        if (window == row.window) registry.Add(row.name, row.element, BuildControl(row, parent));
}

void FillList(ucDropDown& control, std::span<const ListItem> items) {
    control.Clear();
    for (const ListItem& item : items) control.AddItem(item.text, item.value);
}

void FillFixedLists(const ControlRegistry& registry) {
    for (const FixedList& list : FixedLists())
        if (ucDropDown* control = registry.DropDown(list.control)) FillList(*control, list.items);
}

}  // namespace zam::controls
