#include "Win32Io.h"
#include "zam/platform/Paths.h"

namespace zam::platform {

// Logical paths are Windows paths already: the native path is the same text, read in the
// system's code page for names (empty when it is no text of it).
std::filesystem::path NativePath(std::string_view logical) {
    std::wstring native;
    win32::WideName(logical, native);
    return std::filesystem::path(native);
}

// Empty when the path can be named neither by its own spelling nor by its short form.
std::string LogicalFromNative(const std::filesystem::path& native) {
    std::string logical;
    win32::LogicalFromSystem(native.native(), logical);
    return logical;
}

}  // namespace zam::platform
