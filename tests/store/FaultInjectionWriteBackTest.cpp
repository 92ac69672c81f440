// Every changing step of an INI write-back failed in turn, in every way: the file is always the
// complete old or the complete new text, its backups stay true, nothing is left behind but what
// the failure itself prevented from being cleaned up, and a loud failure reaches the user.
#include <gmock/gmock.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>

#include "FakeUi.h"
#include "FaultSweep.h"
#include "TempDir.h"
#include "zam/store/FileRestore.h"
#include "zam/store/Globals.h"
#include "zam/store/IniStore.h"

namespace zam::test {
namespace {

namespace stdfs = std::filesystem;

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

}  // namespace
}  // namespace zam::test
