#include <gtest/gtest.h>
#include <sys/stat.h>

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
#include "zam/platform/System.h"

namespace {

namespace fs = std::filesystem;
using namespace zam::platform;
using zam::test::RecordingLauncher;
using zam::test::ScopedEnv;
using zam::test::TempDir;
using Args = std::vector<std::string>;

// Shell scripts and wine stand in for programs here; Win32PlatformTest.cpp starts a real one.
#ifndef _WIN32
using zam::test::RunNatively;

class ProcessTest : public testing::Test {
protected:
    // Writes an executable shell script.
    fs::path Script(const std::string& relative, const std::string& body) const {
        fs::path script = dir.write(relative, "#!/bin/sh\n" + body + "\n");
        fs::permissions(script, fs::perms::owner_exec, fs::perm_options::add);
        return script;
    }
    // A script that records its arguments, one per line, and its folder in `record`.
    void Recorder(const std::string& relative, const std::string& record = "record") const {
        const std::string to = "'" + dir.file(record).string() + "'";
        Script(relative, "printf '%s\\n' \"$@\" > " + to + "\npwd >> " + to);
    }
    // A wine in $PATH that records $WINEPREFIX and what it was asked to run, one line each.
    void WineRecorder() {
        Script("bin/wine", "printf '%s\\n' \"$WINEPREFIX\" \"$@\" > '" +
                               dir.file("wine-record").string() + "'");
        path.emplace("PATH", dir.file("bin").string() + ":/usr/bin:/bin");
    }
    // A wine prefix in the test's folder with its C: drive.
    void WinePrefix() {
        fs::create_directories(dir.path() / "prefix/drive_c");
        fs::create_directories(dir.path() / "prefix/dosdevices");
        fs::create_directory_symlink("../drive_c", dir.path() / "prefix/dosdevices/c:");
        prefix.emplace("WINEPREFIX", (dir.path() / "prefix").string());
    }

