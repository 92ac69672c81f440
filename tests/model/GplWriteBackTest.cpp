// What the model adds to the write-back: setup indexes in their binary format, and player folders
// that follow the player's name.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "FolderEntries.h"
#include "GplTestSupport.h"
#include "zam/model/SetupsDef.h"
#include "zam/model/clsGPL.h"

namespace zam {
namespace {

using test::IniText;

class GplWriteBackTest : public test::GplTest {
protected:
    GplWriteBackTest() { MakeDemo(); }
    // The user's changes, after start-up.
    static void UserEdits() { Initialising = false; }
    std::vector<std::string> PlayerFolders() const {
        return test::FolderEntries(GplFile("Players"));
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
    WriteGpl("Players\\Driver__Sam\\Setups\\monza\\Setups.def", BuildSetupsDef(names) + "old tail");
    {
        clsGPL gpl(ui);
        gpl.ReadSetupsDef("monza", "Driver__Sam");
        const std::string index = "Players\\Driver__Sam\\Setups\\monza\\setups.def";
        EXPECT_EQ(gpl.IniValue(index, "Race", "F1lotus"), "race.lo1");
        EXPECT_EQ(gpl.IniValue(index, "Current", "F2brm"), "practice.br2");
        EXPECT_EQ(gpl.IniValue(index, "SetupData", "Player"), "Driver__Sam");
        EXPECT_EQ(gpl.IniValue(index, "SetupData", "Track"), "monza");
        UserEdits();
        gpl.SetIniValue(index, "Current", "F1lotus", "quali.lo1");
    }
    names[Slot("Current", "F1lotus")] = "quali.lo1";
    const std::string written = ReadGpl("Players/Driver__Sam/Setups/monza/Setups.def");
    EXPECT_EQ(written.size(), 14404u);
    EXPECT_EQ(written, BuildSetupsDef(names));
    EXPECT_FALSE(tmp.exists("gpl/Players/Driver__Sam/Setups/monza/Setups.def.bak"));
}

TEST_F(GplWriteBackTest, AnIndexReadAndWrittenUnchangedIsReproduced) {
    const std::string original = ReadGpl("Players/Driver__Sam/Setups/kyalami/Setups.def");
    clsGPL gpl(ui);
    gpl.ReadSetupsDef("kyalami", "Driver__Sam");
    EXPECT_EQ(
        gpl.FullPathIniValue(gpl.SetupsDefPath("kyalami", "Driver__Sam"), "Current", "F1lotus"),
        "Demo Fast.lo1");
    ASSERT_TRUE(gpl.WriteSetupsDef("kyalami", "Driver__Sam"));
    EXPECT_EQ(ReadGpl("Players/Driver__Sam/Setups/kyalami/Setups.def"), original);
    gpl.UnloadWithoutSaving();
}

TEST_F(GplWriteBackTest, AMissingIndexIsEmptyAndWrittenOnlyOnceChanged) {
    std::filesystem::create_directories(GplFile("Players/Driver__Sam/Setups/spa"));
    std::filesystem::create_directories(GplFile("Players/Driver__Sam/Setups/monza"));
    {
        clsGPL gpl(ui);
        gpl.ReadSetupsDef("spa", "Driver__Sam");
        gpl.ReadSetupsDef("monza", "Driver__Sam");
        const std::string spa = gpl.SetupsDefPath("spa", "Driver__Sam");
        for (const auto& slot : SetupSlots())
            EXPECT_TRUE(gpl.LocateIniEntry(spa, slot.section, slot.entry, false).found())
                << slot.entry;
        EXPECT_EQ(gpl.FullPathIniValue(spa, "Race", "F3brabham"), "");
        UserEdits();
        gpl.SetFullPathIniValue(spa, "Race", "F3eagle", "wet.ea3");
    }
    const std::string written = ReadGpl("Players/Driver__Sam/Setups/spa/Setups.def");
    EXPECT_EQ(NamesOf(written)[Slot("Race", "F3eagle")], "wet.ea3");
    EXPECT_FALSE(tmp.exists("gpl/Players/Driver__Sam/Setups/monza/Setups.def"));
}

TEST_F(GplWriteBackTest, AnIndexThatCannotBeReadOrWrittenKeepsTheOldFile) {
    SetupNames names;
    names[0] = "precious.bb3";
    const std::string old = BuildSetupsDef(names);
    WriteGpl("Players\\Driver__Sam\\Setups\\monza\\Setups.def", old);
    {
        clsGPL gpl(ui);
        {
            test::FailingFileSystem failing;
            failing.FailPath(test::FsOp::kReadAll, "Setups.def", platform::kPermissionDenied);
            platform::ScopedFileSystem scoped(failing);
            gpl.ReadSetupsDef("monza", "Driver__Sam");
        }
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].text.find("Setups.def"), std::string::npos);
        UserEdits();
        gpl.SetFullPathIniValue(gpl.SetupsDefPath("monza", "Driver__Sam"), "Race", "F1lotus", "x");
    }
    EXPECT_EQ(ReadGpl("Players/Driver__Sam/Setups/monza/Setups.def"), old);
    // A failed write of the index is reported and keeps the old file.
    WriteGpl("Players\\Driver__Sam\\Setups\\monza\\Setups.def", old);
    ui.messages.clear();
    Initialising = true;  // the next start-up
    {
        test::FailingFileSystem failing;
        failing.FailPath(test::FsOp::kRename, "Setups.def", platform::kPermissionDenied);
        std::optional<platform::ScopedFileSystem> failingFromNowOn;
        clsGPL gpl(ui);  // destroyed, and so written back, while the failure is in place
        gpl.ReadSetupsDef("monza", "Driver__Sam");
        UserEdits();
        gpl.SetFullPathIniValue(gpl.SetupsDefPath("monza", "Driver__Sam"), "Race", "F1lotus", "x");
        gpl.SetIniValue("core.ini", "Joy", "max_steering_torque", "100");
        failingFromNowOn.emplace(failing);
    }
    EXPECT_EQ(ReadGpl("Players/Driver__Sam/Setups/monza/Setups.def"), old);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Setups.def"), std::string::npos) << ui.messages[0].text;
    EXPECT_NE(ReadGpl("core.ini").find("max_steering_torque = 100"), std::string::npos);
}

TEST_F(GplWriteBackTest, ChangingThePlayersNameRenamesTheFolderAndItsLaterFilesFollow) {
    WriteGpl("Players\\Driver__Sam\\Setups\\monza\\Setups.def", BuildSetupsDef({}));
    {
        clsGPL gpl(ui);
        gpl.ReadSetupsDef("monza", "Driver__Sam");
        gpl.ReadIniFile(Gpl() + "Players\\Driver__Sam\\Extra.ini");
        UserEdits();
        gpl.SetPlayerValue("Driver__Sam", "Personal Information", "firstName", "Samuel");
        gpl.SetFullPathIniValue(gpl.SetupsDefPath("monza", "Driver__Sam"), "Race", "F1lotus",
                                "fast.lo1");
        gpl.SetIniValue("Players\\Driver__Sam\\Extra.ini", "Notes", "text", "hello");
    }
    EXPECT_EQ(PlayerFolders(), (std::vector<std::string>{"D_Arcy__Jean_Luc", "Driver__Samuel",
                                                         "van_der_Berg__Mary_Ann"}));
    const std::string player = ReadGpl("Players/Driver__Samuel/Player.ini");
    EXPECT_NE(player.find("firstName = Samuel"), std::string::npos) << player;
    EXPECT_EQ(
        NamesOf(ReadGpl("Players/Driver__Samuel/Setups/monza/Setups.def"))[Slot("Race", "F1lotus")],
        "fast.lo1");
    EXPECT_NE(ReadGpl("Players/Driver__Samuel/Extra.ini").find("text = hello"), std::string::npos);
    const std::string app = ReadGpl("App.ini");
    EXPECT_NE(app.find("lastPlayer = Driver__Samuel"), std::string::npos) << app;
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GplWriteBackTest, AHostileNameStillRenamesDirectlyBelowPlayers) {
    {
        clsGPL gpl(ui);
        UserEdits();
        gpl.SetPlayerValue("Driver__Sam", "Personal Information", "lastName", "..\\..\\x");
        gpl.SetPlayerValue("Driver__Sam", "Personal Information", "firstName", "..");
    }
    EXPECT_EQ(PlayerFolders(), (std::vector<std::string>{"D_Arcy__Jean_Luc", "______x____",
                                                         "van_der_Berg__Mary_Ann"}));
    EXPECT_TRUE(tmp.exists("gpl/Players/______x____/Player.ini"));
    EXPECT_FALSE(std::filesystem::exists(tmp.file("x")));
    EXPECT_FALSE(tmp.exists("gpl/x"));
}

TEST_F(GplWriteBackTest, ARenameOntoAnotherPlayersFolderIsRefused) {
    const std::string other = ReadGpl("Players/D_Arcy__Jean_Luc/Player.ini");
    {
        clsGPL gpl(ui);
        UserEdits();
        gpl.SetPlayerValue("Driver__Sam", "Personal Information", "firstName", "Jean-Luc");
        gpl.SetPlayerValue("Driver__Sam", "Personal Information", "lastName", "D'Arcy");
    }
    EXPECT_EQ(PlayerFolders(), (std::vector<std::string>{"D_Arcy__Jean_Luc", "Driver__Sam",
                                                         "van_der_Berg__Mary_Ann"}));
    EXPECT_EQ(ReadGpl("Players/D_Arcy__Jean_Luc/Player.ini"), other);
    const std::string sam = ReadGpl("Players/Driver__Sam/Player.ini");
    EXPECT_NE(sam.find("lastName = D'Arcy"), std::string::npos) << sam;
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("D_Arcy__Jean_Luc already exists"), std::string::npos)
        << ui.messages[0].text;
    EXPECT_EQ(ReadGpl("App.ini").find("D_Arcy"), std::string::npos);
}

