#pragma once
// Where "access denied" on a write most likely comes from Windows guarding the folder rather than
// from the file: the user is told which guard and what to do about it.
#include <string>

namespace zam::platform::win32 {

// For a file `native` (a full or relative path) below a folder Windows guards: the reason and
// the remedy, in words for the user. Controlled folder access guards Documents, Pictures,
// Videos, Music, Favorites and the Desktop (the user's and the public ones) against programs it
// does not know; Program Files is for administrators only, and an old program such as the
// simulator has its own writes there redirected to a copy in the user's VirtualStore folder.
// Empty for a file below neither.
std::string ProtectedFolderReason(const std::wstring& native);

}  // namespace zam::platform::win32
