// What the model adds to the write-back: setup indexes in their binary format, and player folders
// that follow the player's name.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "GplTestSupport.h"
#include "zam/model/SetupsDef.h"
#include "zam/model/clsGPL.h"

namespace zam {
namespace {

using test::IniText;

class GplWriteBackTest : public test::GplTest {
protected:
    GplWriteBackTest() {
        WriteStandardZamIni();
        WriteExe();
        WriteGpl("Core.Ini", IniText({"[ Joy ]", "max_steering_torque = 99"}));
        WriteGpl("App.Ini", IniText({"[ Player ]", "lastPlayer = Clark__Jim"}));
        WritePlayer("Clark__Jim", "Jim", "Clark");
    }
    // The user's changes, after start-up.
    static void UserEdits() { Initialising = false; }
    std::vector<std::string> PlayerFolders() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(GplFile("Players")))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static SetupNames NamesOf(const std::string& bytes) { return ParseSetupsDef(bytes); }
    static std::size_t Slot(const char* section, const char* entry) {
        return static_cast<std::size_t>(SetupSlotIndex(section, entry));
    }
};

TEST_F(GplWriteBackTest, ASetupIndexIsReadIntoTheStoreAndWrittenBackInItsFormat) {
    SetupNames names;
    names[Slot("Race", "F1lotus")] = "race.lo1";
    names[Slot("Current", "F2brm")] = "practice.br2";
    WriteGpl("Players\\Clark__Jim\\Setups\\monza\\Setups.def", BuildSetupsDef(names) + "old tail");
    {
        clsGPL gpl(ui);
        gpl.ReadSetupsDef("monza", "Clark__Jim");
        const std::string index = "Players\\Clark__Jim\\Setups\\monza\\setups.def";
        EXPECT_EQ(gpl.IniValue(index, "Race", "F1lotus"), "race.lo1");
        EXPECT_EQ(gpl.IniValue(index, "Current", "F2brm"), "practice.br2");
        EXPECT_EQ(gpl.IniValue(index, "SetupData", "Player"), "Clark__Jim");
        EXPECT_EQ(gpl.IniValue(index, "SetupData", "Track"), "monza");
        UserEdits();
        gpl.SetIniValue(index, "Current", "F1lotus", "quali.lo1");
    }
    names[Slot("Current", "F1lotus")] = "quali.lo1";
    const std::string written =
        test::ReadNative(GplFile("Players/Clark__Jim/Setups/monza/Setups.def"));
    EXPECT_EQ(written.size(), 14404u);
    EXPECT_EQ(written, BuildSetupsDef(names));
    EXPECT_FALSE(std::filesystem::exists(GplFile("Players/Clark__Jim/Setups/monza/Setups.def.bak")));
}

TEST_F(GplWriteBackTest, AMissingIndexIsEmptyAndWrittenOnlyOnceChanged) {
    std::filesystem::create_directories(GplFile("Players/Clark__Jim/Setups/spa"));
    std::filesystem::create_directories(GplFile("Players/Clark__Jim/Setups/monza"));
    {
        clsGPL gpl(ui);
        gpl.ReadSetupsDef("spa", "Clark__Jim");
        gpl.ReadSetupsDef("monza", "Clark__Jim");
        const std::string spa = gpl.SetupsDefPath("spa", "Clark__Jim");
        for (const auto& slot : SetupSlots())
            EXPECT_TRUE(gpl.LocateIniEntry(spa, slot.section, slot.entry, false).found())
                << slot.entry;
        EXPECT_EQ(gpl.FullPathIniValue(spa, "Race", "F3brabham"), "");
        UserEdits();
        gpl.SetFullPathIniValue(spa, "Race", "F3eagle", "wet.ea3");
    }
    const std::string written = test::ReadNative(GplFile("Players/Clark__Jim/Setups/spa/Setups.def"));
    EXPECT_EQ(NamesOf(written)[Slot("Race", "F3eagle")], "wet.ea3");
    EXPECT_FALSE(std::filesystem::exists(GplFile("Players/Clark__Jim/Setups/monza/Setups.def")));
}

TEST_F(GplWriteBackTest, AnIndexThatCannotBeReadIsNeverWrittenOver) {
    SetupNames names;
    names[0] = "precious.bb3";
    const std::string old = BuildSetupsDef(names);
    WriteGpl("Players\\Clark__Jim\\Setups\\monza\\Setups.def", old);
    {
        clsGPL gpl(ui);
        {
            test::FailingFs failing("Setups.def", test::FailingFs::kRead);
            platform::ScopedFileSystem scoped(failing);
            gpl.ReadSetupsDef("monza", "Clark__Jim");
        }
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].text.find("Setups.def"), std::string::npos);
        UserEdits();
        gpl.SetFullPathIniValue(gpl.SetupsDefPath("monza", "Clark__Jim"), "Race", "F1lotus", "x");
    }
    EXPECT_EQ(test::ReadNative(GplFile("Players/Clark__Jim/Setups/monza/Setups.def")), old);
}

