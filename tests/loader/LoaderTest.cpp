// The loader's main routine against an in-memory platform: which programs start where, what
// becomes of ZAM.int, and that the front end always comes back unless the command ends the session.
// At the end the same routine over the real platform.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <vector>

#include "FakeLoaderPlatform.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "zam/loader/CommandLineRules.h"
#include "zam/loader/Loader.h"
#include "zam/loader/NativeLoaderPlatform.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"
#include "zam/platform/Text.h"

namespace zam::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using namespace loader;

constexpr const char* kGpl = "C:\\Sierra\\GPL\\GPL.EXE ";
constexpr const char* kFrontEnd = "start C:\\ZAM\\ZAMDeck.Exe";

class LoaderTest : public ::testing::Test {
protected:
    int RunLoader() { return loader::Loader(fake).Run(); }

    // The simulator's run command unless a test writes another.
    FakeLoaderPlatform fake{"Run", kGpl};
};

TEST_F(LoaderTest, RunStartsTheSimulatorInItsFolderWaitsAndWritesTheElapsedTime) {
    fake.runSeconds = 125;

    EXPECT_EQ(RunLoader(), 0);

    EXPECT_THAT(fake.log, ElementsAre("cd C:\\ZAM\\", "cd C:\\Sierra\\GPL",
                                      "start C:\\Sierra\\GPL\\GPL.EXE ", "wait 100", "cd C:\\ZAM\\",
                                      "write C:\\ZAM\\ZAM.int", "cd C:\\ZAM\\", kFrontEnd));
    EXPECT_EQ(fake.CommandFileBytes(), "00:02:05\r\n");
    // A run of more than a day keeps counting hours.
    FakeLoaderPlatform longRun("Run", kGpl);
    longRun.runSeconds = 27 * 3600 + 3 * 60 + 9;
    loader::Loader(longRun).Run();
    EXPECT_EQ(longRun.CommandFileBytes(), "27:03:09\r\n");
}

TEST_F(LoaderTest, ProgramThatCannotBeWaitedForOrHasNoIdGivesZeroTimeAndTheFrontEndBack) {
    fake.runSeconds = 500;
    fake.waitFails = true;

    RunLoader();

    EXPECT_EQ(fake.CommandFileBytes(), "00:00:00\r\n");
    EXPECT_EQ(fake.log.back(), kFrontEnd);

    // A start without a process id is not waited for.
    FakeLoaderPlatform noId("Run", kGpl);
    noId.processIdZero = true;
    loader::Loader(noId).Run();
    EXPECT_THAT(noId.log, ::testing::Not(::testing::Contains(HasSubstr("wait"))));
    EXPECT_EQ(noId.CommandFileBytes(), "00:00:00\r\n");
}

// Runs the loader over a ZAM.int of `bytes` (none at all when empty) and expects the front end
// straight back, ZAM.int as it was and nothing asked of the system.
void ExpectOnlyTheFrontEndBack(const std::string& bytes) {
    FakeLoaderPlatform fake;
    if (!bytes.empty()) fake.files[fake.CommandFilePath()] = bytes;

    EXPECT_EQ(loader::Loader(fake).Run(), 0);

    EXPECT_EQ(fake.CommandFileBytes(), bytes);
    EXPECT_THAT(fake.log, ElementsAre("cd C:\\ZAM\\", "cd C:\\ZAM\\", kFrontEnd));
    EXPECT_THAT(fake.messages, IsEmpty());
    EXPECT_THAT(fake.powerActions, IsEmpty());
}

// A ZAM.int of binary garbage, short or large, with or without line ends and 00 bytes: the loader
// starts nothing but the front end, changes nothing and asks nothing of the system.
std::string Garbage(std::mt19937& random, std::size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    // Line ends now and then, so the parser sees many lines too.
    for (std::size_t i = 7; i < bytes.size(); i += 61) bytes[i] = (i % 2) ? '\n' : '\r';
    return bytes;
}

