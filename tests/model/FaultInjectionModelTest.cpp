// Every changing step of the model's own writers failed in turn: a setup index and the engine
// tables of the executable are always either wholly as before or wholly as chosen, no temporary
// file is left behind where it could be removed, and a failure is never reported as success.
#include <gtest/gtest.h>

#include <optional>

#include "FakeUi.h"
#include "FaultSweep.h"
#include "zam/model/SetupsDef.h"
#include "zam/model/clsEngines.h"
#include "zam/tools/DemoInstallation.h"

namespace zam::test {
namespace {

SetupNames Names(const std::string& stem) {
    SetupNames names;
    for (std::size_t i = 0; i < names.size(); i += 3) names[i] = stem + std::to_string(i) + ".lo1";
    return names;
}

TEST(FaultInjectionSetupsDef, EveryFailedStepLeavesTheWholeOldOrNewIndex) {
    const SweepResult sweep = SweepOneFileWriter(
        {"Setups.def", BuildSetupsDef(Names("old")), 2,
         [](const std::string& path) { return WriteSetupsDefFile(path, Names("new")).ok(); }, {}});
    EXPECT_EQ(sweep.newBytes, BuildSetupsDef(Names("new")));
    TallyFaults("Setups.def (model)", sweep.injected);
}

TEST(FaultInjectionEngines, EveryFailedStepLeavesTheWholeOldOrNewExecutable) {
    std::optional<FakeUi> ui;  // of the latest run
    const SweepResult sweep = SweepOneFileWriter(
        {"GPL.EXE", tools::DemoExecutable({}), 1,
         [&](const std::string& path) {
             ui.emplace();
             clsEngines engines(*ui, path);
             EXPECT_FALSE(engines.Status());
             engines.SetCarEngine(0, 4);
             engines.SetCarEngine(5, 2);
             engines.SetCarEngine(9, 7);
             const bool written = engines.WriteExeEngines();
             engines.UnloadWithoutSaving();
             return written;
         },
         [&](bool faultFree, bool written) {
             EXPECT_TRUE(!faultFree || ui->messages.empty());
             EXPECT_TRUE(written || !ui->messages.empty()) << "the user was not told";
         }});
    TallyFaults("engine tables in GPL.EXE (model)", sweep.injected);
}

}  // namespace
}  // namespace zam::test
