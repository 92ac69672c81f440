// Write-backs cut short: each changing step failed in turn, and a writing process killed outright.
#include <gmock/gmock.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#endif

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <thread>

#include "FakeUi.h"
#include "FaultSweep.h"
#include "TempDir.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"
#include "zam/store/FileRestore.h"
#include "zam/store/Globals.h"
#include "zam/store/IniStore.h"

namespace zam::test {
namespace {

namespace stdfs = std::filesystem;

// Every changing step of an INI write-back failed in turn, in every way: the file is always the
// complete old or the complete new text, its backups stay true, nothing is left behind but what
// the failure itself prevented from being cleaned up, and a loud failure reaches the user.
constexpr const char* kOld = "[Race]\r\nlaps=12\r\n; keep me\r\nname=Spa\r\n";
constexpr const char* kNew = "[ Race ]\r\nlaps = 20\r\n; keep me\r\nname = Spa\r\n";
constexpr const char* kOlderBak = "[Race]\r\nlaps=3\r\n";
constexpr const char* kOlderPrv = "[Race]\r\nlaps=7\r\n";

struct Layout {
    const char* name;
    bool fileExists = true;
    bool backupsExist = false;
    bool readOnly = false;
};

// Nothing but `allowed` is left in the folder, and a temporary file only where the failure
// persisted and so kept the clean-up from running.
void ExpectOnly(const TempDir& dir, std::vector<std::string> allowed, const FaultPlan& plan) {
    if (plan.persistent) allowed.push_back("Core.ini.zamtmp");
    for (const auto& name : FilesBelow(dir.path()))
        EXPECT_THAT(allowed, ::testing::Contains(name)) << name << " was left behind";
}

// A first write, a later one over earlier backups, a read-only file and a new file.
TEST(FaultInjectionWriteBack, EveryFailedStepLeavesACompleteFileInEveryLayout) {
    Initialising = false;
    for (const Layout& layout :
         {Layout{"FirstWrite"}, Layout{"LaterWrite", true, true},
          Layout{"ReadOnlyFile", true, false, true}, Layout{"NewFile", false}}) {
        SCOPED_TRACE(layout.name);
        std::optional<FakeUi> ui;  // of the latest run
        // Reads the starting file (or builds it in the store) and writes it back changed.
        const auto write = [&](const std::string& path) {
            if (layout.readOnly) stdfs::permissions(path, stdfs::perms(0444));
            IniStore store(ui.emplace());
            if (layout.fileExists) {
                store.ReadIniFile(path);
            } else {
                InitialisingScope loading(true);
                store.SetFullPathIniValue(path, "Race", "laps", "12");
                store.AddIniEntry(path, "Race", "; keep me", "", " keep me");
                store.SetFullPathIniValue(path, "Race", "name", "Spa");
            }
            store.SetFullPathIniValue(path, "Race", "laps", "20");
            return store.WriteIniFile(1);
        };
        // What may stand on disk beside the file after a write-back that was cut short anywhere.
        const auto check = [&](const TempDir& dir, const FaultPlan& plan) {
            if (!(dir.exists("Core.ini") && dir.read("Core.ini") == kNew) && plan.Loud()) {
                EXPECT_FALSE(ui->messages.empty()) << "the user was not told";
            }
            if (layout.backupsExist) {
                EXPECT_EQ(dir.read("Core.ini.bak"), kOlderBak);
            } else if (dir.exists("Core.ini.bak")) {
                EXPECT_EQ(dir.read("Core.ini.bak"), kOld);
            }
            if (dir.exists("Core.ini.prv")) {
                EXPECT_THAT(dir.read("Core.ini.prv"), ::testing::AnyOf(kOld, kOlderPrv));
            }
            ExpectOnly(dir, {"Core.ini", "Core.ini.bak", "Core.ini.prv"}, plan);
        };
        BesideFiles beside{{}, {"Core.ini.bak", "Core.ini.prv"}, check};
        if (layout.backupsExist)
            beside.files = {{"Core.ini.bak", kOlderBak}, {"Core.ini.prv", kOlderPrv}};
        const SweepResult sweep = SweepOneFileWriter(
            {"Core.ini", layout.fileExists ? std::optional<std::string>(kOld) : std::nullopt, 2,
             write,
             [&](bool faultFree, bool) {
                 if (faultFree) {
                     EXPECT_TRUE(ui->messages.empty());
                 }
             }},
            beside);
        EXPECT_EQ(sweep.newBytes, kNew);
        EXPECT_GT(sweep.injected, 0);
        if (HasFailure()) return;  // one broken layout says enough
        TallyFaults("INI write-back (store)", sweep.injected);
    }
}

// A restore is a write of its own: cut short anywhere, the file is the whole text it had or the
// whole backup, no backup is harmed, and a restore that says it is done can be undone.
TEST(FaultInjectionRestore, EveryFailedStepLeavesEveryFileWhole) {
    constexpr const char* kOlderRst = "[Race]\r\nlaps=1\r\n";
    RestoreResult result;  // of the latest run
    const auto check = [&](const TempDir& dir, const FaultPlan& plan) {
        if (plan.Loud()) {
            if (result.ok()) {
                EXPECT_EQ(dir.read("Core.ini.rst"), kNew);
            } else {
                EXPECT_NE(result.message, "");
            }
        }
        EXPECT_THAT(dir.read("Core.ini.rst"), ::testing::AnyOf(kOlderRst, kNew));
        EXPECT_EQ(dir.read("Core.ini.prv"), kOld);
        EXPECT_EQ(dir.read("Core.ini.bak"), kOlderBak);
        ExpectOnly(dir, {"Core.ini", "Core.ini.bak", "Core.ini.prv", "Core.ini.rst"}, plan);
    };
    const SweepResult sweep = SweepOneFileWriter(
        {"Core.ini",
         kNew,
         2,
         [&](const std::string& path) {
             result = RestoreFile(path, BackupKind::kPrevious);
             return result.ok();
         },
         {}},
        {{{"Core.ini.prv", kOld}, {"Core.ini.bak", kOlderBak}, {"Core.ini.rst", kOlderRst}},
         {},
         check});
    EXPECT_EQ(sweep.newBytes, kOld);
    EXPECT_GT(sweep.injected, 0);
    TallyFaults("restore (store)", sweep.injected);
}

// A process that writes many files back is killed outright at varied moments, over and over;
// after every kill each file must be its complete old or its complete new text, and its backups
// complete copies of the old one. No timing is asserted: the moments only spread the kills over
// the whole write-back.
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 8;
constexpr int kMaxRounds = 120;
constexpr auto kTimeBudget = std::chrono::seconds(15);

// Old texts: small and middling files and one of several megabytes, all in the written layout.
std::map<std::string, std::string> OldFiles() {
    std::map<std::string, std::string> files;
    for (int f = 0; f < kFiles; ++f) {
        const int lines = f == 0 ? 40000 : 100 + 200 * f;
        std::string text = "[ State ]\r\nvalue = old\r\n\r\n[ Data ]\r\n";
        for (int i = 0; i < lines; ++i)
            text += "key" + std::to_string(i) + " = " + std::string(40, char('a' + (i + f) % 26)) +
                    "\r\n";
        files["file" + std::to_string(f) + ".ini"] = text;
    }
    return files;
}

void Lay(const TempDir& dir, const std::string& folder,
         const std::map<std::string, std::string>& files) {
    for (const auto& [name, text] : files) dir.write(folder + "/" + name, text);
}

// The child sits beside this test program; its build path would name the build machine's file
// system, which a Windows run under another machine's drive letters does not see.
std::string ChildProgram() {
    return platform::ProgramFolder() + stdfs::path(ZAM_WRITE_BACK_CHILD).filename().string();
}

// The child, started through the program's own launcher (no shell), on `folder`.
platform::ProcessId StartChild(const stdfs::path& folder) {
    platform::ProcessId id;
    EXPECT_TRUE(platform::NativeProcesses()
                    .Start("\"" + ChildProgram() + "\" \"" + folder.string() + "\" new", id)
                    .ok());
    return id;
}

// Killed outright: no chance to clean up. The launcher keeps the process until it is waited
// for, so its number cannot name another one meanwhile.
void KillOutright(platform::ProcessId id) {
#ifdef _WIN32
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(id.value));
    if (process == nullptr) return;
    ::TerminateProcess(process, 9);
    ::CloseHandle(process);
#else
    ::kill(static_cast<pid_t>(id.value), SIGKILL);
#endif
}

// Whether it ran to its end with exit code 0.
bool Finished(platform::ProcessId id) {
    platform::ProcessExit exit;
    return platform::NativeProcesses().Wait(id, exit).ok() && exit.Clean();
}

TEST(KillDuringWrite, EveryFileIsWholeOldOrWholeNewAfterEveryKill) {
    TempDir dir;
    const auto oldFiles = OldFiles();

    // One run to the end gives the new texts and the span over which kills are spread.
    Lay(dir, "whole", oldFiles);
    const auto started = Clock::now();
    const platform::ProcessId whole = StartChild(dir.path() / "whole");
    ASSERT_GT(whole.value, 0);
    ASSERT_TRUE(Finished(whole));
    const auto span = Clock::now() - started;
    std::map<std::string, std::string> newFiles;
    for (const auto& [name, text] : oldFiles) {
        newFiles[name] = dir.read("whole/" + name);
        ASSERT_NE(newFiles[name], text) << name << " was not written";
    }

    std::mt19937 random(20261207);
    std::uniform_int_distribution<long long> moment(
        0, std::chrono::duration_cast<std::chrono::microseconds>(span).count() * 6 / 5);
    int rounds = 0, cutMidway = 0;
    const auto budgetStart = Clock::now();
    // A slow machine (or wine) runs few rounds in the budget: it gets more time until a kill has
    // landed between two files, which is what the rounds are for.
    auto goOn = [&] {
        const auto spent = Clock::now() - budgetStart;
        return rounds < kMaxRounds &&
               (spent < kTimeBudget || (cutMidway == 0 && spent < 3 * kTimeBudget));
    };
    while (goOn()) {
        const std::string round = "round" + std::to_string(rounds);
        const stdfs::path folder = dir.path() / round;
        Lay(dir, round, oldFiles);
        const platform::ProcessId child = StartChild(folder);
        ASSERT_GT(child.value, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        KillOutright(child);
        Finished(child);
        ++rounds;

        int written = 0;
        for (const auto& [name, oldText] : oldFiles) {
            SCOPED_TRACE("round " + std::to_string(rounds) + ", " + name);
            ASSERT_TRUE(stdfs::exists(folder / name)) << "the file was lost";
            const std::string now = ReadNative(folder / name);
            ASSERT_TRUE(now == oldText || now == newFiles[name])
                << "cut short: " << now.size() << " bytes, old " << oldText.size() << ", new "
                << newFiles[name].size();
            written += now == newFiles[name];
            for (const char* backup : {".bak", ".prv"}) {
                if (stdfs::exists(folder / (name + backup))) {
                    ASSERT_EQ(ReadNative(folder / (name + backup)), oldText) << backup;
                }
            }
        }
        cutMidway += written > 0 && written < kFiles;
        stdfs::remove_all(folder);
    }
    std::printf("[ kills    ] %d rounds, %d cut in the middle of the write-back\n", rounds,
                cutMidway);
    // Kills that all landed before the first file or after the last would prove nothing.
    EXPECT_GT(cutMidway, 0) << "no kill landed between two files of the write-back";
}

}  // namespace
}  // namespace zam::test