// Every case in which the front end must come straight back and ZAM.int must stay as it was, and
// random garbage after them.
TEST(LoaderLeavesCommandFile, AndRestartsTheFrontEndOnlyAlsoOverBinaryGarbage) {
    const std::pair<const char*, std::string> cases[] = {
        {"MissingFile", ""},
        {"LowerCaseRun", "run\r\nC:\\Sierra\\GPL\\GPL.EXE \r\n"},
        {"UnknownWord", "Launch\r\nC:\\Sierra\\GPL\\GPL.EXE \r\n"},
        {"WordWithTrailingBlank", "Run \r\nC:\\GPL\\GPL.EXE\r\n"},
        {"MissingSecondLine", "Run\r\n"},
        {"OnlyAWordWithoutLineEnd", "Run"},
        {"EmptyRunCommandLine", "Run\r\n\r\n"},
        {"BlankRunCommandLine", "Run\r\n   \r\n"},
        {"EmptyExitCommandLine", "Exit\r\n\r\n"},
        {"ElapsedTimeLeftOver", "00:02:05\r\n"},
        {"Garbage", std::string("\x01\xff\0\x80zz", 6)},
        // A command word must stand alone on its line: bytes glued to it make it no command,
        // and never a shut-down.
        {"ShutdownWithGarbage", std::string("Shutdown\0\xff\r\nX\r\n", 14)},
        {"RestartWithGarbage", std::string("Restart\0\xff\r\nX\r\n", 13)},
        {"ExitWithGarbage", std::string("Exit\0\xff\r\nX\r\n", 10)},
        {"RunWithGarbage", std::string("Run\0\xff\r\nX\r\n", 9)}};
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        ExpectOnlyTheFrontEndBack(bytes);
    }
    std::mt19937 random(8);
    for (std::size_t size : {1u, 2u, 5u, 64u, 500u, 4096u, 1u << 20}) {
        for (int round = 0; round < 20; ++round) {
            SCOPED_TRACE(std::to_string(size) + " bytes, round " + std::to_string(round));
            ExpectOnlyTheFrontEndBack(Garbage(random, size));
            if (::testing::Test::HasFailure()) return;
        }
    }
}

TEST_F(LoaderTest, ProgramThatCannotBeStartedIsToldToTheFrontEndAndAddsNoTimeAndAThrownFailure) {
    fake.SetCommand("Run", "C:\\Gone\\GPL.EXE ");
    fake.unstartable.insert("C:\\Gone\\GPL.EXE ");

    EXPECT_EQ(RunLoader(), 0);

    EXPECT_THAT(fake.log, ElementsAre("cd C:\\ZAM\\", "cd C:\\Gone", "start C:\\Gone\\GPL.EXE ",
                                      "cd C:\\ZAM\\", "write failure C:\\ZAM\\ZAM.int",
                                      "cd C:\\ZAM\\", kFrontEnd));
    std::optional<platform::RunFailure> failure = fake.Failure();
    ASSERT_TRUE(failure.has_value()) << fake.CommandFileBytes();
    EXPECT_EQ(failure->word, "Run");
    EXPECT_EQ(failure->commandLine, "C:\\Gone\\GPL.EXE ");
    EXPECT_EQ(failure->folder, "C:\\Gone");
    EXPECT_EQ(failure->reason, "File not found");
    EXPECT_FALSE(platform::ParseElapsedRecord(fake.CommandFileBytes()).has_value());
    EXPECT_THAT(fake.messages, IsEmpty());

    // A failure thrown while running still brings the front end back.
    FakeLoaderPlatform throwing("Run", kGpl);
    throwing.throwingStarts.insert(kGpl);
    EXPECT_EQ(loader::Loader(throwing).Run(), 0);
    EXPECT_EQ(throwing.log.back(), kFrontEnd);
}

