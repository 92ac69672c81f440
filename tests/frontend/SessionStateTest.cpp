#include <gtest/gtest.h>

#include "FakeUi.h"
#include "TempDir.h"
#include "zam/frontend/SessionState.h"
#include "zam/model/clsEngines.h"
#include "zam/store/IniStore.h"
#include "zam/tools/DemoInstallation.h"

namespace zam {
namespace {

TEST(RaceLengthOverride, RoundsHalvesToEvenAndClamps) {
    EXPECT_EQ(OverriddenLaps(50, 15), 8);   // 7.5
    EXPECT_EQ(OverriddenLaps(50, 13), 6);   // 6.5
    EXPECT_EQ(OverriddenLaps(0, 80), 1);
    EXPECT_EQ(OverriddenLaps(400, 80), 255);
    EXPECT_EQ(OverriddenLaps(150, 11), 16);  // 16.5
    EXPECT_EQ(OverriddenLaps(25, 2), 1);     // 0.5 rounds to 0, raised to 1
}

class StoreTest : public testing::Test {
protected:
    StoreTest() : store(ui) { store.SetDirectory(tmp.logical()); }
    void Season(const std::string& laps) {
        tmp.write("Seasons/67Season.Ini",
                  "[Event1]\r\nnumberOfLaps=" + laps + "\r\n[Event2]\r\nnumberOfLaps=40\r\n");
        store.ReadIniFile(tmp.logical() + "Seasons\\67Season.Ini");
    }
    std::string Laps(const char* section, const char* entry = "numberOfLaps") {
        return store.IniValue(kSeasonFile, section, entry);
    }
    test::TempDir tmp;
    test::FakeUi ui;
    IniStore store;
};

TEST_F(StoreTest, OverrideKeepsTheOriginalLengthAndAHundredOrNoEventChangesNothing) {
    Season("15");
    EXPECT_FALSE(ApplyRaceLengthOverride(store, 100, 1));
    EXPECT_FALSE(ApplyRaceLengthOverride(store, 50, 0));   // no circuit chosen
    EXPECT_FALSE(ApplyRaceLengthOverride(store, 50, 9));   // no such event
    EXPECT_EQ(Laps("Event1"), "15");
    EXPECT_EQ(Laps("Event1", "originalGPLength"), "");
    EXPECT_TRUE(ApplyRaceLengthOverride(store, 50, 1));
    EXPECT_EQ(Laps("Event1"), "8");
    EXPECT_EQ(Laps("Event1", "originalGPLength"), "15");
    EXPECT_EQ(Laps("Event2"), "40");
}

TEST_F(StoreTest, OverrideIsSkippedForALapCountThatIsNoWholeNumber) {
    for (const char* bad : {"", "abc", "12.5", "-3", "15 laps"}) {
        Season(bad);
        EXPECT_FALSE(ApplyRaceLengthOverride(store, 50, 1)) << bad;
        EXPECT_EQ(Laps("Event1", "originalGPLength"), "") << bad;
    }
}

TEST_F(StoreTest, SampleRpmFollowsThePlayer) {
    store.SetIniValue("Players\\A__B\\PZAM.Ini", "Engine", "sampleRPM", "6100");
    store.SetIniValue("App.Ini", "Engine", "sampleRPM", "5200");
    SyncSampleRpm(store, "Players\\A__B\\");
    EXPECT_EQ(store.IniValue("App.Ini", "Engine", "sampleRPM"), "6100");
}

TEST(RandomBackground, PositionCoversEveryEntry) {
    EXPECT_EQ(RandomEntryPosition(3, 0.0), 1);
    EXPECT_EQ(RandomEntryPosition(3, 0.34), 2);
    EXPECT_EQ(RandomEntryPosition(3, 0.9999), 3);
    EXPECT_EQ(RandomEntryPosition(0, 0.5), 0);
}

TEST(EnginesTest, FormulaLibreTakesTheDropDownsAndFixedClassesOneEngine) {
    test::TempDir tmp;
    test::FakeUi ui;
    tmp.write("GPL.EXE", tools::DemoExecutable({}));
    clsEngines engines(ui, tmp.logical() + "GPL.EXE");
    engines.UnloadWithoutSaving();
    ASSERT_FALSE(engines.Status());
    EngineSelection selection{};
    for (int chassis = 0; chassis < 10; ++chassis) selection[chassis] = chassis + 1;
    selection[3] = 5;  // fifth entry: engine 4
    selection[7] = 3;  // never applied
    selection[8] = 0;  // nothing shown: left alone
    ApplyClassEngines(engines, "FL2", selection);
    EXPECT_EQ(engines.CarEngine(3), 4);
    EXPECT_EQ(engines.CarEngine(7), 7);
    EXPECT_EQ(engines.CarEngine(8), 8);
    EXPECT_EQ(engines.CarEngine(0), 0);
    // Fixed classes put one engine everywhere.
    const std::pair<const char*, int> classes[] = {{"FJ", 7}, {"FG", 8}, {"FV", 8}, {"FD", 9}};
    for (const auto& [code, engine] : classes) {
        ApplyClassEngines(engines, code, {});
        for (int chassis = 0; chassis < 10; ++chassis)
            EXPECT_EQ(engines.CarEngine(chassis), engine) << code << " " << chassis;
    }
    ApplyClassEngines(engines, "F1", {});
    for (int chassis = 0; chassis < 10; ++chassis) EXPECT_EQ(engines.CarEngine(chassis), chassis);
}

}  // namespace
}  // namespace zam
