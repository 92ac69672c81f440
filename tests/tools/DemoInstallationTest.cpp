#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <stdexcept>
#include <string>

#include "CommandRun.h"
#include "FakeUi.h"
#include "TempDir.h"
#include "TestText.h"
#include "zam/model/clsEngines.h"
#include "zam/model/clsGPL.h"
#include "zam/store/Common.h"
#include "zam/tools/DemoInstallation.h"

namespace {

namespace fs = std::filesystem;
using zam::test::ReadNative;
using zam::test::TempDir;
using zam::tools::DemoOptions;
using zam::tools::MakeDemoInstallation;

// The four bytes of a 4-byte slot as hex digits in file order.
std::string Slot(const std::string& exe, std::uint64_t offset) {
    return zam::test::Hex(exe.substr(offset, 4));
}

// An INI value found by a plain line scan (independent of the store).
std::string IniLine(const std::string& text, const std::string& section, const std::string& key) {
    std::smatch m;
    const std::regex sectionRe("\\[" + section + "\\]\r\n((?:[^\\[][^\r\n]*\r\n|\r\n)*)");
    if (!std::regex_search(text, m, sectionRe)) return "<no section>";
    const std::string body = m[1];
    const std::regex keyRe("(^|\n)" + key + "=([^\r\n]*)\r\n");
    if (!std::regex_search(body, m, keyRe)) return "<no key>";
    return m[2];
}

zam::test::CommandRun MakeDemo(const std::vector<std::string>& args) {
    return zam::test::RunCommand(zam::tools::DemoCommands(), "make-demo", args);
}

class DemoInstallationTest : public ::testing::Test {
protected:
    fs::path Make(const DemoOptions& options = {}) {
        const fs::path dir = temp.path() / "GPL";
        MakeDemoInstallation(dir, options);
        return dir;
    }
    TempDir temp;
};

TEST_F(DemoInstallationTest, HoldsTheFilesOfAnInstallationInTheirUsualSpellingEndingInCrLf) {
    const fs::path dir = Make();
    for (const char* name :
         {"GPL.EXE", "core.ini", "App.ini", "gpl_ai.ini", "Server.Ini.Sample", "Glide.ini",
          "Glide2x.dll", "rastd3d7.dll", "rastOGL.dll", "softdll.dll", "Seasons/67Season.Ini",
          "GPL0001.PBF", "GPL0002.PBF", "Tracks/kyalami/Track.ini", "Tracks/kyalami/record.ini",
          "Tracks/monaco/TZAM.Ini", "Players/Driver__Sam/Player.ini",
          "Players/Driver__Sam/PZAM.Ini", "Players/D_Arcy__Jean_Luc/Player.ini",
          "Players/van_der_Berg__Mary_Ann/Setups/kyalami/Setups.def",
          "Players/Driver__Sam/Setups/kyalami/Demo Fast.lo1"}) {
        EXPECT_TRUE(fs::is_regular_file(dir / name)) << name;
    }
    EXPECT_TRUE(fs::is_directory(dir / "Exports"));
    EXPECT_TRUE(fs::is_empty(dir / "Exports"));
    // Not every rasteriser: the graphics tab must cope with a partial set.
    EXPECT_FALSE(fs::exists(dir / "rast3dfx.dll"));
    EXPECT_FALSE(fs::exists(dir / "renddll.dll"));
    int sets = 0;
    for (const auto& e : fs::directory_iterator(dir / "Layout" / "BackSets"))
        sets += e.is_directory() ? 1 : 0;
    EXPECT_EQ(sets, 2);
#ifndef _WIN32  // without a simulated run the executable is not one
    EXPECT_EQ(fs::status(dir / "GPL.EXE").permissions() & fs::perms::owner_exec, fs::perms::none);
#endif
    // Every line of every INI file ends in CR LF.
    int files = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        const std::string ext = e.path().extension().string();
        if (ext != ".ini" && ext != ".Ini" && ext != ".Sample") continue;
        ++files;
        const std::string text = ReadNative(e.path());
        ASSERT_FALSE(text.empty()) << e.path();
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << e.path();
        for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
            ASSERT_EQ(text[i - 1], '\r') << e.path() << " at " << i;
    }
    EXPECT_GT(files, 20);
}