// A quick end with a non-zero status is a start that failed (wine unable to load the program, a
// missing DLL); a long run that ends so is a race, whatever the program returned.
TEST_F(LoaderTest, QuickFailingEndIsToldAndALongRunCountsWhateverItsStatus) {
    struct Case {
        std::int64_t seconds;
        std::uint32_t code;
        bool told;
    };
    for (const Case& c : {Case{2, 1, true}, Case{loader::kQuickFailureSeconds, 0xC0000135u, true},
                          Case{loader::kQuickFailureSeconds + 1, 1, false}, Case{2, 0, false}}) {
        FakeLoaderPlatform run("Run", kGpl);
        run.runSeconds = c.seconds;
        run.programExit.code = c.code;

        EXPECT_EQ(loader::Loader(run).Run(), 0);

        EXPECT_EQ(run.Failure().has_value(), c.told) << c.seconds << " " << c.code;
        EXPECT_EQ(platform::ParseElapsedRecord(run.CommandFileBytes()).has_value(), !c.told);
        EXPECT_EQ(run.log.back(), kFrontEnd);
        if (c.seconds == 2 && c.told) {
            EXPECT_EQ(run.Failure()->reason, "It ended after 2 seconds with exit status 1.");
            EXPECT_EQ(run.Failure()->folder, "C:\\Sierra\\GPL");
        }
    }
}

// What the loader cannot leave in ZAM.int (a full disk, a locked file) it says itself before the
// front end comes back, so that nothing ends in silence.
TEST_F(LoaderTest, WhatCannotBeWrittenToTheCommandFileIsShownByTheLoader) {
    fake.runSeconds = 125;
    fake.writeFails = true;
    std::string before = fake.CommandFileBytes();

    RunLoader();

    EXPECT_EQ(fake.CommandFileBytes(), before);
    EXPECT_EQ(fake.log.back(), kFrontEnd);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_THAT(fake.messages[0], HasSubstr("00:02:05"));
    EXPECT_THAT(fake.messages[0], HasSubstr("C:\\ZAM\\ZAM.int"));
    EXPECT_THAT(fake.messages[0], HasSubstr("Permission denied"));

    FakeLoaderPlatform failing("Run", kGpl);
    failing.unstartable.insert(kGpl);
    failing.writeFails = true;
    loader::Loader(failing).Run();
    ASSERT_EQ(failing.messages.size(), 1u);
    EXPECT_EQ(failing.messages[0],
              platform::DescribeRunFailure({"Run", kGpl, "C:\\Sierra\\GPL", "File not found"}));
    EXPECT_EQ(failing.log.back(), kFrontEnd);
}

TEST_F(LoaderTest, ExitStartsItsProgramInItsFolderAndEndsOrBringsTheFrontEndBackToSayWhy) {
    fake.SetCommand("Exit", "D:\\Tools\\Replay.exe -last");

    EXPECT_EQ(RunLoader(), 0);

    EXPECT_THAT(fake.log,
                ElementsAre("cd C:\\ZAM\\", "cd D:\\Tools", "start D:\\Tools\\Replay.exe -last"));
    EXPECT_EQ(fake.CommandFileBytes(), "Exit\r\nD:\\Tools\\Replay.exe -last\r\n");

    FakeLoaderPlatform failing("Exit", "D:\\Tools\\Replay.exe");
    failing.unstartable.insert("D:\\Tools\\Replay.exe");
    loader::Loader(failing).Run();
    EXPECT_EQ(failing.log.back(), kFrontEnd);
    ASSERT_TRUE(failing.Failure().has_value());
    EXPECT_EQ(failing.Failure()->word, "Exit");
    EXPECT_EQ(failing.Failure()->commandLine, "D:\\Tools\\Replay.exe");
    EXPECT_EQ(failing.Failure()->folder, "D:\\Tools");
}

