// zamini's INI, restore and engine commands, run in-process as the dispatcher runs them, and the
// built binary once.
#include <gmock/gmock.h>

#include <cstdlib>
#include <filesystem>

#include "CommandRun.h"
#include "FailingFileSystem.h"
#include "TempDir.h"
#include "zam/platform/Paths.h"
#include "zam/tools/DemoInstallation.h"

namespace zam::test {
namespace {

using ::testing::HasSubstr;
using tools::kExitFailure;
using tools::kExitOk;
using tools::kExitUsage;

CommandRun Zamini(const std::string& name, const std::vector<std::string>& args) {
    std::vector<tools::Command> commands = tools::IniCommands();
    for (auto& c : tools::RestoreCommands()) commands.push_back(std::move(c));
    for (auto& c : tools::EngineCommands()) commands.push_back(std::move(c));
    return RunCommand(commands, name, args);
}

class IniCommandsTest : public ::testing::Test {
protected:
    IniCommandsTest() { core = dir.logical() + "Core.ini"; dir.write("Core.ini", kCore); }
    static constexpr const char* kCore = "; sound\r\n[Sound]\r\nvolume=5 ;loud\r\nmute=0\r\n";
    TempDir dir;
    std::string core;
};

TEST_F(IniCommandsTest, GetPrintsTheValueOrAnEmptyLineAndFailsNamingAMissingFile) {
    EXPECT_EQ(Zamini("get", {core, "sound", "VOLUME"}).out, "5\n");
    CommandRun missing = Zamini("get", {core, "Sound", "absent"});
    EXPECT_EQ(missing.code, kExitOk);
    EXPECT_EQ(missing.out, "\n");
    CommandRun r = Zamini("get", {dir.logical() + "none.ini", "a", "b"});
    EXPECT_EQ(r.code, kExitFailure);
    EXPECT_THAT(r.err, HasSubstr("none.ini"));
    EXPECT_EQ(r.out, "");
}

// A set writes back with backups. Two sets leave ".bak" and ".prv"; restore lists them (here and
// in a player's folder, not in a folder the program never writes), shows what it would change,
// puts either back and undoes.
TEST_F(IniCommandsTest, SetWritesBackWithBackupsThatRestoreListsPreviewsAndPutsBack) {
    CommandRun r = Zamini("set", {core, "Sound", "mute", "1"});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(dir.read("Core.ini"),
              "; sound\r\n\r\n[ Sound ]\r\nvolume = 5" + std::string(3, ' ') + "\t;loud\r\nmute = 1\r\n");
    EXPECT_EQ(dir.read("Core.ini.bak"), kCore);
    EXPECT_EQ(dir.read("Core.ini.prv"), kCore);
    EXPECT_EQ(Zamini("get", {core, "Sound", "mute"}).out, "1\n");
    ASSERT_EQ(Zamini("set", {core, "Sound", "volume", "9"}).code, kExitOk);
    const std::string prv = dir.read("Core.ini.prv"), last = dir.read("Core.ini");
    dir.write("Players/Bob/Player.INI.PRV", "x");
    dir.write("Cars/brm/Car.ini.prv", "x");
    dir.write("GPL.EXE.bak", "the user's own copy");
    dir.write("Tracks/monza/Track.ini.rst", "x");  // nothing beside it to restore

    const CommandRun list = Zamini("restore", {"--list", dir.logical()});
    EXPECT_EQ(list.code, kExitOk) << list.err;
    // Each backup with the local time it was made.
    std::string shape = list.out;
    std::replace_if(shape.begin(), shape.end(), [](char c) { return c >= '0' && c <= '9'; }, '9');
    EXPECT_EQ(shape, "Core.ini\t.prv 9999-99-99 99:99\t.bak 9999-99-99 99:99\n"
                     "Players\\Bob\\Player.INI\t.prv 9999-99-99 99:99\n");

    EXPECT_EQ(Zamini("restore", {core, "--original", "--preview"}).out,
              "Sound\tvolume\t9\t5\nSound\tmute\t1\t0\n");
    EXPECT_EQ(Zamini("restore", {core}).code, kExitOk);
    EXPECT_EQ(dir.read("Core.ini"), prv);
    EXPECT_EQ(Zamini("restore", {core, "--undo"}).code, kExitOk);
    EXPECT_EQ(dir.read("Core.ini"), last);
    const CommandRun original = Zamini("restore", {"--original", core});
    EXPECT_EQ(original.code, kExitOk);
    EXPECT_THAT(original.out, HasSubstr("Core.ini.rst"));
    EXPECT_EQ(dir.read("Core.ini"), kCore);

    const CommandRun none = Zamini("restore", {dir.logical() + "none.ini"});
    EXPECT_EQ(none.code, kExitFailure);
    EXPECT_THAT(none.err, HasSubstr("none.ini.prv"));
    EXPECT_EQ(Zamini("restore", {"--list", dir.logical() + "none"}).code, kExitFailure);
}

TEST_F(IniCommandsTest, SetsAndDeletesWriteOnlyRealChangesANewFileOrTheLineRemoved) {
    ASSERT_EQ(Zamini("set", {core, "Sound", "mute", "0"}).code, kExitOk);
    EXPECT_EQ(dir.read("Core.ini"), kCore);
    EXPECT_FALSE(dir.exists("Core.ini.bak"));
    CommandRun r = Zamini("set", {dir.logical() + "New.ini", "A", "b", "c d"});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(dir.read("New.ini"), "[ A ]\r\nb = c d\r\n");
    ASSERT_EQ(Zamini("delete", {core, "Sound", "absent"}).code, kExitOk);
    EXPECT_EQ(dir.read("Core.ini"), kCore);
    ASSERT_EQ(Zamini("delete", {core, "SOUND", "mute"}).code, kExitOk);
    EXPECT_EQ(Zamini("get", {core, "Sound", "mute"}).out, "\n");
    EXPECT_THAT(dir.read("Core.ini"), ::testing::Not(HasSubstr("mute")));
    EXPECT_EQ(dir.read("Core.ini.bak"), kCore);
}

// Text one INI line cannot hold would change the file's lines and sections, or be read back as
// something else: it is refused, naming the part, and nothing is written.
TEST_F(IniCommandsTest, SetRefusesTextAnIniLineCannotHoldAndWritesNothing) {
    struct Case {
        std::vector<std::string> args;
        const char* told;
    };
    const Case cases[] = {
        {{core, "Sound", "mute", "a\r\n[T]\r\nq=evil"}, "VALUE holds a line break"},
        {{core, "Sound", "mute", "tab\there"}, "VALUE holds a line break"},
        {{core, "Sound", "mute\n[T]", "1"}, "ENTRY holds a line break"},
        {{core, "Sound\r", "mute", "1"}, "SECTION holds a line break"},
        {{core, "Sound", " [T]", "1"}, "ENTRY holds \"=\""},
        {{core, "Sound", "a=b", "1"}, "ENTRY holds \"=\""},
        {{core, "So]und", "mute", "1"}, "SECTION holds \"]\""},
        {{core, "Sound", "mute", "1 ;2"}, "VALUE holds \";\""},
    };
    for (const Case& c : cases) {
        CommandRun r = Zamini("set", c.args);
        EXPECT_EQ(r.code, kExitFailure) << c.told;
        EXPECT_THAT(r.err, HasSubstr(c.told));
        EXPECT_EQ(dir.read("Core.ini"), kCore);
        EXPECT_FALSE(dir.exists("Core.ini.bak"));
    }
}

// A set into a missing folder, of a file it cannot read or with a rename that fails, reports
// and keeps what is there.
TEST_F(IniCommandsTest, SetThatCannotReadOrWriteFailsAndKeepsTheFile) {
    CommandRun missing = Zamini("set", {dir.logical() + "nowhere\\New.ini", "A", "b", "c"});
    EXPECT_EQ(missing.code, kExitFailure);
    EXPECT_THAT(missing.err, HasSubstr("New.ini"));
    EXPECT_FALSE(dir.exists("nowhere"));
    {
        FailingFileSystem unreadable;
        unreadable.Fail(FsOp::kReadAll, 0, platform::kPermissionDenied);
        platform::ScopedFileSystem use(unreadable);
        EXPECT_EQ(Zamini("set", {core, "Sound", "mute", "1"}).code, kExitFailure);
        EXPECT_EQ(dir.read("Core.ini"), kCore);
    }
    FailingFileSystem fs;
    fs.Fail(FsOp::kRename, 0);
    platform::ScopedFileSystem use(fs);
    CommandRun r = Zamini("set", {core, "Sound", "mute", "1"});
    EXPECT_EQ(r.code, kExitFailure);
    EXPECT_THAT(r.err, HasSubstr("File will not be updated"));
    EXPECT_EQ(dir.read("Core.ini"), kCore);
    EXPECT_FALSE(dir.exists("Core.ini.zamtmp"));
}

TEST_F(IniCommandsTest, NormalizeRewritesEachFileAndDumpListsEveryRecordInStoreOrder) {
    dir.write("67Season.ini", "[Event1]\nname = Monza\n\n\n");
    std::string season = dir.logical() + "67Season.ini";
    CommandRun r = Zamini("normalize", {core, season});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(dir.read("67Season.ini"), "[Event1]\r\nname=Monza\r\n\r\n");
    EXPECT_THAT(dir.read("Core.ini"), HasSubstr("[ Sound ]"));
    EXPECT_EQ(Zamini("normalize", {core, dir.logical() + "none.ini"}).code, kExitFailure);
    dir.write("d.ini", "; c\r\nx=1\r\n[S]\r\n\r\ny = a b ;note\r\nwords\r\n");
    CommandRun dump = Zamini("dump", {dir.logical() + "d.ini"});
    ASSERT_EQ(dump.code, kExitOk);
    EXPECT_EQ(dump.out,
              "\t; *** 1 ***\t\t c\n\tx\t1\t\nS\t; *** 2 ***\t\t\nS\ty\ta b\tnote\nS\t\t\t\n");
}

// "A;B;C" sums to 952; -952 as a single is 0xC46E0000, which seeds the generator with 0x6E00C4,
// whose first number is 0x61AC77 / 2^24: slot 2 of 7, slot 3815 of 10000 (worked by hand).
TEST_F(IniCommandsTest, HashGivesTheHomeSlotAndStatsCountEverything) {
    EXPECT_EQ(Zamini("hash", {"A;B;C", "7"}).out, "2\n");
    EXPECT_EQ(Zamini("hash", {"A;B;C"}).out, "3815\n");
    EXPECT_EQ(Zamini("hash", {"a;b;c"}).out, "3815\n");
    // Stats count files, sections, entries and slots.
    dir.write("b.ini", "[X]\r\na=1\r\n[Y]\r\nb=2\r\n");
    CommandRun r = Zamini("stats", {core, dir.logical() + "b.ini"});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    EXPECT_THAT(r.out, HasSubstr("Files: 2\n"));
    EXPECT_THAT(r.out, HasSubstr("Sections: 4\n"));
    EXPECT_THAT(r.out, HasSubstr("Entries: 5\n"));
    EXPECT_THAT(r.out, HasSubstr("Occupied slots: 5\n"));
    EXPECT_THAT(r.out, HasSubstr("Index size: 10000\n"));
}

TEST_F(IniCommandsTest, WrongArgumentsGiveTheUsage) {
    for (const auto& [name, args] : std::vector<std::pair<std::string, std::vector<std::string>>>{
             {"get", {core}}, {"set", {core, "a", "b"}}, {"delete", {core, "a", ""}},
             {"normalize", {}}, {"dump", {core, core}}, {"hash", {}}, {"hash", {"k", "0"}},
             {"hash", {"k", "12x"}}, {"stats", {}}, {"restore", {}},
             {"restore", {core, "--original", "--undo"}}, {"restore", {core, core}},
             {"restore", {"--list"}}, {"restore", {core, "--latest"}}}) {
        CommandRun r = Zamini(name, args);
        EXPECT_EQ(r.code, kExitUsage) << name;
        EXPECT_THAT(r.err, HasSubstr("usage: zamini " + name)) << name;
    }
}

// The built program itself, started through the system's command interpreter the way a user's
// script would (sh here, cmd on Windows, where it is found beside the test program's folder).
TEST_F(IniCommandsTest, BinaryRunsACommand) {
#ifdef _WIN32
    const std::filesystem::path zamini =
        platform::NativePath(platform::ProgramFolder()) / ".." / "tools" / "zamini.exe";
    const auto quote = [](const std::string& text) { return "\"" + text + "\""; };
    const char* nowhere = "NUL";
    const char* lineEnd = "\r\n";  // standard output is a text stream there
    // cmd drops the outermost pair of quotes when the line starts with one.
    const auto run = [](const std::string& command) {
        return std::system(("\"" + command + "\"").c_str());
    };
#else
    const std::filesystem::path zamini = std::string(ZAM_BINARY_DIR) + "/tools/zamini";
    const auto quote = [](const std::string& text) { return "'" + text + "'"; };
    const char* nowhere = "/dev/null";
    const char* lineEnd = "\n";
    const auto run = [](const std::string& command) { return std::system(command.c_str()); };
#endif
    ASSERT_TRUE(std::filesystem::exists(zamini)) << zamini.string() << " was not built";
    const std::string program = quote(zamini.string());
    const std::string out = (dir.path() / "out.txt").string();
    ASSERT_EQ(run(program + " get " + quote(core) + " Sound volume > " + quote(out)), 0);
    EXPECT_EQ(ReadNative(out), std::string("5") + lineEnd);
    EXPECT_NE(run(program + " get 2>" + nowhere), 0);
}

constexpr const char* kNativeTable =
    "0\tBrabham\t0\tRepco V8\n"
    "1\tBRM\t1\tBRM H16\n"
    "2\tCooper\t2\tMaserati V12\n"
    "3\tEagle\t3\tGurney-Weslake V12\n"
    "4\tFerrari\t4\tFerrari V12\n"
    "5\tLotus\t5\tFord DFV V8\n"
    "6\tHonda\t6\tHonda V12\n"
    "7\tUnused\t7\t2.0l Street\n"
    "8\tF3\t8\t2.0l Race\n"
    "9\tF2\t9\t2.5l Race\n";

class EngineCommandsTest : public ::testing::Test {
protected:
    std::string MakeExe(const tools::DemoOptions& options = {}) {
        const std::string name = "demo" + std::to_string(++made) + "/GPL.EXE";
        return temp.write(name, tools::DemoExecutable(options)).string();
    }
    TempDir temp;
    int made = 0;
};

// The generated executables are read by the real engine code: both versions, both heads. An
// inconsistent executable is reported and left alone, a missing one fails.
TEST_F(EngineCommandsTest, ListsTheNativeEnginesOfEveryGeneratedExecutableAndReportsOthers) {
    for (const char* version : {"1.2.1", "1.2.2"}) {
        for (bool script : {false, true}) {
            tools::DemoOptions options;
            options.version = version;
            if (script) options.simSeconds = 5;
            const auto r = Zamini("engines", {MakeExe(options)});
            EXPECT_EQ(r.code, tools::kExitOk) << r.err;
            EXPECT_EQ(r.out, std::string("version\t") + version + "\n" + kNativeTable);
            EXPECT_EQ(r.err, "");
        }
    }
    temp.write("odd/GPL.EXE", std::string(1'500'000, 'x'));
    const auto r = Zamini("engines", {(temp.path() / "odd" / "GPL.EXE").string()});
    EXPECT_EQ(r.code, tools::kExitFailure);
    EXPECT_NE(r.err.find("Can't find Engine Table"), std::string::npos);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(temp.read("odd/GPL.EXE"), std::string(1'500'000, 'x'));
    const auto missing = Zamini("engines", {(temp.path() / "none.exe").string()});
    EXPECT_EQ(missing.code, tools::kExitFailure);
    EXPECT_NE(missing.err.find("not found"), std::string::npos);
}

TEST_F(EngineCommandsTest, BadChoicesGiveTheUsageAndWriteNothingAndChosenEnginesAreReadBack) {
    const std::string exe = MakeExe();
    const std::string before = ReadNative(exe);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {exe, "7=1"}, {exe, "0=10"}, {exe, "10=0"}, {exe, "x"},
          {exe, "0="}, {exe, "=3"}, {exe, "0=4", "1=-1"}}) {
        const auto r = Zamini("engines", args);
        EXPECT_EQ(r.code, tools::kExitUsage) << args.size();
        EXPECT_NE(r.err.find("usage: zamini engines"), std::string::npos);
    }
    EXPECT_EQ(ReadNative(exe), before);

    const auto r = Zamini("engines", {exe, "0=4", "5=8", "9=0"});
    ASSERT_EQ(r.code, tools::kExitOk) << r.err;
    EXPECT_NE(r.out.find("0\tBrabham\t4\tFerrari V12\n"), std::string::npos);
    EXPECT_NE(r.out.find("5\tLotus\t8\t2.0l Race\n"), std::string::npos);
    EXPECT_NE(r.out.find("9\tF2\t0\tRepco V8\n"), std::string::npos);

    const auto again = Zamini("engines", {exe});
    EXPECT_EQ(again.out, r.out);
    const std::string after = ReadNative(exe);
    ASSERT_EQ(after.size(), before.size());
    const std::size_t key = tools::kDemoKeyMarkerOffset - 36;
    EXPECT_EQ(after.substr(key, 3), "fer");
    EXPECT_EQ(after.substr(key + 24, 3), "lot");  // trainer engine: Lotus keeps its own key
    std::size_t differing = 0;
    for (std::size_t i = 0; i < after.size(); ++i) differing += after[i] != before[i] ? 1 : 0;
    EXPECT_LE(differing, 3u * 8 + 3);
}

}  // namespace
}  // namespace zam::test
