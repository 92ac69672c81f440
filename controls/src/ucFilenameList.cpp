#include "zam/controls/ucFilenameList.h"

#include <QHBoxLayout>
#include <vector>

#include "zam/controls/BoundStore.h"
#include "zam/platform/FileSystem.h"

namespace zam::controls {

ucFilenameList::ucFilenameList(QWidget* parent) : QWidget(parent), cbxFiles_(new QComboBox(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cbxFiles_);
    setFocusProxy(cbxFiles_);
}

void ucFilenameList::SetPath(const std::string& path) {
    path_ = path;
    IniStore* store = BoundStore();
    const std::string folder = store ? store->FullPathIniValue("ZAM.Ini", "Paths", "GPL") : "";
    SetFullPath(folder + path);
}

void ucFilenameList::SetFullPath(const std::string& fullPath) {
    fullPath_ = fullPath;
    cbxFiles_->clear();
    std::vector<std::string> names;
    if (fullPath.empty() || fullPath == "?") return;
    if (!platform::Fs().List(fullPath, platform::kListFiles, names).ok()) return;
    for (const std::string& name : names)
        if (!name.empty() && name[0] != '.') cbxFiles_->addItem(ToQt(name));
    if (cbxFiles_->count() > 0) cbxFiles_->setCurrentIndex(0);
}

std::string ucFilenameList::Value() const { return FromQt(cbxFiles_->currentText()); }

void ucFilenameList::SetValue(const std::string& text) {
    const int index = cbxFiles_->findText(ToQt(text), Qt::MatchFixedString);
    if (index >= 0) cbxFiles_->setCurrentIndex(index);
}

}  // namespace zam::controls
