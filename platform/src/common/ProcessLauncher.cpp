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

}  // namespace zam::platform