TEST_F(LoaderTest, ShutdownAndRestartReachOnlyThePowerActionAndARefusalBringsTheFrontEndBack) {
    struct Case {
        const char* word;
        platform::PowerAction action;
        const char* logged;
    };
    for (const Case& c : {Case{"Shutdown", platform::PowerAction::kShutdown, "power off"},
                          Case{"Restart", platform::PowerAction::kRestart, "power cycle"}}) {
        FakeLoaderPlatform power(c.word, "C:\\Sierra\\GPL\\GPL.EXE ");
        std::string before = power.CommandFileBytes();

        EXPECT_EQ(loader::Loader(power).Run(), 0) << c.word;

        EXPECT_THAT(power.powerActions, ElementsAre(c.action)) << c.word;
        EXPECT_THAT(power.log, ElementsAre("cd C:\\ZAM\\", c.logged)) << c.word;
        EXPECT_EQ(power.CommandFileBytes(), before) << c.word;
    }

    // A refused power action brings the front end back to say why.
    fake.SetCommand("Restart", "");
    fake.powerFails = true;
    EXPECT_EQ(RunLoader(), 0);

    EXPECT_THAT(fake.log, ElementsAre("cd C:\\ZAM\\", "power cycle",
                                      "write failure C:\\ZAM\\ZAM.int", "cd C:\\ZAM\\", kFrontEnd));
    std::optional<platform::RunFailure> failure = fake.Failure();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->word, "Restart");
    EXPECT_EQ(failure->reason, "Permission denied");
    EXPECT_THAT(fake.messages, IsEmpty());
}

// Reading the program's folder out of a command line, and the command-interpreter rule: which
// programs run under it and how a line is handed to it so that nothing in the arguments runs.
TEST(FolderOfCommandLine, IsTheFolderBeforeTheFirstExeAndNothingWithoutExeOrSeparator) {
    struct Case {
        const char* line;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\Sierra\\GPL\\GPL.EXE ", "C:\\Sierra\\GPL"},
        {"C:\\Sierra\\GPL\\gpl.exe -ko\"0:SERVER:launch:1\"", "C:\\Sierra\\GPL"},
        {"/home/racer/.wine/drive_c/GPL/GPL.EXE ", "/home/racer/.wine/drive_c/GPL"},
        {"C:\\GPL\\Tools/mixed.Exe", "C:\\GPL\\Tools"},
        {"\"C:\\Program Files\\GPL\\GPL.EXE\" -x", "C:\\Program Files\\GPL"},
        {"C:\\GPL.EXE", "C:\\"},
        {"/GPL.EXE", "/"},
        {"\\GPL.EXE", "\\"},
        // The first ".EXE" decides, even inside a folder name.
        {"C:\\old.exe.d\\GPL.EXE", "C:\\"},
        {"D:\\a b\\Tool.exe C:\\GPL\\GPL.EXE", "D:\\a b"},
    };
    for (const Case& c : cases) {
        auto folder = FolderOfCommandLine(c.line);
        ASSERT_TRUE(folder.has_value()) << c.line;
        EXPECT_EQ(*folder, c.folder) << c.line;
    }
    // Without ".EXE", or without a separator before it, there is none.
    for (const char* line : {"C:\\GPL\\race.bat", "C:\\GPL\\tool.com /x", "", ".EXE",
                             ".exe C:\\GPL\\x", "GPL.EXE", "C:GPL.EXE", "C:\\GPL\\ -x GPL.EX"})
        EXPECT_FALSE(FolderOfCommandLine(line).has_value()) << line;
}

