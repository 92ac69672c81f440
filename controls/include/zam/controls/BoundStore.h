#pragma once
// The bound controls reach the INI store and the user through two process-wide references that
// the main window sets once it has created them. The controls never hold a store of their own: a
// null store means the store cannot be reached yet (reads give nothing, writes are dropped), which
// is the state while a window is still being built.
#include <QString>
#include <string>
#include <string_view>

#include "zam/store/IniStore.h"
#include "zam/store/UserInterface.h"

namespace zam::controls {

void SetBoundStore(IniStore* store);
IniStore* BoundStore();

// The user interface used by the controls (the spinner's range message, the file-path browse).
void SetControlsUi(UserInterface* ui);
UserInterface* ControlsUi();

// Widgets speak Unicode; the store keeps Windows-1252 bytes.
QString ToQt(std::string_view text);
std::string FromQt(const QString& text);

// True when a binding part still waits for the window to fill it in.
inline bool IsUnfilled(std::string_view part) { return part.find('?') != std::string_view::npos; }

}  // namespace zam::controls