// A player without Player.ini (or without a name in it) gets the file at close when anything of
// theirs is stored there; a name with nothing of its own must not turn the folder into "__".
TEST_F(GplWriteBackTest, ANameWithoutCharactersOfItsOwnKeepsTheFolder) {
    std::filesystem::create_directories(GplFile("Players/Newcomer"));
    WriteGpl("Players\\Blank\\Player.ini",
             IniText({"[ Personal Information ]", "firstName = ", "lastName = "}));
    WriteGpl("Players\\Dashes\\Player.ini",
             IniText({"[ Personal Information ]", "firstName = -", "lastName = ' '"}));
    const std::string app = ReadGpl("App.ini");
    {
        clsGPL gpl(ui);
        UserEdits();
        for (const char* player : {"Newcomer", "Blank", "Dashes"})
            gpl.SetPlayerValue(player, "Driver Rating", "F1", "5");
    }
    EXPECT_EQ(PlayerFolders(),
              (std::vector<std::string>{"Blank", "D_Arcy__Jean_Luc", "Dashes", "Driver__Sam",
                                        "Newcomer", "van_der_Berg__Mary_Ann"}));
    EXPECT_TRUE(tmp.exists("gpl/Players/Newcomer/Player.ini"));
    EXPECT_EQ(ReadGpl("App.ini"), app);
    EXPECT_TRUE(ui.messages.empty());
}

// A name that differs only in case keeps its folder; a Player.ini outside Players\ is no
// player's file and moves nothing.
TEST_F(GplWriteBackTest, ANameThatDiffersOnlyInCaseOrAPlayerIniElsewhereKeepsTheFolders) {
    WriteGpl("Tracks\\monza\\Player.ini",
             IniText({"[ Personal Information ]", "firstName = A", "lastName = B"}));
    {
        clsGPL gpl(ui);
        gpl.ReadIniFile(Gpl() + "Tracks\\monza\\Player.ini");
        UserEdits();
        gpl.SetPlayerValue("Driver__Sam", "Personal Information", "lastName", "DRIVER");
        gpl.SetIniValue("Tracks\\monza\\Player.ini", "Personal Information", "firstName", "C");
    }
    EXPECT_TRUE(tmp.exists("gpl/Tracks/monza/Player.ini"));
    EXPECT_EQ(PlayerFolders(), (std::vector<std::string>{"D_Arcy__Jean_Luc", "Driver__Sam",
                                                         "van_der_Berg__Mary_Ann"}));
}

}  // namespace
}  // namespace zam
