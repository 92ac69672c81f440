#include "zam/controls/ucDropDown.h"

#include <QHBoxLayout>
#include <QSignalBlocker>

#include "zam/controls/BoundStore.h"
#include "zam/platform/Text.h"

namespace zam::controls {

ucDropDown::ucDropDown(QWidget* parent)
    : BoundControl(parent), lblCaption_(new QLabel(this)), cbxDropDown_(new QComboBox(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(lblCaption_);
    layout->addWidget(cbxDropDown_, 1);
    lblCaption_->setBuddy(cbxDropDown_);
    lblCaption_->hide();
    cbxDropDown_->setEditable(false);
    cbxDropDown_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbxDropDown_->setMinimumContentsLength(6);
    setFocusProxy(cbxDropDown_);
    connect(cbxDropDown_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) Commit();
    });
}

void ucDropDown::Clear() {
    const QSignalBlocker block(cbxDropDown_);
    cbxDropDown_->clear();
    values_.assign(1, std::string());
}

void ucDropDown::AddItem(const std::string& text, const std::string& value) {
    // Adding to an empty list must not select anything: only the binding decides the selection.
    const QSignalBlocker block(cbxDropDown_);
    const int selected = cbxDropDown_->currentIndex();
    cbxDropDown_->addItem(ToQt(text));
    cbxDropDown_->setCurrentIndex(selected);
    values_.push_back(value.empty() ? text : value);
}

int ucDropDown::NoItems() const { return cbxDropDown_->count(); }

int ucDropDown::ListIndex() const { return cbxDropDown_->currentIndex() + 1; }

void ucDropDown::SelectIndex(int n) {
    if (n < 1 || n > NoItems()) return;
    cbxDropDown_->setCurrentIndex(n - 1);  // raises the commit only when the item changes
}

std::string ucDropDown::ItemText() const { return FromQt(cbxDropDown_->currentText()); }

void ucDropDown::SetItemText(const std::string& text) {
    const int index = cbxDropDown_->currentIndex();
    if (index >= 0) cbxDropDown_->setItemText(index, ToQt(text));
}

std::string ucDropDown::ItemValue(int n) const {
    return n >= 1 && n < static_cast<int>(values_.size()) ? values_[n] : std::string();
}

std::string ucDropDown::Value() const { return ItemValue(ListIndex()); }

bool ucDropDown::SameValue(const std::string& a, const std::string& b) const {
    return fileNameValues_ ? platform::EqualNoCase(a, b) : a == b;
}

int ucDropDown::FindValue(const std::string& v) const {
    for (int i = static_cast<int>(values_.size()) - 1; i >= 0; --i)
        if (SameValue(values_[i], v)) return i;
    return 0;
}

void ucDropDown::SetValue(const std::string& v) {
    const int found = FindValue(v);
    if (found > 0) SelectIndex(found);
}

void ucDropDown::SetListIndex(const std::string& v) {
    if (NoItems() == 0) return;
    const int found = FindValue(v);
    SelectIndex(found > 0 ? found : 1);
}

std::string ucDropDown::ReadEntry() const {
    IniStore* store = BoundStore();
    if (!store) return std::string();
    return useFullPath_ ? store->FullPathIniValue(iniFile_, section_, entry_)
                        : store->IniValue(iniFile_, section_, entry_);
}

void ucDropDown::Refresh() {
    const bool unfilledFile = !iniFile_.empty() && iniFile_.back() == '?';
    if (!unfilledFile && BoundStore()) SetListIndex(ReadEntry());
    cbxDropDown_->setToolTip(ToQt(toolTip_));
}

void ucDropDown::Commit() {
    IniStore* store = BoundStore();
    const std::string value = Value();
    if (store && BindingComplete() && !SameValue(ReadEntry(), value)) {
        if (useFullPath_)
            store->SetFullPathIniValue(iniFile_, section_, entry_, value);
        else
            store->SetIniValue(iniFile_, section_, entry_, value);
    }
    emit Change();
}

void ucDropDown::SetCaption(const std::string& caption) {
    lblCaption_->setText(ToQt(caption));
    lblCaption_->setVisible(!caption.empty() || lblCaption_->minimumWidth() > 0);
}

void ucDropDown::SetLabelWidth(int twips) {
    const int pixels = TwipsToPixels(this, twips);
    lblCaption_->setFixedWidth(pixels);
    lblCaption_->setVisible(pixels > 0 || !lblCaption_->text().isEmpty());
}

}  // namespace zam::controls