TEST(CommandInterpreterRule, IsDecidedByTheProgramWhichIsQuotedWithWhatCmdReadsEscapedOrRefused) {
    EXPECT_TRUE(NeedsCommandInterpreter("C:\\GPL\\aitw\\go.exe"));
    EXPECT_TRUE(NeedsCommandInterpreter("C:\\GPL\\AiTw.bat"));
    EXPECT_TRUE(NeedsCommandInterpreter("\"C:\\My AITW\\go.exe\" -x"));
    EXPECT_TRUE(NeedsCommandInterpreter("C:\\Program Files\\aitw\\run.com x"));
    EXPECT_FALSE(NeedsCommandInterpreter("C:\\GPL\\AIT W.bat"));
    EXPECT_FALSE(NeedsCommandInterpreter("C:\\Sierra\\GPL\\GPL.EXE "));
    // Arguments are typed text (an address, a password) and decide nothing.
    EXPECT_FALSE(NeedsCommandInterpreter("C:\\GPL\\GPL.EXE -trainAITW"));
    EXPECT_FALSE(NeedsCommandInterpreter(
        "C:\\GPL\\GPL.EXE -ko\"0:SERVER:password:x\\\"&echo pwned>pwned.txt&\\\"aitw\""));
    EXPECT_FALSE(NeedsCommandInterpreter("\"C:\\GPL\\GPL.EXE\" aitw"));
    EXPECT_FALSE(NeedsCommandInterpreter("C:\\old.exe.d\\GPL.EXE x.com aitw"));

    EXPECT_EQ(ProgramPartLength("C:\\Program Files\\GPL\\GPL.EXE -x"), 28u);
    EXPECT_EQ(ProgramPartLength("  \"C:\\a b\\t.exe\"x"), 16u);
    EXPECT_EQ(ProgramPartLength("C:\\tools.com\\aitw.bat x"), 21u);
    EXPECT_EQ(ProgramPartLength("setup -x"), 5u);
    EXPECT_EQ(ProgramPartLength("\"C:\\unclosed -x"), 15u);
    // The program is quoted and what cmd reads is escaped.
    EXPECT_EQ(WithCommandInterpreter("C:\\GPL\\aitw.bat x", "C:\\WINDOWS\\system32\\cmd.exe"),
              "C:\\WINDOWS\\system32\\cmd.exe /s /v:off /c \"\"C:\\GPL\\aitw.bat\" x\"");
    EXPECT_EQ(WithCommandInterpreter("\"C:\\A&B\\aitw.exe\"", "C:\\Program Files\\Shell\\cmd.exe"),
              "\"C:\\Program Files\\Shell\\cmd.exe\" /s /v:off /c \"\"C:\\A&B\\aitw.exe\"\"");
    EXPECT_EQ(WithCommandInterpreter("aitw.exe -ko\"a\\\"&b|c<d>e^f(g)!i!\"", "cmd"),
              "cmd /s /v:off /c \"\"aitw.exe\" -ko^\"a\\^\"^&b^|c^<d^>e^^f^(g^)^!i^!^\"\"");
    // What no escaping carries through cmd is refused.
    for (std::string_view line :
         {std::string_view("C:\\aitw.exe -x\r\ncalc"), std::string_view("C:\\aitw.exe a\nb"),
          std::string_view("C:\\aitw.exe a\0b", 15), std::string_view("C:\\%PATH%\\aitw.exe"),
          std::string_view("C:\\!x!\\aitw.exe"), std::string_view("C:\\a\"b\\aitw.exe"),
          std::string_view("\"C:\\aitw.exe -x"), std::string_view("\"\" aitw"),
          std::string_view("C:\\aitw.exe -ko\"0:SERVER:password:%COMSPEC%\"")})
        EXPECT_FALSE(WithCommandInterpreter(line, "cmd").has_value()) << line;
}

