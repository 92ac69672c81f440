#pragma once
// When a file was last written, for showing the user the age of a backup.
#include <cstdint>
#include <string>
#include <string_view>

#include "zam/platform/Status.h"

namespace zam::platform {

// Seconds since 1970-01-01 UTC of the last write of the file at the logical `path`.
Status ModifiedTime(std::string_view path, std::int64_t& secondsSinceEpoch);

// "2026-12-07 18:04", in the local time zone.
std::string FormatLocalTime(std::int64_t secondsSinceEpoch);

}  // namespace zam::platform
