#include <cstdio>

#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"

namespace zam::platform {

namespace {
ProcessLauncher* current = nullptr;
}  // namespace

ProcessLauncher& Processes() { return current != nullptr ? *current : NativeProcesses(); }

ScopedProcessLauncher::ScopedProcessLauncher(ProcessLauncher& replacement) : previous_(current) {
    current = &replacement;
}

ScopedProcessLauncher::~ScopedProcessLauncher() { current = previous_; }

Status ProcessLauncher::CheckStartable(std::string_view commandLine) {
    const SplitCommand split =
        SplitCommandLine(commandLine, [](std::string_view p) { return Fs().FileExists(p); });
    if (split.program.empty()) return Status::Error(kFileNotFound, "No program to start");
    if (IsBareName(split.program) || Fs().FileExists(split.program)) return Status::Ok();
    return Status::Error(kFileNotFound);
}

Status ProcessLauncher::Poll(ProcessId id, bool& ended, ProcessExit& exit) {
    ended = true;
    return Wait(id, exit);
}

std::string DescribeExit(const ProcessExit& exit) {
    if (exit.signal != 0) return "signal " + std::to_string(exit.signal);
    if (exit.code < 0x10000) return "exit status " + std::to_string(exit.code);
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(exit.code));
    return std::string("exit status ") + hex;
}

}  // namespace zam::platform
