#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "PosixIo.h"
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

std::string UserSettingsFolder() {
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG base directory rules say.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const fs::path base = config != nullptr && fs::path(config).is_absolute()
                              ? fs::path(config)
                              : posix::HomeFolder() / ".config";
    return AsFolder(base / "zamdeck");
}

namespace posix {

fs::path HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return fs::path(home);
    const passwd* pw = ::getpwuid(::getuid());
    return fs::path(pw != nullptr ? pw->pw_dir : "/");
}

}  // namespace posix

std::string CommandInterpreter() { return {}; }

}  // namespace zam::platform
