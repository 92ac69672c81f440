#include <unistd.h>

#include <system_error>

#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"

namespace zam::platform {

namespace fs = std::filesystem;

namespace {

std::string AsFolder(const fs::path& native) {
    std::string logical = LogicalFromNative(native);
    if (logical.empty() || !IsSeparator(logical.back())) logical += '/';
    return logical;
}

fs::path Executable() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe;
}

}  // namespace

std::string CurrentDirectory() {
    std::error_code ec;
    fs::path cwd = fs::current_path(ec);
    return ec ? std::string() : AsFolder(cwd);
}

bool ChangeDirectory(std::string_view logical) {
    fs::path native = NativePath(logical);
    return !native.empty() && ::chdir(native.c_str()) == 0;
}

std::string ProgramFolder() {
    fs::path exe = Executable();
    return exe.empty() ? CurrentDirectory() : AsFolder(exe.parent_path());
}

std::string ProgramName() { return LogicalFromNative(Executable().stem()); }

std::string CommandInterpreter() { return {}; }

}  // namespace zam::platform
