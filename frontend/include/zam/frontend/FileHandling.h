#pragma once
// The one way the user chooses a file.
#include <optional>
#include <string>

#include "zam/store/UserInterface.h"

class QWidget;

namespace zam {

// Shows frmFileSelect modally on `folder` with the file list filtered by `pattern` ("*.ini",
// "*.exe;*.com;*.bat") and `title` as caption; allowNew lets the user type the name of a file that
// does not exist yet. Gives the folder (ending in exactly one separator) and the name chosen, or
// nothing when the user cancelled. The dialog's own messages go through `ui`.
std::optional<FileChoice> SelectFile(UserInterface& ui, const std::string& pattern,
                                     const std::string& folder, const std::string& title,
                                     bool allowNew, QWidget* parent = nullptr);

}  // namespace zam