// A program in a folder named AITW (in any case) runs under the system's command interpreter. Only
// the program decides: "aitw" in a typed password sends nothing through the interpreter. A line the
// interpreter cannot be given safely is not run; the front end comes back and tells why. Where the
// system has no interpreter (Linux) an AITW program starts directly.
TEST_F(LoaderTest, AitwProgramsAloneRunUnderTheInterpreterWhichIsNeverGivenALineItWouldSplit) {
    fake.SetCommand("Run", "C:\\Sierra\\GPL\\aitw\\aitwcfg.exe -go");
    fake.runSeconds = 60;

    RunLoader();

    EXPECT_THAT(fake.log, ElementsAre("cd C:\\ZAM\\", "cd C:\\Sierra\\GPL\\aitw",
                                      "start C:\\WINDOWS\\system32\\cmd.exe /s /v:off /c "
                                      "\"\"C:\\Sierra\\GPL\\aitw\\aitwcfg.exe\" -go\"",
                                      "wait 100", "cd C:\\ZAM\\", "write C:\\ZAM\\ZAM.int",
                                      "cd C:\\ZAM\\", kFrontEnd));
    EXPECT_EQ(fake.CommandFileBytes(), "00:01:00\r\n");

    const std::string joined =
        "C:\\GPL\\GPL.EXE -ko\"0:SERVER:password:x\\\"&echo pwned&\\\"aitw\"";
    FakeLoaderPlatform typed("Run", joined);
    loader::Loader(typed).Run();
    EXPECT_EQ(typed.log[2], "start " + joined);

    for (const char* refused :
         {"C:\\%TEMP%\\aitw.exe", "C:\\aitw!x!\\tool.exe -y", "C:\\aitw\"&x\".exe"}) {
        FakeLoaderPlatform refusing("Run", refused);
        EXPECT_EQ(loader::Loader(refusing).Run(), 0);
        // Nothing starts but the front end, which comes back to tell why.
        EXPECT_THAT(refusing.log, ::testing::Contains(HasSubstr("start ")).Times(1));
        EXPECT_EQ(refusing.log.back(), kFrontEnd) << refused;
        const std::optional<platform::RunFailure> failure = refusing.Failure();
        ASSERT_TRUE(failure.has_value()) << refused;
        EXPECT_EQ(failure->commandLine, refused);
        EXPECT_THAT(failure->reason, HasSubstr("command interpreter"));
    }

    FakeLoaderPlatform withoutInterpreter("Run", "/home/racer/gpl/AITW.bat");
    withoutInterpreter.comspec.clear();
    loader::Loader(withoutInterpreter).Run();
    EXPECT_EQ(withoutInterpreter.log[1], "start /home/racer/gpl/AITW.bat");
}

// A Linux path changes to its folder; Linux executables have no extension; a front end in a
// folder with blanks is quoted.
TEST_F(LoaderTest, LinuxPathsChangeToTheirFolderAndTheFrontEndIsFoundWithoutExtensionOrQuoted) {
    fake.programFolder = "/opt/zam/";
    fake.files = {{"/opt/zam/Rollout", ""}, {"/opt/zam/ZAMDeck", ""}};
    fake.SetCommand("Run", "/home/racer/gpl/gpl.exe ");
    EXPECT_EQ(RunLoader(), 0);
    EXPECT_THAT(fake.messages, IsEmpty());
    EXPECT_EQ(fake.log[1], "cd /home/racer/gpl");
    EXPECT_EQ(fake.log[2], "start /home/racer/gpl/gpl.exe ");
    EXPECT_EQ(fake.log.back(), "start /opt/zam/ZAMDeck");

    FakeLoaderPlatform blanks;
    blanks.programFolder = "C:\\Program Files\\ZAM\\";
    blanks.files = {{"C:\\Program Files\\ZAM\\Rollout.exe", ""},
                    {"C:\\Program Files\\ZAM\\ZAMDeck.Exe", ""}};
    loader::Loader(blanks).Run();
    EXPECT_EQ(blanks.log.back(), "start \"C:\\Program Files\\ZAM\\ZAMDeck.Exe\"");
}