TEST_F(DemoInstallationTest, ExecutableCarriesTheEngineTablesWhereTheProgramsOwnSearchFindsThem) {
    const std::string exe = ReadNative(Make() / "GPL.EXE");
    ASSERT_GE(exe.size(), 1'500'000u);
    EXPECT_EQ(exe.substr(0, 2), "MZ");
    EXPECT_NE(exe.find("not a simulator"), std::string::npos);

    // Found from position 1335000 (offset 1334999), and nowhere earlier.
    const auto r = exe.find("Repco", 1334999);
    ASSERT_EQ(r, zam::tools::kDemoEngineMarkerOffset);
    EXPECT_EQ(exe.find("Repco"), r);
    const auto h = exe.find("hit_hard", 1411999);
    ASSERT_EQ(h, zam::tools::kDemoKeyMarkerOffset);
    EXPECT_EQ(exe.find("hit_hard"), h);

    const std::uint64_t first = r - 80, second = r - 40;
    for (int slot = 0; slot < 10; ++slot) {
        EXPECT_EQ(Slot(exe, first + 4 * slot), zam::test::kFirstEngineTable[slot]) << "slot " << slot;
        EXPECT_EQ(Slot(exe, second + 4 * slot), zam::test::kSecondEngineTable[slot]) << "slot " << slot;
    }
    // The crossing: slot 5 holds Honda's engine and slot 6 Lotus' Ford.
    EXPECT_EQ(Slot(exe, first + 20), "2C8B5400");
    EXPECT_EQ(Slot(exe, first + 24), "348B5400");
    EXPECT_EQ(exe.substr(h - 36, 28), std::string("bra\0brm\0cov\0eag\0fer\0mur\0lot\0", 28));
    // The front end's own search finds the markers: the executable passes the check of a chosen
    // simulator file, and the engine tables are where the engine swap looks.
    for (bool script : {false, true}) {
        DemoOptions options;
        if (script) options.simSeconds = 1;
        const fs::path dir = temp.path() / (script ? "script" : "plain");
        MakeDemoInstallation(dir, options);
        const std::string path = (dir / "GPL.EXE").string();
        zam::test::FakeUi ui;
        EXPECT_EQ(zam::FindString(ui, path, 1412000, "hit_hard"),
                  static_cast<std::int64_t>(zam::tools::kDemoKeyMarkerOffset));
        EXPECT_EQ(zam::FindString(ui, path, 1335000, "Repco"),
                  static_cast<std::int64_t>(zam::tools::kDemoEngineMarkerOffset));
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST_F(DemoInstallationTest, SimulatedExecutableIsAScriptThatLeavesAScreenshotAndEnds) {
    DemoOptions options;
    options.simSeconds = 0;
    const fs::path dir = Make(options);
    const fs::path exePath = dir / "GPL.EXE";
    const std::string exe = ReadNative(exePath);
    ASSERT_EQ(exe.rfind("#!/bin/sh\n", 0), 0u);
    const auto exit = exe.find("\nexit 0\n");
    ASSERT_NE(exit, std::string::npos);
    EXPECT_LT(exit, 4096u);
    EXPECT_EQ(exe.find('\0'), zam::tools::kDemoEngineMarkerOffset - 80);  // binary part after it
    EXPECT_EQ(exe.find("Repco", 1334999), zam::tools::kDemoEngineMarkerOffset);
    EXPECT_EQ(exe.find("hit_hard"), zam::tools::kDemoKeyMarkerOffset);
#ifndef _WIN32  // the stand-in is a POSIX shell script; Windows has no execute bit to check
    EXPECT_NE(fs::status(exePath).permissions() & fs::perms::owner_exec, fs::perms::none);

    // Run from another folder: the screenshot goes beside the script, under a new name.
    const zam::test::ScopedCurrentDir cwd(temp.path());
    ASSERT_EQ(std::system(("'" + exePath.string() + "' >/dev/null 2>&1").c_str()), 0);
    EXPECT_TRUE(fs::exists(dir / "GPL1.PBF"));
    EXPECT_EQ(ReadNative(dir / "GPL0001.PBF").find("screenshot 1"), 13u);
    ASSERT_EQ(std::system(("'" + exePath.string() + "' >/dev/null 2>&1").c_str()), 0);
    EXPECT_TRUE(fs::exists(dir / "GPL2.PBF"));
#endif
}

TEST_F(DemoInstallationTest, SeasonListsTheElevenEventsAndPlayersHaveTheirFilesAndSetupIndexes) {
    const fs::path dir = Make();
    const std::string season = ReadNative(dir / "Seasons" / "67Season.Ini");
    EXPECT_EQ(season.rfind("[Season]\r\n", 0), 0u);
    EXPECT_EQ(IniLine(season, "Season", "numEvents"), "11");
    EXPECT_EQ(IniLine(season, "Season", "year"), "1967");
    const char* dirs[] = {"kyalami", "monaco",  "zandvoort", "spa",     "rouen", "silverstone",
                          "nurburgring", "monza", "mosport", "watglen", "mexico"};
    for (int n = 1; n <= 11; ++n) {
        const std::string section = "Event" + std::to_string(n);
        EXPECT_EQ(IniLine(season, section, "trackDirectory"), dirs[n - 1]);
        for (const char* key : {"name", "shortName", "month", "day", "numberOfLaps",
                                "startingGrid"})
            EXPECT_NE(IniLine(season, section, key).substr(0, 1), "<") << section << key;
        EXPECT_TRUE(fs::exists(dir / "Tracks" / dirs[n - 1] / "Track.ini"));
    }
    EXPECT_EQ(IniLine(season, "Event7", "shortName"), "N\xFCrburgring");
    EXPECT_EQ(season.find("[Event12]"), std::string::npos);
    // Two more installed tracks that are not in the season.
    int folders = 0;
    for (const auto& e : fs::directory_iterator(dir / "Tracks")) {
        ++folders;
        EXPECT_TRUE(fs::exists(e.path() / "record.ini")) << e.path();
    }
    EXPECT_EQ(folders, 13);
    const std::string record = ReadNative(dir / "Tracks" / "monza" / "record.ini");
    EXPECT_NE(IniLine(record, "Lap Record", "time").substr(0, 1), "<");
    // Players are named by their folder rule and have the front end's files.
    const std::string player = ReadNative(dir / "Players" / "D_Arcy__Jean_Luc" / "Player.ini");
    EXPECT_EQ(IniLine(player, "Personal Information", "firstName"), "Jean-Luc");
    EXPECT_EQ(IniLine(player, "Personal Information", "lastName"), "D'Arcy");
    const std::string pzam = ReadNative(dir / "Players" / "D_Arcy__Jean_Luc" / "PZAM.Ini");
    EXPECT_EQ(IniLine(pzam, "ZAM", "carClass"), "FL1");
    EXPECT_EQ(IniLine(pzam, "Engine", "sampleRPM"), "5200");
    const std::string app = ReadNative(dir / "App.ini");
    EXPECT_EQ(IniLine(app, "Player", "lastPlayer"), "Driver__Sam");
    EXPECT_EQ(IniLine(app, "Graphics", "lastRasterizerDLL"), "rastd3d7.dll");

    // The setup index is the binary format and names existing files.
    const fs::path folder = dir / "Players" / "Driver__Sam" / "Setups" / "monaco";
    const std::string def = ReadNative(folder / "Setups.def");
    ASSERT_EQ(def.size(), 14404u);
    EXPECT_EQ(def.substr(0, 10), std::string("PLSD\x01\x00\x00\x00" "88", 10));
    EXPECT_EQ(def.substr(10, 259), std::string(259, '\0'));
    auto slot = [&def](std::size_t n) {
        std::string s = def.substr(269 + 257 * n, 257);
        return s.substr(0, s.find('\0'));
    };
    // Race: lotus is car 5, four slots per car; F1 is the third class slot.
    EXPECT_EQ(slot(5 * 4 + 2), "Qualify.lo1");
    EXPECT_EQ(slot(28 + 5 * 4 + 2), "Demo Fast.lo1");
    EXPECT_EQ(slot(0), "Base.bb3");
    for (std::size_t car = 0; car < 7; ++car) EXPECT_EQ(slot(car * 4 + 3), "") << car;
    for (std::size_t n = 0; n < 55; ++n) {
        const std::string name = slot(n);
        if (!name.empty()) {
            EXPECT_TRUE(fs::exists(folder / name)) << name;
        }
    }
}

TEST_F(DemoInstallationTest, LargeInstallationFillsTheSeasonToItsLimit) {
    DemoOptions options;
    options.tracks = 70;
    options.players = 5;
    const fs::path dir = Make(options);
    const std::string season = ReadNative(dir / "Seasons" / "67Season.Ini");
    EXPECT_EQ(IniLine(season, "Season", "numEvents"), "64");
    EXPECT_NE(season.find("[Event64]"), std::string::npos);
    EXPECT_EQ(season.find("[Event65]"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "Tracks"), fs::directory_iterator()), 70);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "Players"), fs::directory_iterator()), 5);
    EXPECT_TRUE(fs::exists(dir / "Players" / "Driver0005__Test" / "Player.ini"));
}

