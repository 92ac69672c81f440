#pragma once
// What every bound setting control shares: the INI binding (file, section, entry), Refresh, and
// the Change signal raised to its window after each accepted change.
#include <QWidget>
#include <string>

namespace zam::controls {

class BoundControl : public QWidget {
    Q_OBJECT
public:
    explicit BoundControl(QWidget* parent = nullptr) : QWidget(parent) {}

    const std::string& IniFile() const { return iniFile_; }
    const std::string& Section() const { return section_; }
    const std::string& Entry() const { return entry_; }
    virtual void SetIniFile(const std::string& file) { iniFile_ = file; }
    virtual void SetSection(const std::string& section) { section_ = section; }
    virtual void SetEntry(const std::string& entry) { entry_ = entry; }
    // Points the control at another entry; parts given as nullptr keep their binding.
    void Bind(const char* file, const char* section, const char* entry);

    // Reads the entry again and shows it.
    virtual void Refresh() = 0;

    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetToolTip(const std::string& toolTip) = 0;
    // Label width in twips (1/1440 inch); kinds without a label ignore it.
    virtual void SetLabelWidth(int twips) { (void)twips; }
    // Enables the parts the user edits (each kind says which).
    virtual void SetEnabled(bool enabled) { setEnabled(enabled); }

signals:
    void Change();

protected:
    // False while a part is empty or still unfilled: such a binding is inert, writes are dropped
    // (so no placeholder section or entry ever reaches a user's file).
    bool BindingComplete() const;

    std::string iniFile_ = "?";
    std::string section_ = "?";
    std::string entry_ = "?";
};

// Pixels of a length in twips on the screen the widget is on.
int TwipsToPixels(const QWidget* widget, int twips);

}  // namespace zam::controls