TEST_F(LoaderTest, AMissingOrUnstartableFrontEndOrOwnExecutableIsReported) {
    fake.files.erase("C:\\ZAM\\ZAMDeck.Exe");

    EXPECT_EQ(RunLoader(), 1);

    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_THAT(fake.messages[0], HasSubstr("\"C:\\ZAM\\ZAMDeck.Exe\""));
    EXPECT_THAT(fake.messages[0], HasSubstr("\"C:\\ZAM\\ZAMDeck\""));
    EXPECT_EQ(fake.CommandFileBytes(), "00:00:00\r\n");

    FakeLoaderPlatform unstartable;
    unstartable.unstartable.insert("C:\\ZAM\\ZAMDeck.Exe");
    EXPECT_EQ(loader::Loader(unstartable).Run(), 1);
    ASSERT_EQ(unstartable.messages.size(), 1u);
    EXPECT_THAT(unstartable.messages[0], HasSubstr("C:\\ZAM\\ZAMDeck.Exe"));
    EXPECT_THAT(unstartable.messages[0], HasSubstr("File not found"));

    // Without its own executable the loader shows the message and does nothing else.
    FakeLoaderPlatform lost("Run", kGpl);
    lost.files.erase("C:\\ZAM\\Rollout.exe");
    EXPECT_EQ(loader::Loader(lost).Run(), 1);
    EXPECT_THAT(lost.messages, ElementsAre("Can't Find ZAM+ Directory"));
    EXPECT_THAT(lost.log, ElementsAre("cd C:\\ZAM\\", "message"));
}

// The loader over the real platform, with small programs made in a temporary folder standing in
// for the simulator and the front end: shell scripts executed directly on Linux, the recording
// test program on Windows, where a command line may pass through the real command interpreter.

// The native platform with its messages and starts recorded instead of only shown.
class RecordingPlatform : public loader::NativeLoaderPlatform {
public:
    using NativeLoaderPlatform::NativeLoaderPlatform;