// Neither the library nor the command ever writes into a folder that holds files.
TEST_F(DemoInstallationTest, RefusesAFolderThatHoldsAnythingAndBadOptions) {
    temp.write("GPL/core.ini", "[mine]\r\nkeep=1\r\n");
    EXPECT_THROW(MakeDemoInstallation(temp.path() / "GPL", {}), std::runtime_error);
    EXPECT_EQ(temp.read("GPL/core.ini"), "[mine]\r\nkeep=1\r\n");
    EXPECT_FALSE(temp.exists("GPL/GPL.EXE"));
    temp.write("mine/Player.ini", "precious");
    const auto r = MakeDemo({(temp.path() / "mine").string()});
    EXPECT_EQ(r.code, zam::tools::kExitFailure);
    EXPECT_NE(r.err.find("not empty"), std::string::npos);
    EXPECT_EQ(temp.read("mine/Player.ini"), "precious");
    EXPECT_FALSE(temp.exists("mine/GPL.EXE"));
    // Bad options are rejected before anything is written.
    DemoOptions options;
    options.version = "1.3";
    EXPECT_THROW(MakeDemoInstallation(temp.path() / "a", options), std::invalid_argument);
    options = {};
    options.tracks = -1;
    EXPECT_THROW(MakeDemoInstallation(temp.path() / "a", options), std::invalid_argument);
    EXPECT_FALSE(fs::exists(temp.path() / "a"));
}

