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

class FaultInjectionWriteBack : public ::testing::Test {
protected:
    FaultInjectionWriteBack() { Initialising = false; }

    // Lays out the starting files in a fresh folder and writes the file back through `fs`.
    // Gives WriteIniFile's answer.
    bool Run(const Layout& layout, TempDir& dir, FakeUi& ui, FailingFileSystem& fs) {
        if (layout.fileExists) dir.write("Core.ini", kOld);
        if (layout.backupsExist) {
            dir.write("Core.ini.bak", kOlderBak);
            dir.write("Core.ini.prv", kOlderPrv);
        }
        if (layout.readOnly) stdfs::permissions(dir.file("Core.ini"), stdfs::perms(0444));
        IniStore store(ui);
        const std::string path = dir.logical() + "Core.ini";
        if (layout.fileExists) {
            store.ReadIniFile(path);
        } else {
            InitialisingScope loading(true);
            store.SetFullPathIniValue(path, "Race", "laps", "12");
            store.AddIniEntry(path, "Race", "; keep me", "", " keep me");
            store.SetFullPathIniValue(path, "Race", "name", "Spa");
        }
        store.SetFullPathIniValue(path, "Race", "laps", "20");
        platform::ScopedFileSystem use(fs);
        return store.WriteIniFile(1);
    }

    // What may stand on disk after a write-back that was cut short anywhere.
    void ExpectSound(const Layout& layout, TempDir& dir, const FakeUi& ui, bool written,
                     const FaultPlan& plan) {
        SCOPED_TRACE(plan.Describe());
        std::optional<std::string> file;
        if (dir.exists("Core.ini")) file = dir.read("Core.ini");
        if (layout.fileExists) {
            ASSERT_TRUE(file.has_value()) << "the file was lost";
            EXPECT_THAT(*file, ::testing::AnyOf(kOld, kNew));
        } else if (file) {
            EXPECT_EQ(*file, kNew);
        }
        const bool isNew = file && *file == kNew;
        EXPECT_EQ(written, isNew) << "the answer must say whether the file was written";
        if (!isNew && plan.Loud()) {
            EXPECT_FALSE(ui.messages.empty()) << "the user was not told";
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
    }
};

// A first write, a later one over earlier backups, a read-only file and a new file.
TEST_F(FaultInjectionWriteBack, EveryFailedStepLeavesACompleteFileInEveryLayout) {
    for (const Layout& layout :
         {Layout{"FirstWrite"}, Layout{"LaterWrite", true, true},
          Layout{"ReadOnlyFile", true, false, true}, Layout{"NewFile", false}}) {
        SCOPED_TRACE(layout.name);
        const int changes = CountChanges([&](FailingFileSystem& fs) {
            TempDir dir;
            FakeUi ui;
            ASSERT_TRUE(Run(layout, dir, ui, fs));
            EXPECT_EQ(dir.read("Core.ini"), kNew);
            EXPECT_TRUE(ui.messages.empty());
        });
        ASSERT_GE(changes, 2);
        int injected = 0;
        for (const FaultPlan& plan : PlansFor(changes)) {
            TempDir dir;
            FakeUi ui;
            FailingFileSystem fs;
            plan.ApplyTo(fs);
            const bool written = Run(layout, dir, ui, fs);
            injected += fs.InjectedFailures();
            ExpectSound(layout, dir, ui, written, plan);
            if (HasFailure()) return;  // one broken plan says enough
        }
        EXPECT_GT(injected, 0);
        TallyFaults("INI write-back (store)", injected);
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
         check});
    EXPECT_EQ(sweep.newBytes, kOld);
    EXPECT_GT(sweep.injected, 0);
    TallyFaults("restore (store)", sweep.injected);
}

}  // namespace
}  // namespace zam::test
