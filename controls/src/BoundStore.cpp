#include "zam/controls/BoundStore.h"

#include "zam/platform/Text.h"

namespace zam::controls {

namespace {
IniStore* gStore = nullptr;
UserInterface* gUi = nullptr;
}  // namespace

void SetBoundStore(IniStore* store) { gStore = store; }
IniStore* BoundStore() { return gStore; }

void SetControlsUi(UserInterface* ui) { gUi = ui; }
UserInterface* ControlsUi() { return gUi; }

QString ToQt(std::string_view text) {
    return QString::fromStdString(platform::Utf8FromCp1252(text));
}

std::string FromQt(const QString& text) {
    return platform::Cp1252FromUtf8(text.toStdString());
}

}  // namespace zam::controls
