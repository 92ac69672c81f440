#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingLauncher.h"
#include "zam/platform/Process.h"
#include "zam/platform/System.h"

namespace {

using namespace zam::platform;
using zam::test::RecordingLauncher;

// On Windows the power requests are ExitWindowsEx itself: no test may call it there.
#ifndef _WIN32
TEST(System, PowerActionsAskSystemdOrLoginctlAndARefusalIsAnErrorThatSaysWhich) {
    RecordingLauncher launcher;
    ScopedProcessLauncher swap(launcher);
    ASSERT_TRUE(NativeSystem().RequestPowerAction(PowerAction::kShutdown).ok());
    ASSERT_TRUE(NativeSystem().RequestPowerAction(PowerAction::kRestart).ok());
    EXPECT_EQ(launcher.started,
              (std::vector<std::string>{"systemctl poweroff", "systemctl reboot"}));
    EXPECT_EQ(launcher.waited, (std::vector<std::int64_t>{101, 102}));

    // The answer of systemctl is its exit status: a refusal (no permission, a policy asking for a
    // password) must not pass for a machine going down.
    launcher.exit.code = 1;
    Status refused = NativeSystem().RequestPowerAction(PowerAction::kRestart);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.description, "\"systemctl reboot\" ended with exit status 1");

    // Without systemctl loginctl is asked, and with neither the request fails.
    launcher = RecordingLauncher();
    launcher.missing = {"systemctl"};
    ASSERT_TRUE(NativeSystem().RequestPowerAction(PowerAction::kShutdown).ok());
    EXPECT_EQ(launcher.started,
              (std::vector<std::string>{"systemctl poweroff", "loginctl poweroff"}));
    EXPECT_EQ(launcher.waited, (std::vector<std::int64_t>{101}));

    launcher.missing.push_back("loginctl");
    Status failed = NativeSystem().RequestPowerAction(PowerAction::kShutdown);
    EXPECT_EQ(failed.code, kFileNotFound);
    EXPECT_NE(failed.description.find("loginctl"), std::string::npos) << failed.description;
    EXPECT_EQ(launcher.waited.size(), 1u);
}

TEST(System, NoRegistryHere) {
    std::string value = "stale";
    EXPECT_FALSE(
        NativeSystem().GetKeyValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", value));
    EXPECT_TRUE(value.empty());
    NativeSystem().PlaySoundAsync("");  // nothing to play: returns at once
    NativeSystem().PlaySoundAsync("/nonexistent/Startup.wav");
}

#endif  // _WIN32

}  // namespace
