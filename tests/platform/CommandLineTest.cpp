#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
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
using Args = std::vector<std::string>;

// Answers for a fixed set of files, and remembers what was asked.
struct FakeFiles {
    std::set<std::string> files;
    std::vector<std::string> asked;
    std::function<bool(std::string_view)> exists() {
        return [this](std::string_view p) {
            asked.emplace_back(p);
            return files.count(std::string(p)) > 0;
        };
    }
};

TEST(SplitCommandLine, QuotedUnquotedUnclosedAndUnfoundProgramsAndTheFirstExistingPrefix) {
    FakeFiles f;
    SplitCommand s =
        SplitCommandLine("  \"C:\\Program Files\\Tool\\tool.exe\" -a \"b c\"", f.exists());
    EXPECT_EQ(s.program, "C:\\Program Files\\Tool\\tool.exe");
    EXPECT_EQ(s.args, (Args{"-a", "b c"}));
    // Unquoted with blanks, found as Windows finds it.
    f.files = {"C:\\Program Files\\Sim Tools\\setup edit.exe"};
    f.asked.clear();
    s = SplitCommandLine("C:\\Program Files\\Sim Tools\\setup edit -track monza", f.exists());
    EXPECT_EQ(s.program, "C:\\Program Files\\Sim Tools\\setup edit.exe");
    EXPECT_EQ(s.args, (Args{"-track", "monza"}));
    // Shortest first, each also with ".exe".
    ASSERT_GE(f.asked.size(), 4u);
    EXPECT_EQ(f.asked[0], "C:\\Program");
    EXPECT_EQ(f.asked[1], "C:\\Program.exe");
    EXPECT_EQ(f.asked[2], "C:\\Program Files\\Sim");
    // Nothing exists: the first token is the program.
    s = SplitCommandLine("C:\\No Such\\gpl.exe   -a\t-b", f.exists());
    EXPECT_EQ(s.program, "C:\\No");
    EXPECT_EQ(s.args, (Args{"Such\\gpl.exe", "-a", "-b"}));
    EXPECT_TRUE(SplitCommandLine("   ", f.exists()).program.empty());
    EXPECT_TRUE(SplitCommandLine("", f.exists()).args.empty());
    // An unclosed quote takes the rest as the program.
    s = SplitCommandLine("\"C:\\a b\\x.exe -y", f.exists());
    EXPECT_EQ(s.program, "C:\\a b\\x.exe -y");
    EXPECT_TRUE(s.args.empty());
    // The first existing prefix wins.
    f.files = {"C:\\GPL\\gpl.exe", "C:\\GPL\\gpl.exe -x"};
    s = SplitCommandLine("C:\\GPL\\gpl.exe -x ", f.exists());
    EXPECT_EQ(s.program, "C:\\GPL\\gpl.exe");
    EXPECT_EQ(s.args, (Args{"-x"}));
}

TEST(SplitArguments, WindowsQuotingRulesAndShellCharactersAsOrdinaryText) {
    EXPECT_EQ(SplitArguments(""), Args{});
    EXPECT_EQ(SplitArguments("  a  b\tc "), (Args{"a", "b", "c"}));
    EXPECT_EQ(SplitArguments("\"a b\" c"), (Args{"a b", "c"}));
    EXPECT_EQ(SplitArguments("x\"a b\"y"), (Args{"xa by"}));
    EXPECT_EQ(SplitArguments("\"\" x"), (Args{"", "x"}));
    // Backslashes are literal unless a quote follows.
    EXPECT_EQ(SplitArguments("C:\\a\\b\\ d"), (Args{"C:\\a\\b\\", "d"}));
    // 2n backslashes before a quote: n backslashes, the quote delimits.
    EXPECT_EQ(SplitArguments("\"C:\\dir\\\\\" x"), (Args{"C:\\dir\\", "x"}));
    EXPECT_EQ(SplitArguments("a\\\\\\\\\"b c\""), (Args{"a\\\\b c"}));
    // 2n+1 backslashes before a quote: n backslashes and a literal quote.
    EXPECT_EQ(SplitArguments("a\\\"b"), (Args{"a\"b"}));
    EXPECT_EQ(SplitArguments("a\\\\\\\"b c"), (Args{"a\\\"b", "c"}));
    // "" inside quotes is one literal quote.
    EXPECT_EQ(SplitArguments("\"say \"\"hi\"\"\" z"), (Args{"say \"hi\"", "z"}));
    // Shell characters are ordinary text.
    EXPECT_EQ(SplitArguments("\"a; rm -rf x\" $(id) `id` a&b|c>d"),
              (Args{"a; rm -rf x", "$(id)", "`id`", "a&b|c>d"}));
}

TEST(KindOfProgram, TheHeaderDecidesNotTheNameAndSafeBatchArgumentsRefuseCmdSyntax) {
    EXPECT_EQ(KindOfProgram("gplsetup", "MZ\x90"), ProgramKind::kWindows);
    EXPECT_EQ(KindOfProgram("GPL.EXE", "MZ"), ProgramKind::kWindows);
    EXPECT_EQ(KindOfProgram("renamed.bat", "MZ"), ProgramKind::kWindows);
    // An executable script called GPL.EXE (the demo stand-in) is run as what it is.
    EXPECT_EQ(KindOfProgram("GPL.EXE", "#!"), ProgramKind::kNative);
    EXPECT_EQ(KindOfProgram("command.com", ""), ProgramKind::kNative);
    EXPECT_EQ(KindOfProgram("script.sh", "#!"), ProgramKind::kNative);
    EXPECT_EQ(KindOfProgram("exe", "M"), ProgramKind::kNative);
    EXPECT_EQ(KindOfProgram("readme.exe.txt", "mz"), ProgramKind::kNative);
    EXPECT_EQ(KindOfProgram("setup.Bat", "@e"), ProgramKind::kBatch);
    EXPECT_EQ(KindOfProgram("RUN.CMD", ""), ProgramKind::kBatch);
    EXPECT_EQ(KindOfProgram("run.cmd.sh", ""), ProgramKind::kNative);
    EXPECT_TRUE(IsWindowsProgram("setup.bat", ""));
    EXPECT_TRUE(IsWindowsProgram("x", "MZ"));
    EXPECT_FALSE(IsWindowsProgram("GPL.EXE", "#!"));

    EXPECT_TRUE(SafeBatchArgument("-trackdir=monza"));
    EXPECT_TRUE(SafeBatchArgument("C:\\Sierra\\GPL 2\\x.ini"));
    EXPECT_TRUE(SafeBatchArgument(""));
    for (std::string_view bad : {"a&b", "a|b", "<in", "out>", "^x", "%PATH%", "!x!", "say \"hi\"",
                                 "two\r\nlines", "new\nline"})
        EXPECT_FALSE(SafeBatchArgument(bad)) << bad;
    EXPECT_FALSE(SafeBatchArgument(std::string_view("nul\0x", 5)));
}

// Server addresses and passwords are text the user typed. Whatever they hold (quotes, ";",
// "$( )", back-quotes, "&", pipes, redirections) a started program receives each as one argument
// and nothing else ever runs: command lines are split by Windows rules and never reach a shell.
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
