// The loader's main routine against an in-memory platform: which programs start where, what
// becomes of ZAM.int, and that the front end always comes back unless the command ends the session.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "FakeLoaderPlatform.h"
#include "zam/loader/Loader.h"

namespace zam::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

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

}  // namespace
}  // namespace zam::test