TEST_F(DemoInstallationTest, MakeDemoWritesTheRequestedInstallationAndVersionOrGivesTheUsage) {
    const fs::path dir = temp.path() / "demo";
    const auto r = MakeDemo({dir.string(), "--tracks", "20", "--players", "4", "--version", "1.2.2",
                             "--sim-seconds", "3"});
    ASSERT_EQ(r.code, zam::tools::kExitOk) << r.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "Tracks"), fs::directory_iterator()), 20);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "Players"), fs::directory_iterator()), 4);
    const std::string exe = ReadNative(dir / "GPL.EXE");
    EXPECT_NE(exe.find("\nsleep 3\n"), std::string::npos);
    EXPECT_EQ(exe.find(std::string("\x00\x7B\x54\x00", 4)), 1'340'000u - 80);
    // Version 1.2.2 has 7 as the third digit of every value.
    const std::uint64_t first = zam::tools::kDemoEngineMarkerOffset - 80;
    EXPECT_EQ(Slot(exe, first), "007B5400");
    EXPECT_EQ(Slot(exe, first + 24), "347B5400");
    EXPECT_EQ(Slot(exe, first + 40), "A0765400");
    EXPECT_EQ(Slot(exe, first + 40 + 36), "487A5400");

    const std::string bad = (temp.path() / "d").string();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {bad, "--tracks"}, {bad, "--tracks", "x"},
          {bad, "--players", "-1"}, {bad, "--version", "2.0"}, {bad, "--colour", "red"},
          {bad, bad + "2"}}) {
        const auto usage = MakeDemo(args);
        EXPECT_EQ(usage.code, zam::tools::kExitUsage) << args.size();
        EXPECT_NE(usage.err.find("usage: zamini make-demo"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(bad));
}

// The installation model and the engine swap open a generated demo the way the front end does.
TEST_F(DemoInstallationTest, TheModelLoadsItAsACompleteInstallation) {
    Make();
    temp.write("prog/ZAM.ini", "[Paths]\r\nGPL=" + temp.logical() + "GPL/\r\nExeName=GPL.EXE\r\n");
    const zam::test::ScopedCurrentDir cwd(temp.path() / "prog");
    zam::test::FakeUi ui;

    zam::clsGPL gpl(ui);
    gpl.UnloadWithoutSaving();
    ASSERT_FALSE(gpl.Exiting());
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;

    EXPECT_EQ(gpl.NoOfPlayers(), 3);
    EXPECT_NE(gpl.PlayerNo("D_Arcy__Jean_Luc"), 0);
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
