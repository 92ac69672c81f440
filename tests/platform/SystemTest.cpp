#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zam/platform/Process.h"
#include "zam/platform/System.h"

namespace {

using namespace zam::platform;

// On Windows the power requests are ExitWindowsEx itself: no test may call it there.
#ifndef _WIN32
// Stands in for the real launcher: a power request must never reach the machine in a test.
struct RecordingLauncher : ProcessLauncher {
    std::vector<std::string> started;
    std::vector<std::int64_t> waited;
    Status Start(std::string_view commandLine, ProcessId& id) override {
        started.emplace_back(commandLine);
        id.value = static_cast<std::int64_t>(started.size()) + 100;
        return Status::Ok();
    }
    Status Wait(ProcessId id) override {
        waited.push_back(id.value);
        return Status::Ok();
    }
};

TEST(System, PowerActionsAskSystemd) {
    RecordingLauncher launcher;
    ScopedProcessLauncher swap(launcher);
    ASSERT_TRUE(NativeSystem().RequestPowerAction(PowerAction::kShutdown).ok());
    ASSERT_TRUE(NativeSystem().RequestPowerAction(PowerAction::kRestart).ok());
    EXPECT_EQ(launcher.started, (std::vector<std::string>{"systemctl poweroff", "systemctl reboot"}));
    EXPECT_EQ(launcher.waited, (std::vector<std::int64_t>{101, 102}));
}

TEST(System, PowerActionFailureIsReported) {
    struct Failing : RecordingLauncher {
        Status Start(std::string_view, ProcessId&) override { return Status::Error(kFileNotFound); }
    } launcher;
    ScopedProcessLauncher swap(launcher);
    EXPECT_EQ(NativeSystem().RequestPowerAction(PowerAction::kShutdown).code, kFileNotFound);
    EXPECT_TRUE(launcher.waited.empty());
}

TEST(System, NoRegistryHere) {
    std::string value = "stale";
    EXPECT_FALSE(NativeSystem().GetKeyValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", value));
    EXPECT_TRUE(value.empty());
    NativeSystem().PlaySoundAsync("");  // nothing to play: returns at once
    NativeSystem().PlaySoundAsync("/nonexistent/Startup.wav");
}

#endif  // _WIN32

}  // namespace
