#pragma once
// On/off setting: one check box whose caption is the setting's name. Every click and every
// assignment writes "0", "1" (or "2", the greyed state) at once; a refresh writes only when it
// changes what the box shows.
#include <QCheckBox>

#include "zam/controls/BoundControl.h"
#include "zam/controls/EntryPosition.h"

namespace zam::controls {

class ucCheckBox : public BoundControl {
    Q_OBJECT
public:
    explicit ucCheckBox(QWidget* parent = nullptr);

    void SetIniFile(const std::string& file) override;
    void SetSection(const std::string& section) override;
    void SetEntry(const std::string& entry) override;

    bool UseFullPath() const { return useFullPath_; }
    void SetUseFullPath(bool useFullPath) { useFullPath_ = useFullPath; }
    int Default() const { return default_; }
    void SetDefault(int v) { default_ = v; }
    // 0: box left of the caption, 1: box right of it.
    void SetAlignment(int alignment);

    // The stored state: the entry's leading number rounded (halves to even), Default when the
    // entry is missing or blank, 0 when the store cannot be reached.
    int Value();
    // Shows the state and writes it, also when it is the state already shown.
    void SetValue(int state);
    // The state the box shows.
    int Shown() const;

    void Refresh() override;
    void SetCaption(const std::string& caption) override;
    void SetToolTip(const std::string& toolTip) override;

    QCheckBox* Box() const { return chkOption_; }

private:
    std::string FullPath() const;
    void Show(int state);
    void Commit(int state);

    QCheckBox* chkOption_;
    EntryPosition position_;
    bool useFullPath_ = false;
    int default_ = 0;
};

}  // namespace zam::controls
