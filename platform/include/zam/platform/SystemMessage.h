#pragma once
// A message for a program that has no window of its own (the loader): a system message box with
// an OK button on Windows; elsewhere, where no toolkit is at hand, a line on standard error.
#include <string_view>

namespace zam::platform {

// `text` and `title` are Windows-1252. Blocks until the user closes the box where there is one.
void ShowSystemMessage(std::string_view text, std::string_view title);

}  // namespace zam::platform
