// The installation model and the engine swap open a generated demo the way the front end does.
#include <gtest/gtest.h>

#include "FakeUi.h"
#include "TempDir.h"
#include "zam/model/clsEngines.h"
#include "zam/model/clsGPL.h"
#include "zam/tools/DemoInstallation.h"

namespace {

TEST(DemoOpens, TheModelLoadsItAsACompleteInstallation) {
    zam::test::TempDir temp;
    zam::tools::MakeDemoInstallation(temp.path() / "GPL", {});
    temp.write("prog/ZAM.ini",
               "[Paths]\r\nGPL=" + temp.logical() + "GPL/\r\nExeName=GPL.EXE\r\n");
    const zam::test::ScopedCurrentDir cwd(temp.path() / "prog");
    zam::test::FakeUi ui;

    zam::clsGPL gpl(ui);
    gpl.UnloadWithoutSaving();
    ASSERT_FALSE(gpl.Exiting());
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;

    EXPECT_EQ(gpl.NoOfPlayers(), 3);
    EXPECT_NE(gpl.PlayerNo("D_Arcy__Jean_Luc"), 0);
    EXPECT_EQ(gpl.PlayerData("D_Arcy__Jean_Luc", "Personal Information", "firstName"),
              "Jean-Luc");
    EXPECT_EQ(gpl.IniValue("Players\\D_Arcy__Jean_Luc\\PZAM.Ini", "ZAM", "carClass"), "FL1");
    EXPECT_EQ(gpl.NoOfTracks(), 11);
    EXPECT_EQ(gpl.TrackID(7), "German Grand Prix");
    EXPECT_EQ(gpl.IniValue("Core.Ini", "Engines", "Lotus"), "Ford DFV V8");
    EXPECT_EQ(gpl.IniValue("App.Ini", "Player", "lastPlayer"), "Driver__Sam");
    EXPECT_EQ(gpl.IniValue("Server.Ini", "IP0", "auto_launch"), "1");  // from the sample
    EXPECT_EQ(gpl.IniValue("Glide.ini", "Glide", "Resolution"), "12");

    gpl.ReadSetupsDef("monaco", "Driver__Sam");
    const std::string index = gpl.SetupsDefPath("monaco", "Driver__Sam");
    EXPECT_EQ(gpl.FullPathIniValue(index, "Race", "F1lotus"), "Qualify.lo1");
    EXPECT_EQ(gpl.FullPathIniValue(index, "Current", "F1lotus"), "Demo Fast.lo1");
    EXPECT_EQ(gpl.FullPathIniValue(index, "Current", "F2brm"), "Wet.br2");

    zam::clsEngines engines(ui, gpl.EXEPath());
    engines.UnloadWithoutSaving();
    EXPECT_FALSE(engines.Status());
    EXPECT_TRUE(engines.KeyTableValid());
    EXPECT_EQ(engines.ExeEngine(5), "Ford DFV V8");
}

}  // namespace
