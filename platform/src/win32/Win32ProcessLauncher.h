#pragma once
// The Windows launcher, made with the calls it starts programs through: the real ones, or a
// test's stand-ins for what wine never does (a program that asks for elevation).
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <memory>

#include "zam/platform/Process.h"

namespace zam::platform::win32 {

struct StartCalls {
    decltype(&::CreateProcessW) createProcess = &::CreateProcessW;
    decltype(&::ShellExecuteExW) shellExecute = &::ShellExecuteExW;
};

std::unique_ptr<ProcessLauncher> MakeProcessLauncher(const StartCalls& calls = {});

}  // namespace zam::platform::win32