    platform::Status Start(std::string_view commandLine, platform::ProcessId& id) override {
        started.emplace_back(commandLine);
        return NativeLoaderPlatform::Start(commandLine, id);
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    std::vector<std::string> started;
    std::vector<std::string> messages;
};

#ifdef _WIN32
// A join password holding everything cmd reads as its own syntax, as the front end puts it on the
// simulator's command line, through the whole run path of the loader: started directly, and
// through the real command interpreter when the simulator's own folder is named AITW. Only the
// stand-in runs (it records its arguments), and it receives the password whole; a "%", which no
// caret keeps from every cmd, is refused where the interpreter would see it, and the front end
// is left the reason to tell.
TEST(NativeLoader, ATypedPasswordReachesTheSimulatorWholeAndNothingElseRuns) {
    const std::vector<std::string> passwords = {
        "x\"&echo pwned>pwned1.txt&\"aitw",
        "a&echo pwned>pwned2.txt",
        "|echo pwned>pwned3.txt",
        "(echo pwned>pwned4.txt)",
        "x\\\"&echo pwned>pwned5.txt&\\\"",
        "<pwned6.txt",
        "x\" ^\"&echo pwned>pwned7.txt",
        "!PATH! ^& (x) ^",
        "\"a b\" c ends\\",
        "%COMSPEC% 100%",
    };
    for (const char* folder : {"Sierra\\", "Sierra\\aitw\\", "Sierra GPL\\AITW Tools\\"}) {
        for (const std::string& password : passwords) {
            SCOPED_TRACE(std::string(folder) + " " + password);
            TempDir dir;
            dir.write("Rollout.exe", "");
            fs::create_directories(dir.file(folder));
            fs::copy_file(platform::NativePath(platform::ProgramFolder() + "zam_test_child.exe"),
                          dir.file(std::string(folder) + "GPL.EXE"));
            ScopedEnv record("ZAM_TEST_RECORD", dir.file("record").string());
            const std::string commandLine =
                dir.logical() + folder +
                "GPL.EXE -ko\"0:SERVER:password:" + platform::EscapeInsideQuotes(password) + "\"";
            dir.write("ZAM.int", "Run\r\n" + commandLine + "\r\n");
            RecordingPlatform native(dir.logical(), "Rollout");

            loader::Loader(native).Run();

            const bool viaInterpreter =
                platform::FindNoCase(folder, "AITW") != std::string_view::npos;
            const bool refused = viaInterpreter && password.find('%') != std::string::npos;
            for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
                EXPECT_EQ(entry.path().filename().string().rfind("pwned", 0), std::string::npos)
                    << entry.path().string() << " was written by a command in the password";
            if (refused) {
                EXPECT_FALSE(dir.exists("record"));
                const auto failure = platform::ParseRunFailure(dir.read("ZAM.int"));
                ASSERT_TRUE(failure.has_value()) << dir.read("ZAM.int");
                EXPECT_THAT(failure->reason, ::testing::HasSubstr("command interpreter"));
                continue;
            }
            if (!dir.exists("record")) {
                ADD_FAILURE() << "the simulator did not run";
                continue;
            }
            EXPECT_EQ(dir.read("record"), std::string("-ko0:SERVER:password:") + password + '\0');
            EXPECT_TRUE(platform::ParseElapsedRecord(dir.read("ZAM.int")).has_value());
            ASSERT_FALSE(native.started.empty());
            EXPECT_EQ(native.started[0].find("cmd") != std::string::npos, viaInterpreter)
                << native.started[0];
        }
    }
}
#endif

#ifndef _WIN32
fs::path WriteScript(const TempDir& dir, std::string_view name, std::string_view body) {
    fs::path p = dir.write(name, "#!/bin/sh\n" + std::string(body));
    fs::permissions(p, fs::perms::owner_all, fs::perm_options::add);
    return p;
}

TEST(NativeLoader, WaitsInTheProgramsFolderWritesTheTimeAndRecordsAQuickFailure) {
    TempDir dir;
    ScopedCurrentDir restore(dir.path());
    dir.write("Rollout", "");
    WriteScript(dir, "ZAMDeck", "exit 0\n");
    // It writes its marker only after a second, so a loader that did not wait finds none.
    fs::path program = WriteScript(dir, "sim/gpl.exe.sh", "sleep 1\npwd > ran.txt\n");
    dir.write("ZAM.int", "Run\r\n" + program.string() + "\r\n");
    RecordingPlatform platform(dir.logical(), "Rollout");

    EXPECT_EQ(loader::Loader(platform).Run(), 0);

    ASSERT_TRUE(dir.exists("sim/ran.txt")) << "the loader did not wait for the program";
    std::string ranIn = dir.read("sim/ran.txt");
    EXPECT_TRUE(fs::equivalent(ranIn.substr(0, ranIn.find('\n')), dir.file("sim")));
    auto seconds = platform::ParseElapsedRecord(dir.read("ZAM.int"));
    ASSERT_TRUE(seconds.has_value()) << dir.read("ZAM.int");
    EXPECT_GE(*seconds, 1);
    EXPECT_FALSE(dir.exists("ZAM.int.new"));
    EXPECT_THAT(platform.started, ElementsAre(program.string(), dir.logical() + "ZAMDeck"));
    EXPECT_THAT(platform.messages, IsEmpty());

    // The exit status comes from the real wait: a program that fails at once is recorded as a
    // failure, whether or not a front end is there to tell it.
    fs::remove(dir.file("ZAMDeck"));
    fs::path quick = WriteScript(dir, "quick.sh", "exit 3\n");
    dir.write("ZAM.int", "Run\r\n" + quick.string() + "\r\n");
    RecordingPlatform alone(dir.logical(), "Rollout");

    EXPECT_EQ(loader::Loader(alone).Run(), 1);

    std::optional<platform::RunFailure> failure = platform::ParseRunFailure(dir.read("ZAM.int"));
    ASSERT_TRUE(failure.has_value()) << dir.read("ZAM.int");
    EXPECT_THAT(failure->reason, ::testing::EndsWith("with exit status 3."));
    EXPECT_EQ(failure->commandLine, quick.string());
    ASSERT_EQ(alone.messages.size(), 1u);
    EXPECT_THAT(alone.messages[0], ::testing::HasSubstr(dir.logical() + "ZAMDeck"));
}

#endif  // _WIN32

}  // namespace
}  // namespace zam::test
