#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "RecordingLauncher.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"

namespace {

namespace fs = std::filesystem;
using namespace zam::platform;
using zam::test::ScopedEnv;
using zam::test::TempDir;

// Shell scripts and wine stand in for programs here; Win32PlatformTest.cpp starts a real one.
#ifndef _WIN32
// Writes an executable script that records its arguments, one per line, in `record`.
fs::path WriteRecorder(const TempDir& dir, const std::string& relative, const fs::path& record) {
    fs::path script = dir.write(relative, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" +
                                              record.string() + "'\npwd >> '" + record.string() +
                                              "'\n");
    fs::permissions(script, fs::perms::owner_exec, fs::perm_options::add);
    return script;
}

Status RunAndWait(const std::string& commandLine) {
    ProcessId id;
    Status started = NativeProcesses().Start(commandLine, id);
    if (!started) return started;
    EXPECT_GT(id.value, 0);
    return NativeProcesses().Wait(id);
}

TEST(Process, StartsAProgramDirectlyAndWaitsForIt) {
    TempDir dir;
    fs::create_directories(dir.path() / "work");
    WriteRecorder(dir, "Program Files/My Tool/run.sh", dir.file("record"));
    zam::test::ScopedCurrentDir cwd(dir.path() / "work");
    ASSERT_TRUE(RunAndWait(dir.logical() + "PROGRAM FILES\\my tool\\run.sh first \"second arg\"").ok());
    EXPECT_EQ(dir.read("record"), "first\nsecond arg\n" + (dir.path() / "work").string() + "\n");
}

TEST(Process, ArgumentsNeverReachAShell) {
    TempDir dir;
    WriteRecorder(dir, "echo args", dir.file("record"));
    zam::test::ScopedCurrentDir cwd(dir.path());
    ASSERT_TRUE(RunAndWait("\"" + dir.logical() +
                           "echo args\" \"a; touch pwned1\" $(touch${IFS}pwned2) `touch pwned3` "
                           "x&touch${IFS}pwned4 'q'")
                    .ok());
    EXPECT_EQ(dir.read("record"), "a; touch pwned1\n$(touch${IFS}pwned2)\n`touch\npwned3`\n"
                                  "x&touch${IFS}pwned4\n'q'\n" + dir.path().string() + "\n");
    for (const char* name : {"pwned1", "pwned2", "pwned3", "pwned4"}) EXPECT_FALSE(dir.exists(name));
}

TEST(Process, ArgumentsArePassedAsUtf8) {
    TempDir dir;
    WriteRecorder(dir, "rec", dir.file("record"));
    ASSERT_TRUE(RunAndWait(dir.logical() + "rec caf\xE9").ok());
    EXPECT_EQ(dir.read("record").substr(0, 6), "caf\xC3\xA9\n");
}

TEST(Process, BareNamesAreFoundInPath) {
    TempDir dir;
    WriteRecorder(dir, "bin/zamtool", dir.file("record"));
    ScopedEnv path("PATH", dir.file("bin").string() + ":/usr/bin:/bin");
    ASSERT_TRUE(RunAndWait("zamtool one").ok());
    EXPECT_EQ(dir.read("record").substr(0, 4), "one\n");
}

// What a user is told is the system's own text.
TEST(Process, MissingProgramIsFileNotFound) {
    TempDir dir;
    ProcessId id;
    Status missing = NativeProcesses().Start(dir.logical() + "nothing.sh -x", id);
    EXPECT_EQ(missing.code, kFileNotFound);
    EXPECT_EQ(missing.description, "No such file or directory");
    EXPECT_EQ(id.value, 0);
    EXPECT_EQ(NativeProcesses().CheckStartable(dir.logical() + "nothing.sh -x").code, kFileNotFound);
    EXPECT_EQ(NativeProcesses().Start("", id).code, kFileNotFound);
    EXPECT_EQ(NativeProcesses().Start(dir.logical(), id).code, kFileNotFound);
    EXPECT_FALSE(NativeProcesses().Wait(ProcessId{}).ok());
}

TEST(Process, WaitTellsHowTheProgramEnded) {
    TempDir dir;
    struct Case {
        const char* script;
        std::uint32_t code;
        int signal;
    };
    for (const Case& c : {Case{"exit 0", 0, 0}, Case{"exit 3", 3, 0}, Case{"kill -9 $$", 0, 9}}) {
        fs::path program = dir.write("end.sh", std::string("#!/bin/sh\n") + c.script + "\n");
        fs::permissions(program, fs::perms::owner_exec, fs::perm_options::add);
        ProcessId id;
        ASSERT_TRUE(NativeProcesses().Start(dir.logical() + "end.sh", id).ok());
        ProcessExit exit;
        ASSERT_TRUE(NativeProcesses().Wait(id, exit).ok()) << c.script;
        EXPECT_EQ(exit.code, c.code) << c.script;
        EXPECT_EQ(exit.signal, c.signal) << c.script;
        EXPECT_EQ(exit.Clean(), c.code == 0 && c.signal == 0);
    }
    // Asked without waiting (the window between repaints): running until it ends, then how.
    fs::path waiting = dir.write("wait.sh", "#!/bin/sh\nwhile [ ! -f '" + dir.file("go").string() +
                                                "' ]; do sleep 0.02; done\nexit 4\n");
    fs::permissions(waiting, fs::perms::owner_exec, fs::perm_options::add);
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
}

TEST(Process, WindowsProgramsGoThroughWineInTheirPrefix) {
    TempDir dir;
    fs::create_directories(dir.path() / "prefix/drive_c/Sierra/GPL");
    fs::create_directories(dir.path() / "prefix/dosdevices");
    fs::create_directory_symlink("../drive_c", dir.path() / "prefix/dosdevices/c:");
    dir.write("prefix/drive_c/Sierra/GPL/gpl.exe", "MZ\x90");
    dir.write("prefix/drive_c/Sierra/GPL/setup", "MZ");  // a Windows program without extension
    fs::path wine = dir.write("bin/wine", "#!/bin/sh\nprintf '%s\\n' \"$WINEPREFIX\" \"$@\" > '" +
                                              dir.file("record").string() + "'\n");
    fs::permissions(wine, fs::perms::owner_exec, fs::perm_options::add);
    ScopedEnv prefix("WINEPREFIX", (dir.path() / "prefix").string());
    ScopedEnv path("PATH", dir.file("bin").string() + ":/usr/bin:/bin");

    ASSERT_TRUE(RunAndWait("C:\\Sierra\\GPL\\GPL.EXE -trackdir=monza ").ok());
    fs::path exe = dir.path() / "prefix/dosdevices/c:/Sierra/GPL/gpl.exe";
    EXPECT_EQ(dir.read("record"),
              (dir.path() / "prefix").string() + "\n" + exe.string() + "\n-trackdir=monza\n");

    ASSERT_TRUE(RunAndWait("c:\\sierra\\gpl\\setup").ok());
    EXPECT_NE(dir.read("record").find("/setup\n"), std::string::npos);
}

// A wine in $PATH that records what it was asked to run, one line per argument, and $WINEPREFIX.
fs::path WriteWineRecorder(const TempDir& dir) {
    fs::path wine = dir.write("bin/wine", "#!/bin/sh\nprintf '%s\\n' \"$WINEPREFIX\" \"$@\" > '" +
                                              dir.file("wine-record").string() + "'\n");
    fs::permissions(wine, fs::perms::owner_exec, fs::perm_options::add);
    return wine;
}

TEST(Process, AnExecutableScriptNamedLikeAWindowsProgramRunsDirectly) {
    TempDir dir;
    WriteWineRecorder(dir);
    ScopedEnv path("PATH", dir.file("bin").string() + ":/usr/bin:/bin");
    WriteRecorder(dir, "gpl/GPL.EXE", dir.file("record"));
    WriteRecorder(dir, "gpl/tool.com", dir.file("record2"));
    zam::test::ScopedCurrentDir cwd(dir.path());
    ASSERT_TRUE(RunAndWait(dir.logical() + "gpl\\GPL.EXE -ko\"0:SERVER:launch:1\" ").ok());
    EXPECT_EQ(dir.read("record"), "-ko0:SERVER:launch:1\n" + dir.path().string() + "\n");
    ASSERT_TRUE(RunAndWait(dir.logical() + "gpl\\tool.com").ok());
    EXPECT_TRUE(dir.exists("record2"));
    EXPECT_FALSE(dir.exists("wine-record"));
}

TEST(Process, AFileThatIsNeitherExecutableNorWindowsIsNotStarted) {
    TempDir dir;
    WriteWineRecorder(dir);
    ScopedEnv path("PATH", dir.file("bin").string() + ":/usr/bin:/bin");
    dir.write("gpl/GPL.EXE", "#!/bin/sh\ntouch '" + dir.file("ran").string() + "'\n");
    Status checked = NativeProcesses().CheckStartable(dir.logical() + "gpl/GPL.EXE ");
    EXPECT_EQ(checked.code, kPermissionDenied);
    EXPECT_EQ(checked.description, "Permission denied");
    ProcessId id;
    Status s = NativeProcesses().Start(dir.logical() + "gpl/GPL.EXE ", id);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(id.value, 0);
    // Once it may be executed, nothing stands in its way.
    fs::permissions(dir.file("gpl/GPL.EXE"), fs::perms::owner_exec, fs::perm_options::add);
    EXPECT_TRUE(NativeProcesses().CheckStartable(dir.logical() + "gpl/GPL.EXE ").ok());
    EXPECT_FALSE(dir.exists("ran"));
    EXPECT_FALSE(dir.exists("wine-record"));
    EXPECT_FALSE(dir.exists("ran"));
}

TEST(Process, BatchFilesGoThroughWinesCmd) {
    TempDir dir;
    fs::create_directories(dir.path() / "prefix/drive_c/Tools");
    fs::create_directories(dir.path() / "prefix/dosdevices");
    fs::create_directory_symlink("../drive_c", dir.path() / "prefix/dosdevices/c:");
    dir.write("prefix/drive_c/Tools/Run Me.bat", "@echo off\r\n");
    dir.write("native/setup.CMD", "@echo off\r\n");
    WriteWineRecorder(dir);
    ScopedEnv prefix("WINEPREFIX", (dir.path() / "prefix").string());
    ScopedEnv path("PATH", dir.file("bin").string() + ":/usr/bin:/bin");

    ASSERT_TRUE(RunAndWait("\"C:\\Tools\\Run Me.bat\" one \"two words\"").ok());
    EXPECT_EQ(dir.read("wine-record"), (dir.path() / "prefix").string() +
                                           "\ncmd\n/c\nC:\\Tools\\Run Me.bat\none\ntwo words\n");

    ASSERT_TRUE(RunAndWait(dir.logical() + "native/setup.CMD").ok());
    std::string native = "Z:" + dir.file("native/setup.CMD").string();
    for (char& c : native)
        if (c == '/') c = '\\';
    EXPECT_EQ(dir.read("wine-record"), (dir.path() / "prefix").string() + "\ncmd\n/c\n" + native + "\n");
}

TEST(Process, ABatchFileIsNeverGivenCmdSyntax) {
    TempDir dir;
    dir.write("run.bat", "@echo off\r\n");
    WriteWineRecorder(dir);
    ScopedEnv path("PATH", dir.file("bin").string() + ":/usr/bin:/bin");
    ProcessId id;
    Status s = NativeProcesses().Start(dir.logical() + "run.bat \"a&del x\"", id);
    EXPECT_EQ(s.code, kBadFileName);
    EXPECT_NE(s.description.find("a&del x"), std::string::npos);
    EXPECT_EQ(id.value, 0);
    EXPECT_FALSE(dir.exists("wine-record"));
}

TEST(Process, MissingWineIsReportedClearly) {
    TempDir dir;
    dir.write("gpl.exe", "MZ");
    ScopedEnv path("PATH", dir.file("empty").string());
    ProcessId id;
    Status s = NativeProcesses().Start(dir.logical() + "gpl.exe", id);
    EXPECT_FALSE(s.ok());
    // What is missing and which Debian packages bring it; the simulator is a 32-bit program.
    EXPECT_NE(s.description.find("needs wine, which is not installed"), std::string::npos);
    EXPECT_NE(s.description.find("\"wine32\""), std::string::npos);
    EXPECT_EQ(NativeProcesses().CheckStartable(dir.logical() + "gpl.exe").description, s.description);
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

}  // namespace
