#include "zam/platform/FileTime.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "zam/platform/Paths.h"

namespace zam::platform {

Status ModifiedTime(std::string_view path, std::int64_t& secondsSinceEpoch) {
    secondsSinceEpoch = 0;
    std::error_code error;
    const auto written = std::filesystem::last_write_time(NativePath(path), error);
    if (error) return Status::Error(kFileNotFound, error.message());
    const auto system = std::chrono::file_clock::to_sys(written);
    secondsSinceEpoch =
        std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
    return Status::Ok();
}

std::string FormatLocalTime(std::int64_t secondsSinceEpoch) {
    const auto time = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &time) != 0) return {};
#else
    if (localtime_r(&time, &local) == nullptr) return {};
#endif
    char text[32];
    if (std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) == 0) return {};
    return text;
}

}  // namespace zam::platform
