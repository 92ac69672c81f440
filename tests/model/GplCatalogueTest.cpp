// The catalogues of players, tracks, cars and classes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "GplTestSupport.h"
#include "zam/model/Catalogues.h"
#include "zam/model/clsGPL.h"

namespace zam {
namespace {

using test::GplTest;
using test::IniText;

TEST_F(GplTest, ClassTableAndLookUpsAreCaseSensitive) {
    // The class table needs no installation; a model that failed to start still has it.
    tmp.write("prog/ZAM.Ini", IniText({"[Paths]", "GPL=" + Gpl()}));
    clsGPL gpl(ui);
    ASSERT_TRUE(gpl.Exiting());
    ASSERT_EQ(gpl.NoOfClasses(), 10);
    const char* codes[] = {"F3", "F2", "F1", "FG", "FD", "FV", "FJ", "FL3", "FL2", "FL1"};
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(gpl.ClassID(n), codes[n - 1]);
        EXPECT_EQ(gpl.ClassNo(codes[n - 1]), n);
        EXPECT_EQ(gpl.ClassDescription(n).rfind(std::string(codes[n - 1]) + " - ", 0), 0u);
    }
    EXPECT_EQ(gpl.ClassDescription(7), "FJ - F2/85BHP");
    EXPECT_EQ(gpl.ClassDescription(10), "FL1 - F1/Custom");
    EXPECT_EQ(gpl.ClassNo("fl1"), 0);
    EXPECT_EQ(gpl.ClassNo(""), 0);
    EXPECT_THROW(gpl.ClassID(0), std::out_of_range);
    EXPECT_THROW(gpl.ClassDescription(11), std::out_of_range);
}

TEST(GplClasses, BaseClassesAndSetupExtensionsJoinTeamCodeAndBaseClassDigit) {
    const std::pair<const char*, const char*> table[] = {
        {"F1", "F1"}, {"FD", "F1"},  {"FL1", "F1"}, {"FG", "F1"}, {"F2", "F2"},
        {"FV", "F2"}, {"FL2", "F2"}, {"FJ", "F2"},  {"F3", "F3"}, {"FL3", "F3"},
        {"fl1", ""},  {"f1", ""},    {"", ""},      {"F4", ""},   {"FL1 ", ""},
    };
    for (const auto& [code, base] : table) EXPECT_EQ(clsGPL::BaseClass(code), base) << code;
    EXPECT_EQ(SetupExtension("lotus", "FD"), "lo1");
    EXPECT_EQ(SetupExtension("murasama", "FJ"), "mu2");
    EXPECT_EQ(SetupExtension("coventry", "FL3"), "co3");
    EXPECT_EQ(SetupExtension("lotus", "fd"), "");
    EXPECT_EQ(SetupExtension("honda", "F1"), "");
    for (auto folder : kCarFolders) EXPECT_EQ(TeamSetupCode(folder).size(), 2u) << folder;
}

TEST(GplPlayerFolderName, JoinsLastAndFirstNameReplacingPunctuationAndNeverLeavesPlayers) {
    EXPECT_EQ(clsGPL::BuildPlayerDirectoryName("A-B", "C D.E'F"), "C_D_E_F__A_B");
    EXPECT_EQ(clsGPL::BuildPlayerDirectoryName("A-B", "C.D'E"), "C_D_E__A_B");
    EXPECT_EQ(clsGPL::BuildPlayerDirectoryName("Jo", "X'Y"), "X_Y__Jo");
    EXPECT_EQ(clsGPL::BuildPlayerDirectoryName("Jim", "Clark"), "Clark__Jim");
    EXPECT_EQ(clsGPL::BuildPlayerDirectoryName("", ""), "__");
    EXPECT_EQ(clsGPL::BuildPlayerDirectoryName("J\xE9r\xF4me", "\xC9mile"),
              "\xC9mile__J\xE9r\xF4me");
    // Hostile names never leave Players nor split into folders (more in HostileNames).
    EXPECT_EQ(clsGPL::BuildPlayerDirectoryName("x", "..\\x"), "___x__x");
}

TEST(GplWholeNumber, ReadsTheLeadingNumber) {
    EXPECT_EQ(WholeNumber("12"), 12);
    EXPECT_EQ(WholeNumber(" 7 events"), 7);
    EXPECT_EQ(WholeNumber("-3"), -3);
    EXPECT_EQ(WholeNumber("eleven"), 0);
    EXPECT_EQ(WholeNumber(""), 0);
    EXPECT_EQ(WholeNumber("99999999999999"), 2147483647);
}

class GplCatalogueTest : public GplTest {
protected:
    GplCatalogueTest() { MakeDemo(); }
};

TEST_F(GplCatalogueTest, PlayersAreTheExtensionlessNamesInPlayersWithF1AsTheirDefaultClassIfAny) {
    std::filesystem::create_directories(GplFile("Players/Empty__Folder"));
    std::filesystem::create_directories(GplFile("Players/.hidden"));
    WriteGpl("Players\\readme.txt", "not a player");
    WriteGpl("Players\\NOTES", "an extensionless file is listed too");
    {
        clsGPL gpl(ui);
        ASSERT_FALSE(gpl.Exiting());
        ASSERT_EQ(gpl.NoOfPlayers(), tools::kDemoPlayers + 2);
        std::vector<std::string> ids;
        for (int n = 1; n <= gpl.NoOfPlayers(); ++n) {
            ids.push_back(gpl.PlayerID(n));
            EXPECT_EQ(gpl.PlayerNo(ids.back()), n);
        }
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(ids, (std::vector<std::string>{"D_Arcy__Jean_Luc", "Driver__Sam", "Empty__Folder",
                                                 "NOTES", "van_der_Berg__Mary_Ann"}));
        EXPECT_EQ(gpl.PlayerNo("driver__sam"), 0);
        EXPECT_EQ(gpl.PlayerNo("Nobody"), 0);
        EXPECT_THROW(gpl.PlayerID(0), std::out_of_range);
        EXPECT_THROW(gpl.PlayerID(gpl.NoOfPlayers() + 1), std::out_of_range);
        EXPECT_EQ(gpl.PlayerData("D_Arcy__Jean_Luc", "Personal Information", "firstName"),
                  "Jean-Luc");
        // The class is F1 unless the player's own file says otherwise.
        EXPECT_EQ(gpl.IniValue("Players\\Empty__Folder\\PZAM.Ini", "ZAM", "carClass"), "F1");
        EXPECT_EQ(gpl.IniValue("Players\\D_Arcy__Jean_Luc\\PZAM.Ini", "ZAM", "carClass"), "FL1");
        EXPECT_EQ(gpl.IniValue("Players\\van_der_Berg__Mary_Ann\\PZAM.ini", "zam", "CARCLASS"),
                  "F2");
    }
    // The F1 put in place of a missing value is not the user's: it is never written.
    EXPECT_FALSE(tmp.exists("gpl/Players/Empty__Folder/PZAM.Ini"));
    // No Players folder gives an empty list.
    std::filesystem::remove_all(GplFile("Players"));
    clsGPL gpl(ui);
    EXPECT_EQ(gpl.NoOfPlayers(), 0);
    EXPECT_EQ(gpl.PlayerNo(""), 0);
    gpl.UnloadWithoutSaving();
}

TEST_F(GplCatalogueTest, CarsAreTheSevenTeamsWithBuiltInDataThatStaysInMemoryAndIsNeverWritten) {
    WriteGpl("Cars\\Cars67\\lotus\\Car.ini", IniText({"[ Team ]", "Name = Not Read"}));
    {
        clsGPL gpl(ui);
        ASSERT_EQ(gpl.NoOfCars(), 6);
        const char* folders[] = {"brabham", "brm",   "coventry", "eagle",
                                 "ferrari", "lotus", "murasama"};
        for (int n = 0; n <= 6; ++n) {
            EXPECT_EQ(gpl.CarID(n), folders[n]);
            EXPECT_EQ(gpl.CarNo(folders[n]), n);
            EXPECT_FALSE(gpl.CarData(folders[n], "Team", "Owner").empty()) << folders[n];
        }
        EXPECT_EQ(gpl.CarNo("Lotus"), 0);
        EXPECT_EQ(gpl.CarNo("honda"), 0);
        EXPECT_THROW(gpl.CarID(7), std::out_of_range);
        EXPECT_THROW(gpl.CarID(-1), std::out_of_range);
        EXPECT_EQ(gpl.CarData("lotus", "Team", "Name"), "Team Lotus");
        EXPECT_EQ(gpl.CarData("coventry", "Car", "Engine"), "Maserati V12");
        EXPECT_EQ(gpl.CarData("murasama", "Team", "Country"), "Japan");
        EXPECT_EQ(gpl.CarData("eagle", "Car", "Name"), "Eagle");
        // A value set by the user counts like any other.
        Initialising = false;
        gpl.SetCarValue("brm", "Team", "Name", "Owen Racing");
        EXPECT_EQ(gpl.CarData("brm", "Team", "Name"), "Owen Racing");
        gpl.UnloadWithoutSaving();
    }
    EXPECT_EQ(ReadGpl("Cars/Cars67/lotus/Car.ini"), IniText({"[ Team ]", "Name = Not Read"}));
    // Built-in car data is never written, even by a caller that is not initialising.
    // A folder the write-back could put the file in, and a caller that is not initialising: a
    // value it set would count as the user's and be written back.
    std::filesystem::create_directories(GplFile("Cars/Cars67/brm"));
    Initialising = false;
    { clsGPL gpl(ui); }
    EXPECT_TRUE(std::filesystem::is_empty(GplFile("Cars/Cars67/brm")));
}

TEST_F(GplCatalogueTest, TracksAreTheEventsOfTheSeason) {
    clsGPL gpl(ui);
    EXPECT_EQ(gpl.NoOfTracks(), tools::kDemoSeasonTracks);
    EXPECT_EQ(gpl.TrackID(1), "South African Grand Prix");
    EXPECT_EQ(gpl.TrackID(2), "Monaco Grand Prix");
    EXPECT_EQ(gpl.TrackID(tools::kDemoSeasonTracks + 1), "");
    gpl.SetTrackValue("monza", "Track", "laps", "50");
    EXPECT_EQ(gpl.TrackData("monza", "Track", "laps"), "50");
    gpl.SetIniValue("Seasons\\67Season.Ini", "Season", "NumEvents", "many");
    EXPECT_EQ(gpl.NoOfTracks(), 0);
    gpl.UnloadWithoutSaving();
}

}  // namespace
}  // namespace zam
