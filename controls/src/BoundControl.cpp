#include "zam/controls/BoundControl.h"

#include <cmath>

#include "zam/controls/BoundStore.h"

namespace zam::controls {

void BoundControl::Bind(const char* file, const char* section, const char* entry) {
    if (file) SetIniFile(file);
    if (section) SetSection(section);
    if (entry) SetEntry(entry);
}

bool BoundControl::BindingComplete() const {
    for (const std::string* part : {&iniFile_, &section_, &entry_})
        if (part->empty() || IsUnfilled(*part)) return false;
    return true;
}

int TwipsToPixels(const QWidget* widget, int twips) {
    const int dpi = widget ? widget->logicalDpiX() : 96;
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

}  // namespace zam::controls
