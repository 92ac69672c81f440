// Every changing step of the model's own writers failed in turn: a setup index and the engine
// tables of the executable are always either wholly as before or wholly as chosen, no temporary
// file is left behind where it could be removed, and a failure is never reported as success.
#include <gmock/gmock.h>

#include <optional>

#include "FakeUi.h"
#include "FaultSweep.h"
#include "TempDir.h"
#include "zam/model/SetupsDef.h"
#include "zam/model/clsEngines.h"
#include "zam/tools/DemoInstallation.h"

namespace zam::test {
namespace {

using ::testing::AnyOf;
using ::testing::Contains;

// Leftovers a sweep may accept: only where the failure kept the clean-up from running.
void ExpectNothingLeftBehind(const TempDir& dir, std::vector<std::string> allowed,
                             const FaultPlan& plan) {
    for (const auto& name : FilesBelow(dir.path())) {
        if (plan.persistent && name != allowed.front()) continue;
        EXPECT_THAT(allowed, Contains(name)) << name << " was left behind";
    }
}

SetupNames Names(const std::string& stem) {
    SetupNames names;
    for (std::size_t i = 0; i < names.size(); i += 3) names[i] = stem + std::to_string(i) + ".lo1";
    return names;
}

TEST(FaultInjectionSetupsDef, EveryFailedStepLeavesTheWholeOldOrNewIndex) {
    const std::string oldBytes = BuildSetupsDef(Names("old"));
    const std::string newBytes = BuildSetupsDef(Names("new"));
    auto run = [&](TempDir& dir) {
        dir.write("Setups.def", oldBytes);
        return WriteSetupsDefFile(dir.logical() + "Setups.def", Names("new"));
    };
    const int changes = CountChanges([&](FailingFileSystem&) {
        TempDir dir;
        ASSERT_TRUE(run(dir).ok());
        EXPECT_EQ(dir.read("Setups.def"), newBytes);
    });
    ASSERT_GE(changes, 2);
    int injected = 0;
    for (const FaultPlan& plan : PlansFor(changes)) {
        SCOPED_TRACE(plan.Describe());
        TempDir dir;
        FailingFileSystem fs;
        plan.ApplyTo(fs);
        platform::Status status;
        {
            platform::ScopedFileSystem use(fs);
            status = run(dir);
        }
        injected += fs.InjectedFailures();
        ASSERT_TRUE(dir.exists("Setups.def")) << "the index was lost";
        const std::string now = dir.read("Setups.def");
        EXPECT_THAT(now, AnyOf(oldBytes, newBytes));
        EXPECT_EQ(status.ok(), now == newBytes) << "the status must say whether it was written";
        ExpectNothingLeftBehind(dir, {"Setups.def"}, plan);
        if (HasFailure()) break;
    }
    TallyFaults("Setups.def (model)", injected);
}

TEST(FaultInjectionEngines, EveryFailedStepLeavesTheWholeOldOrNewExecutable) {
    const std::string original = tools::DemoExecutable({});
    auto run = [&](TempDir& dir, FakeUi& ui) {
        dir.write("GPL.EXE", original);
        clsEngines engines(ui, dir.logical() + "GPL.EXE");
        EXPECT_FALSE(engines.Status());
        engines.SetCarEngine(0, 4);
        engines.SetCarEngine(5, 2);
        engines.SetCarEngine(9, 7);
        const bool written = engines.WriteExeEngines();
        engines.UnloadWithoutSaving();
        return written;
    };
    std::string chosen;
    const int changes = CountChanges([&](FailingFileSystem&) {
        TempDir dir;
        FakeUi ui;
        ASSERT_TRUE(run(dir, ui));
        chosen = dir.read("GPL.EXE");
        EXPECT_TRUE(ui.messages.empty());
    });
    ASSERT_NE(chosen, original);
    ASSERT_GE(changes, 1);
    int injected = 0;
    for (const FaultPlan& plan : PlansFor(changes)) {
        SCOPED_TRACE(plan.Describe());
        TempDir dir;
        FakeUi ui;
        FailingFileSystem fs;
        plan.ApplyTo(fs);
        bool written = false;
        {
            platform::ScopedFileSystem use(fs);
            written = run(dir, ui);
        }
        injected += fs.InjectedFailures();
        ASSERT_TRUE(dir.exists("GPL.EXE")) << "the executable was lost";
        const std::string now = dir.read("GPL.EXE");
        EXPECT_TRUE(now == original || now == chosen) << "the executable is neither old nor new";
        EXPECT_EQ(written, now == chosen);
        if (now != chosen) {
            EXPECT_FALSE(ui.messages.empty()) << "the user was not told";
        }
        ExpectNothingLeftBehind(dir, {"GPL.EXE"}, plan);
        if (HasFailure()) break;
    }
    TallyFaults("engine tables in GPL.EXE (model)", injected);
}

}  // namespace
}  // namespace zam::test
