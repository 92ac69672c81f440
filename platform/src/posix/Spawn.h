#pragma once
// Starting a program file directly with an argument vector: no shell ever sees the arguments.
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "zam/platform/Status.h"

namespace zam::platform::posix {

// The status for an errno value, described in the system's own words ("Permission denied",
// "Exec format error").
Status SystemError(int err);

// The executable file `name` in one of the folders of $PATH, or an empty path.
std::filesystem::path FindInPath(std::string_view name);

// Starts `program` with `argv` (argv[0] included) and the environment of this process, with each
// of `environment` ("NAME=value") put in place of the variable of that name.
Status Spawn(const std::filesystem::path& program, const std::vector<std::string>& argv,
             const std::vector<std::string>& environment, pid_t& pid);

}  // namespace zam::platform::posix
