#include <gtest/gtest.h>

#include "zam/frontend/LaunchCommand.h"
#include "zam/platform/Process.h"

namespace zam {
namespace {

constexpr const char* kExe = "C:\\Sierra\\GPL\\GPL.EXE";

// Split as the launcher splits it, with the simulator as the only program there is.
platform::SplitCommand Split(const std::string& line) {
    return platform::SplitCommandLine(line, [](std::string_view p) { return p == kExe; });
}

// Modes without arguments end in exactly one blank; hosting ignores the join boxes; joining over
// IP names the address twice, and a password follows with its own blank.
TEST(LaunchCommand, EachModeGivesItsOwnArguments) {
    for (int mode : {kModeTesting, kModeOfflineRace, kModeChampionship})
        EXPECT_EQ(SimulatorCommandLine(kExe, mode, {"IP", "10.0.0.1", "pw"}),
                  "C:\\Sierra\\GPL\\GPL.EXE ")
            << mode;
    EXPECT_EQ(SimulatorCommandLine(kExe, kModeHost, {"IP", "10.0.0.1", "secret"}),
              "C:\\Sierra\\GPL\\GPL.EXE -ko\"0:SERVER:launch:1\"");
    EXPECT_EQ(SimulatorCommandLine(kExe, kModeJoin, {"IP", "192.168.1.7", ""}),
              "C:\\Sierra\\GPL\\GPL.EXE -ko\"0:client:to_ip:192.168.1.7\" "
              "-ko\"0:client:via_ip:192.168.1.7\"");
    EXPECT_EQ(ModeArguments(kModeJoin, {"IP", "", ""}),
              "-ko\"0:client:to_ip:\" -ko\"0:client:via_ip:\"");
    EXPECT_EQ(SimulatorCommandLine(kExe, kModeJoin, {"IPX", "ignored", "P"}),
              "C:\\Sierra\\GPL\\GPL.EXE  -ko\"0:SERVER:password:P\"");
    EXPECT_EQ(ModeArguments(kModeJoin, {"IP", "a", "P"}),
              "-ko\"0:client:to_ip:a\" -ko\"0:client:via_ip:a\" -ko\"0:SERVER:password:P\"");
    EXPECT_EQ(ModeArguments(kModeJoin, {"IPX", "a", ""}), "");
}

TEST(LaunchCommand, HostileTextQuotesAndBackslashesStayLiteralInsideTheirOption) {
    const std::string address = "1.2.3.4; rm -rf ~ && $(reboot) | `id`";
    const std::string line = SimulatorCommandLine(kExe, kModeJoin, {"IP", address, "x y"});
    EXPECT_NE(line.find(address), std::string::npos);
    // The program stays the simulator and the typed text only ever lands inside its arguments.
    const platform::SplitCommand split = Split(line);
    EXPECT_EQ(split.program, kExe);
    ASSERT_EQ(split.args.size(), 3u);
    EXPECT_EQ(split.args[0], "-ko0:client:to_ip:" + address);
    EXPECT_EQ(split.args[2], "-ko0:SERVER:password:x y");
    // A quote, or a backslash at the end, in typed text would otherwise close the option early:
    // the rest would become options of its own (another server, "launch") or swallow the next one.
    for (const std::string text :
         {"pa\"ss", "x\" -ko\"0:SERVER:launch:1", "ends\\", "a\\\"b", "\"\"", "C:\\dir\\x", "\\\\srv\\"}) {
        SCOPED_TRACE(text);
        const platform::SplitCommand parts =
            Split(SimulatorCommandLine(kExe, kModeJoin, {"IP", text, text}));
        EXPECT_EQ(parts.program, kExe);
        EXPECT_EQ(parts.args, (std::vector<std::string>{"-ko0:client:to_ip:" + text,
                                                        "-ko0:client:via_ip:" + text,
                                                        "-ko0:SERVER:password:" + text}));
    }
    // Backslashes that come before no quote are left as typed.
    EXPECT_EQ(ModeArguments(kModeJoin, {"IPX", "", "a\\b"}), " -ko\"0:SERVER:password:a\\b\"");
}

TEST(LaunchCommand, FramesAndLastRaceTypeFollowTheStoredMode) {
    const auto testing = FramesForMode("0");
    ASSERT_TRUE(testing);
    EXPECT_TRUE(testing->damageModel);
    EXPECT_FALSE(testing->race);
    const auto host = FramesForMode("2");
    ASSERT_TRUE(host);
    EXPECT_TRUE(host->race && host->hosting && !host->client && !host->damageModel);
    const auto join = FramesForMode("3");
    ASSERT_TRUE(join);
    EXPECT_TRUE(join->client && !join->race && !join->hosting);
    for (const char* other : {"", "5", "-1", "02", "x"}) EXPECT_FALSE(FramesForMode(other)) << other;
    // The last race type of each mode.
    const char* expected[] = {"3", "0", "2", "2", "1"};
    ASSERT_EQ(LaunchModes().size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_STREQ(LaunchModes()[i].lastRaceType, expected[i]);
}

}  // namespace
}  // namespace zam