    TempDir dir;
    std::optional<ScopedEnv> path, prefix;
};

TEST_F(ProcessTest, StartsAProgramDirectlyWithoutAShellInUtf8OrFromPathAndWaitsForIt) {
    fs::create_directories(dir.path() / "work");
    Recorder("Program Files/My Tool/run.sh");
    zam::test::ScopedCurrentDir cwd(dir.path() / "work");
    ASSERT_TRUE(
        RunNatively(dir.logical() + "PROGRAM FILES\\my tool\\run.sh first \"second arg\"").ok());
    EXPECT_EQ(dir.read("record"), "first\nsecond arg\n" + (dir.path() / "work").string() + "\n");
    // Arguments never reach a shell: nothing runs in the current folder.
    Recorder("echo args");
    ASSERT_TRUE(RunNatively("\"" + dir.logical() +
                            "echo args\" \"a; touch pwned1\" $(touch${IFS}pwned2) `touch pwned3` "
                            "x&touch${IFS}pwned4 'q'")
                    .ok());
    EXPECT_EQ(dir.read("record"),
              "a; touch pwned1\n$(touch${IFS}pwned2)\n`touch\npwned3`\n"
              "x&touch${IFS}pwned4\n'q'\n" +
                  (dir.path() / "work").string() + "\n");
    for (const char* name : {"pwned1", "pwned2", "pwned3", "pwned4"})
        EXPECT_FALSE(dir.exists(std::string("work/") + name));
    // Arguments are passed as UTF-8, and bare names are found in $PATH.
    Recorder("rec");
    ASSERT_TRUE(RunNatively(dir.logical() + "rec caf\xE9").ok());
    EXPECT_EQ(dir.read("record").substr(0, 6), "caf\xC3\xA9\n");
    Recorder("bin/zamtool");
    path.emplace("PATH", dir.file("bin").string() + ":/usr/bin:/bin");
    ASSERT_TRUE(RunNatively("zamtool one").ok());
    EXPECT_EQ(dir.read("record").substr(0, 4), "one\n");
}

TEST_F(ProcessTest, WaitTellsHowTheProgramEndedAndAMissingProgramOrWineIsReportedClearly) {
    struct Case {
        const char* script;
        std::uint32_t code;
        int signal;
    };
    for (const Case& c : {Case{"exit 0", 0, 0}, Case{"exit 3", 3, 0}, Case{"kill -9 $$", 0, 9}}) {
        Script("end.sh", c.script);
        ProcessId id;
        ASSERT_TRUE(NativeProcesses().Start(dir.logical() + "end.sh", id).ok());
        ProcessExit exit;
        ASSERT_TRUE(NativeProcesses().Wait(id, exit).ok()) << c.script;
        EXPECT_EQ(exit.code, c.code) << c.script;
        EXPECT_EQ(exit.signal, c.signal) << c.script;
        EXPECT_EQ(exit.Clean(), c.code == 0 && c.signal == 0);
    }
    // Asked without waiting (the window between repaints): running until it ends, then how.
    Script("wait.sh",
           "while [ ! -f '" + dir.file("go").string() + "' ]; do sleep 0.02; done\nexit 4");
    ProcessId id;
    ASSERT_TRUE(NativeProcesses().Start(dir.logical() + "wait.sh", id).ok());
    bool ended = true;
    ProcessExit exit;
    ASSERT_TRUE(NativeProcesses().Poll(id, ended, exit).ok());
    EXPECT_FALSE(ended);
    dir.write("go", "");
    while (NativeProcesses().Poll(id, ended, exit).ok() && !ended) {
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(exit.code, 4u);
    EXPECT_FALSE(NativeProcesses().Poll(id, ended, exit).ok()) << "gone once it said so";
    EXPECT_EQ(DescribeExit(ProcessExit{3, 0}), "exit status 3");
    EXPECT_EQ(DescribeExit(ProcessExit{0xC0000135u, 0}), "exit status 0xC0000135");
    EXPECT_EQ(DescribeExit(ProcessExit{0, 9}), "signal 9");

    // A missing program: what a user is told is the system's own text.
    Status missing = NativeProcesses().Start(dir.logical() + "nothing.sh -x", id);
    EXPECT_EQ(missing.code, kFileNotFound);
    EXPECT_EQ(missing.description, "No such file or directory");
    EXPECT_EQ(id.value, 0);
    EXPECT_EQ(NativeProcesses().CheckStartable(dir.logical() + "nothing.sh -x").code,
              kFileNotFound);
    EXPECT_EQ(NativeProcesses().Start("", id).code, kFileNotFound);
    EXPECT_EQ(NativeProcesses().Start(dir.logical(), id).code, kFileNotFound);
    EXPECT_FALSE(NativeProcesses().Wait(ProcessId{}).ok());

    // A Windows program without wine: what is missing and which Debian packages bring it; the
    // simulator is a 32-bit program.
    dir.write("gpl.exe", "MZ");
    path.emplace("PATH", dir.file("empty").string());
    Status s = NativeProcesses().Start(dir.logical() + "gpl.exe", id);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.description.find("needs wine, which is not installed"), std::string::npos);
    EXPECT_NE(s.description.find("\"wine32\""), std::string::npos);
    EXPECT_EQ(NativeProcesses().CheckStartable(dir.logical() + "gpl.exe").description,
              s.description);
}

TEST_F(ProcessTest, AnExecutableScriptNamedLikeAWindowsProgramRunsDirectlyAndAPlainFileNot) {
    WineRecorder();
    Recorder("gpl/GPL.EXE");
    Recorder("gpl/tool.com", "record2");
    zam::test::ScopedCurrentDir cwd(dir.path());
    ASSERT_TRUE(RunNatively(dir.logical() + "gpl\\GPL.EXE -ko\"0:SERVER:launch:1\" ").ok());
    EXPECT_EQ(dir.read("record"), "-ko0:SERVER:launch:1\n" + dir.path().string() + "\n");
    ASSERT_TRUE(RunNatively(dir.logical() + "gpl\\tool.com").ok());
    EXPECT_TRUE(dir.exists("record2"));
    EXPECT_FALSE(dir.exists("wine-record"));

    // A file that is neither executable nor a Windows program is not started.
    dir.write("plain/GPL.EXE", "#!/bin/sh\ntouch '" + dir.file("ran").string() + "'\n");
    Status checked = NativeProcesses().CheckStartable(dir.logical() + "plain/GPL.EXE ");
    EXPECT_EQ(checked.code, kPermissionDenied);
    EXPECT_EQ(checked.description, "Permission denied");
    ProcessId id;
    Status s = NativeProcesses().Start(dir.logical() + "plain/GPL.EXE ", id);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(id.value, 0);
    // Once it may be executed, nothing stands in its way.
    fs::permissions(dir.file("plain/GPL.EXE"), fs::perms::owner_exec, fs::perm_options::add);
    EXPECT_TRUE(NativeProcesses().CheckStartable(dir.logical() + "plain/GPL.EXE ").ok());
    EXPECT_FALSE(dir.exists("ran"));
    EXPECT_FALSE(dir.exists("wine-record"));
}

// Batch files go through wine's cmd, and are never given cmd syntax; Windows programs go through
// wine in their prefix.
TEST_F(ProcessTest, BatchFilesGoThroughWinesCmdNeverGivenItsSyntaxAndWindowsProgramsThroughWine) {
    WinePrefix();
    WineRecorder();
    dir.write("prefix/drive_c/Tools/Run Me.bat", "@echo off\r\n");
    dir.write("native/setup.CMD", "@echo off\r\n");
    dir.write("run.bat", "@echo off\r\n");
    ProcessId id;
    Status s = NativeProcesses().Start(dir.logical() + "run.bat \"a&del x\"", id);
    EXPECT_EQ(s.code, kBadFileName);
    EXPECT_NE(s.description.find("a&del x"), std::string::npos);
    EXPECT_EQ(id.value, 0);
    EXPECT_FALSE(dir.exists("wine-record"));

    ASSERT_TRUE(RunNatively("\"C:\\Tools\\Run Me.bat\" one \"two words\"").ok());
    EXPECT_EQ(dir.read("wine-record"), (dir.path() / "prefix").string() +
                                           "\ncmd\n/c\nC:\\Tools\\Run Me.bat\none\ntwo words\n");

    ASSERT_TRUE(RunNatively(dir.logical() + "native/setup.CMD").ok());
    std::string native = "Z:" + dir.file("native/setup.CMD").string();
    for (char& c : native)
        if (c == '/') c = '\\';
    EXPECT_EQ(dir.read("wine-record"),
              (dir.path() / "prefix").string() + "\ncmd\n/c\n" + native + "\n");

    dir.write("prefix/drive_c/Sierra/GPL/gpl.exe", "MZ\x90");
    dir.write("prefix/drive_c/Sierra/GPL/setup", "MZ");  // a Windows program without extension
    ASSERT_TRUE(RunNatively("C:\\Sierra\\GPL\\GPL.EXE -trackdir=monza ").ok());
    fs::path exe = dir.path() / "prefix/dosdevices/c:/Sierra/GPL/gpl.exe";
    EXPECT_EQ(dir.read("wine-record"),
              (dir.path() / "prefix").string() + "\n" + exe.string() + "\n-trackdir=monza\n");

    ASSERT_TRUE(RunNatively("c:\\sierra\\gpl\\setup").ok());
    EXPECT_NE(dir.read("wine-record").find("/setup\n"), std::string::npos);
}

// On Windows the power requests are ExitWindowsEx itself: no test may call it there.
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

TEST(Process, ScopedLauncherPutsTheOldOneBack) {
    zam::test::RecordingLauncher fake;
    {
        ScopedProcessLauncher swap(fake);
        ProcessId id;
        ASSERT_TRUE(Processes().Start("x y", id).ok());
        EXPECT_EQ(id.value, 101);
    }
    EXPECT_EQ(fake.started, std::vector<std::string>{"x y"});
    EXPECT_EQ(&Processes(), &NativeProcesses());
}

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
