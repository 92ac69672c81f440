#include "Win32Io.h"
#include "zam/platform/Paths.h"

namespace zam::platform {

// Logical paths are Windows paths already: the native path is the same text, taken as
// Windows-1252.
std::filesystem::path NativePath(std::string_view logical) {
    return std::filesystem::path(win32::Wide(logical));
}

std::string LogicalFromNative(const std::filesystem::path& native) {
    return win32::Narrow(native.native());
}

}  // namespace zam::platform
