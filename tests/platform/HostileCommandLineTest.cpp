// Server addresses and passwords are text the user typed. Whatever they hold (quotes, ";",
// "$( )", back-quotes, "&", pipes, redirections) a started program receives each as one argument
// and nothing else ever runs: command lines are split by Windows rules and never reach a shell.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "RecordingLauncher.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"

namespace {

namespace fs = std::filesystem;
using namespace zam::platform;
using zam::test::TempDir;

const std::vector<std::string> kHostile = {
    "plain",           "a\"b",           "\"; touch pwned1; \"",
    "$(touch pwned2)", "`touch pwned3`", "x & touch pwned4",
    "|touch pwned5",   ">pwned6",        "a\\\"b",
    "ends\\",          "%PATH% 'q' ;",   "\" & touch pwned7 & \"",
};

std::vector<std::string> Recorded(const TempDir& dir) {
    std::vector<std::string> args;
    const std::string bytes = dir.read("record");
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1)
        args.push_back(bytes.substr(start, end - start));
    return args;
}

class HostileCommandLine : public testing::Test {
protected:
    // A stand-in for the simulator in "Sierra GPL\" that records its arguments, each ended by a
    // 00 byte, started from the test's folder. On Windows it is the launcher tests' small
    // program, told by the environment where to record.
    HostileCommandLine() : cwd_(dir.path()) {
        const fs::path record = dir.file("record");
#ifdef _WIN32
        fs::create_directories(dir.file("Sierra GPL"));
        fs::copy_file(NativePath(ProgramFolder() + "zam_test_child.exe"),
                      dir.file("Sierra GPL/gpl stand-in.exe"));
        env_.emplace("ZAM_TEST_RECORD", record.string());
#else
        fs::path script =
            dir.write("Sierra GPL/gpl stand-in",
                      "#!/bin/sh\nprintf '%s\\0' \"$@\" > '" + record.string() + "'\n");
        fs::permissions(script, fs::perms::owner_exec, fs::perm_options::add);
#endif
    }

    TempDir dir;
    const std::string program = dir.logical() + "Sierra GPL\\gpl stand-in";

private:
    std::optional<zam::test::ScopedEnv> env_;
    zam::test::ScopedCurrentDir cwd_;
};

// Each text escaped as the front end escapes it, then unescaped: a quote in the text splits the
// argument, but still nothing runs; and the escaping round-trips through the splitter.
TEST_F(HostileCommandLine, AddressAndPasswordArriveAsOneArgumentEachAndNothingEverRuns) {
    for (const std::string& text : kHostile) {
        SCOPED_TRACE(text);
        // The join options as the front end puts them on the simulator's command line.
        ASSERT_TRUE(zam::test::RunNatively(
                        "\"" + program + "\" -ko\"0:client:to_ip:" + EscapeInsideQuotes(text) +
                        "\" -ko\"0:SERVER:password:" + EscapeInsideQuotes(text) + "\"")
                        .ok());
        EXPECT_EQ(Recorded(dir), (std::vector<std::string>{"-ko0:client:to_ip:" + text,
                                                           "-ko0:SERVER:password:" + text}));
        ASSERT_TRUE(
            zam::test::RunNatively("\"" + program + "\" -ko\"0:SERVER:password:" + text + "\"")
                .ok());
        EXPECT_EQ(Recorded(dir), SplitArguments("-ko\"0:SERVER:password:" + text + "\""));
        // None of the commands hidden in the texts ran.
        for (int n = 1; n <= 7; ++n) EXPECT_FALSE(dir.exists("pwned" + std::to_string(n)));
        EXPECT_EQ(SplitArguments("\"" + EscapeInsideQuotes(text) + "\""),
                  std::vector<std::string>{text});
    }
}

}  // namespace