TEST_F(GplWriteBackTest, AFailedIndexWriteIsReportedAndKeepsTheOldFile) {
    const std::string old = BuildSetupsDef({});
    WriteGpl("Players\\Clark__Jim\\Setups\\monza\\Setups.def", old);
    {
        test::FailingFs failing("Setups.def", test::FailingFs::kRename);
        std::optional<platform::ScopedFileSystem> failingFromNowOn;
        clsGPL gpl(ui);  // destroyed, and so written back, while the failure is in place
        gpl.ReadSetupsDef("monza", "Clark__Jim");
        UserEdits();
        gpl.SetFullPathIniValue(gpl.SetupsDefPath("monza", "Clark__Jim"), "Race", "F1lotus", "x");
        gpl.SetIniValue("Core.Ini", "Joy", "max_steering_torque", "100");
        failingFromNowOn.emplace(failing);
    }
    EXPECT_EQ(test::ReadNative(GplFile("Players/Clark__Jim/Setups/monza/Setups.def")), old);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Setups.def"), std::string::npos) << ui.messages[0].text;
    EXPECT_NE(test::ReadNative(GplFile("Core.Ini")).find("max_steering_torque = 100"),
              std::string::npos);
}

TEST_F(GplWriteBackTest, ChangingThePlayersNameRenamesTheFolderAndItsLaterFilesFollow) {
    WriteGpl("Players\\Clark__Jim\\Setups\\monza\\Setups.def", BuildSetupsDef({}));
    {
        clsGPL gpl(ui);
        gpl.ReadSetupsDef("monza", "Clark__Jim");
        gpl.ReadIniFile(Gpl() + "Players\\Clark__Jim\\Extra.ini");
        UserEdits();
        gpl.SetPlayerValue("Clark__Jim", "Personal Information", "firstName", "Jimmy");
        gpl.SetFullPathIniValue(gpl.SetupsDefPath("monza", "Clark__Jim"), "Race", "F1lotus",
                                "fast.lo1");
        gpl.SetIniValue("Players\\Clark__Jim\\Extra.ini", "Notes", "text", "hello");
    }
    EXPECT_EQ(PlayerFolders(), std::vector<std::string>{"Clark__Jimmy"});
    const std::string player = test::ReadNative(GplFile("Players/Clark__Jimmy/Player.ini"));
    EXPECT_NE(player.find("firstName = Jimmy"), std::string::npos) << player;
    EXPECT_EQ(NamesOf(test::ReadNative(GplFile("Players/Clark__Jimmy/Setups/monza/Setups.def")))
                  [Slot("Race", "F1lotus")],
              "fast.lo1");
    EXPECT_NE(test::ReadNative(GplFile("Players/Clark__Jimmy/Extra.ini")).find("text = hello"),
              std::string::npos);
    const std::string app = test::ReadNative(GplFile("App.Ini"));
    EXPECT_NE(app.find("lastPlayer = Clark__Jimmy"), std::string::npos) << app;
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GplWriteBackTest, AHostileNameStillRenamesDirectlyBelowPlayers) {
    {
        clsGPL gpl(ui);
        UserEdits();
        gpl.SetPlayerValue("Clark__Jim", "Personal Information", "lastName", "..\\..\\x");
        gpl.SetPlayerValue("Clark__Jim", "Personal Information", "firstName", "..");
    }
    EXPECT_EQ(PlayerFolders(), std::vector<std::string>{"______x____"});
    EXPECT_TRUE(std::filesystem::exists(GplFile("Players/______x____/Player.ini")));
    EXPECT_FALSE(std::filesystem::exists(tmp.file("x")));
    EXPECT_FALSE(std::filesystem::exists(GplFile("x")));
}

TEST_F(GplWriteBackTest, ARenameOntoAnotherPlayersFolderIsRefused) {
    WritePlayer("Hill__Graham", "Graham", "Hill");
    {
        clsGPL gpl(ui);
        UserEdits();
        gpl.SetPlayerValue("Clark__Jim", "Personal Information", "firstName", "Graham");
        gpl.SetPlayerValue("Clark__Jim", "Personal Information", "lastName", "Hill");
    }
    EXPECT_EQ(PlayerFolders(), (std::vector<std::string>{"Clark__Jim", "Hill__Graham"}));
    const std::string hill = test::ReadNative(GplFile("Players/Hill__Graham/Player.ini"));
    EXPECT_NE(hill.find("firstName = Graham"), std::string::npos);
    EXPECT_EQ(hill.find("Jim"), std::string::npos);
    const std::string clark = test::ReadNative(GplFile("Players/Clark__Jim/Player.ini"));
    EXPECT_NE(clark.find("lastName = Hill"), std::string::npos);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Hill__Graham already exists"), std::string::npos)
        << ui.messages[0].text;
    EXPECT_NE(test::ReadNative(GplFile("App.Ini")).find("lastPlayer = Clark__Jim"),
              std::string::npos);
}

TEST_F(GplWriteBackTest, ANameThatDiffersOnlyInCaseKeepsTheFolder) {
    {
        clsGPL gpl(ui);
        UserEdits();
        gpl.SetPlayerValue("Clark__Jim", "Personal Information", "lastName", "CLARK");
    }
    EXPECT_EQ(PlayerFolders(), std::vector<std::string>{"Clark__Jim"});
}

TEST_F(GplWriteBackTest, APlayerIniOutsidePlayersIsNotAPlayersFile) {
    WriteGpl("Tracks\\monza\\Player.ini",
             IniText({"[ Personal Information ]", "firstName = A", "lastName = B"}));
    {
        clsGPL gpl(ui);
        gpl.ReadIniFile(Gpl() + "Tracks\\monza\\Player.ini");
        UserEdits();
        gpl.SetIniValue("Tracks\\monza\\Player.ini", "Personal Information", "firstName", "C");
    }
    EXPECT_TRUE(std::filesystem::exists(GplFile("Tracks/monza/Player.ini")));
    EXPECT_EQ(PlayerFolders(), std::vector<std::string>{"Clark__Jim"});
}

}  // namespace
}  // namespace zam
