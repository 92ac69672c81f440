#pragma once
// One-of-a-list setting. The list shows readable texts; a parallel array holds the value each
// item stores in the INI entry. A stored value that matches no item selects the first item, which
// is then written: item 1 is each list's effective default.
#include <QComboBox>
#include <QLabel>
#include <vector>

#include "zam/controls/BoundControl.h"

namespace zam::controls {

class ucDropDown : public BoundControl {
    Q_OBJECT
public:
    explicit ucDropDown(QWidget* parent = nullptr);

    bool UseFullPath() const { return useFullPath_; }
    void SetUseFullPath(bool useFullPath) { useFullPath_ = useFullPath; }
    // The stored values are file names: they match without regard to case, as the file system
    // matches them, and a stored spelling that names the selected item's file is kept.
    void SetFileNameValues(bool fileNames) { fileNameValues_ = fileNames; }

    void Clear();
    // An empty value makes the text its own stored value.
    void AddItem(const std::string& text, const std::string& value = std::string());
    int NoItems() const;
    // Selected item counted from 1; 0 when nothing is selected.
    int ListIndex() const;
    // Selects item n (counted from 1); selecting another item commits it. Out of range: ignored.
    void SelectIndex(int n);
    std::string ItemText() const;
    // Replaces the selected item's text; its stored value stays.
    void SetItemText(const std::string& text);
    // Stored value of item n (1-based), empty when out of range.
    std::string ItemValue(int n) const;

    // The selected item's stored value, empty when nothing is selected.
    std::string Value() const;
    // Selects the last item whose stored value equals v exactly (any case for file names); no
    // match changes nothing.
    void SetValue(const std::string& v);
    // As SetValue, but no match (and an empty v) selects item 1.
    void SetListIndex(const std::string& v);

    void Refresh() override;
    void SetCaption(const std::string& caption) override;
    void SetToolTip(const std::string& toolTip) override { toolTip_ = toolTip; }
    const std::string& ToolTip() const { return toolTip_; }
    void SetLabelWidth(int twips) override;
    void SetEnabled(bool enabled) override { cbxDropDown_->setEnabled(enabled); }

    QComboBox* List() const { return cbxDropDown_; }
    QLabel* CaptionLabel() const { return lblCaption_; }

private:
    int FindValue(const std::string& v) const;  // 0 when no item matches
    bool SameValue(const std::string& a, const std::string& b) const;
    std::string ReadEntry() const;
    void Commit();

    QLabel* lblCaption_;
    QComboBox* cbxDropDown_;
    std::vector<std::string> values_{std::string()};
    std::string toolTip_;
    bool useFullPath_ = false;
    bool fileNameValues_ = false;
};

}  // namespace zam::controls
