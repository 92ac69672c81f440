#include "zam/controls/ucCheckBox.h"

#include <QHBoxLayout>
#include <QSignalBlocker>

#include "zam/controls/BoundStore.h"
#include "zam/controls/NumberText.h"
#include "zam/platform/Text.h"

namespace zam::controls {

ucCheckBox::ucCheckBox(QWidget* parent) : BoundControl(parent), chkOption_(new QCheckBox(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chkOption_);
    chkOption_->setText("?");
    setFocusProxy(chkOption_);
    connect(chkOption_, &QCheckBox::clicked, this, [this] { Commit(Shown()); });
}

void ucCheckBox::SetIniFile(const std::string& file) {
    if (file != iniFile_) position_.Invalidate();
    BoundControl::SetIniFile(file);
}

void ucCheckBox::SetSection(const std::string& section) {
    position_.Invalidate();
    BoundControl::SetSection(section);
}

void ucCheckBox::SetEntry(const std::string& entry) {
    position_.Invalidate();
    BoundControl::SetEntry(entry);
}

void ucCheckBox::SetAlignment(int alignment) {
    chkOption_->setLayoutDirection(alignment == 1 ? Qt::RightToLeft : Qt::LeftToRight);
}

std::string ucCheckBox::FullPath() const {
    if (useFullPath_) return iniFile_;
    IniStore* store = BoundStore();
    return (store ? store->Directory() : std::string()) + iniFile_;
}

int ucCheckBox::Value() {
    IniStore* store = BoundStore();
    if (!store) return 0;
    const std::string text = position_.Read(*store, FullPath(), iniFile_, section_, entry_);
    if (platform::TrimSpaces(text).empty()) return default_;
    const long long state = RoundHalfEven(LeadingNumber(text));
    if (state < -32768 || state > 32767) return default_;
    return static_cast<int>(state);
}

int ucCheckBox::Shown() const {
    switch (chkOption_->checkState()) {
        case Qt::Checked: return 1;
        case Qt::PartiallyChecked: return 2;
        default: return 0;
    }
}

void ucCheckBox::Show(int state) {
    const QSignalBlocker block(chkOption_);
    // The greyed state only while it is shown: a click on it then goes on to checked, and a
    // click never produces it.
    chkOption_->setTristate(state == 2);
    chkOption_->setCheckState(state == 2 ? Qt::PartiallyChecked
                                         : (state == 1 ? Qt::Checked : Qt::Unchecked));
}

void ucCheckBox::Commit(int state) {
    if (chkOption_->isTristate() && state != 2) chkOption_->setTristate(false);
    IniStore* store = BoundStore();
    if (store && BindingComplete())
        store->SetFullPathIniValue(FullPath(), section_, entry_, std::to_string(state));
    emit Change();
}

void ucCheckBox::SetValue(int state) {
    if (state < 0 || state > 2) return;  // a check box has no such state to show
    Show(state);
    Commit(state);
}

void ucCheckBox::Refresh() {
    const int state = Value();
    // Numbers other than 0, 1 and 2 cannot be shown: the box and the entry stay as they are.
    if (state < 0 || state > 2 || state == Shown()) return;
    Show(state);
    Commit(state);
}

void ucCheckBox::SetCaption(const std::string& caption) { chkOption_->setText(ToQt(caption)); }

void ucCheckBox::SetToolTip(const std::string& toolTip) { chkOption_->setToolTip(ToQt(toolTip)); }

}  // namespace zam::controls
