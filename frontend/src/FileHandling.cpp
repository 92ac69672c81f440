#include "zam/frontend/FileHandling.h"

#include "zam/frontend/frmFileSelect.h"

namespace zam {

std::optional<FileChoice> SelectFile(UserInterface& ui, const std::string& pattern,
                                     const std::string& folder, const std::string& title,
                                     bool allowNew, QWidget* parent) {
    frmFileSelect dialog(ui, parent);
    dialog.SetPath(folder);
    dialog.SetPattern(pattern);
    dialog.SetFileName({});
    dialog.SetFormCaption(title);
    dialog.SetAllowNew(allowNew);
    dialog.exec();
    const std::string name = dialog.FileName();
    if (name.empty()) return std::nullopt;
    return FileChoice{dialog.Path(), name};
}

}  // namespace zam
