// Names that come from files or from the user never lead out of their folder, and an executable
// that carries the marker texts around nonsense tables is refused without a byte written.
#include <gmock/gmock.h>

#include <filesystem>

#include "FaultSweep.h"
#include "GplTestSupport.h"
#include "zam/model/Catalogues.h"
#include "zam/model/clsEngines.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Text.h"

namespace zam {
namespace {

namespace stdfs = std::filesystem;

const std::vector<std::string> kHostileNames = {
    "..", ".", "../..", "..\\..\\prog", "C:\\Windows", "C:", "\\\\server\\share", "/etc/passwd",
    "a/b", "a\\b", "x:y", std::string("nul\0byte", 8), "\x01\x1f", "*?\"<>|", "", " .. ",
    "x", "..\\x", "c\\d", "\t\r\n", "\x01\x7F",
};

TEST(HostileNames, APlayerFolderNameIsAlwaysOneFolderBelowPlayers) {
    for (const auto& first : kHostileNames) {
        for (const auto& last : kHostileNames) {
            const std::string name = BuildPlayerDirectoryName(first, last);
            SCOPED_TRACE("first \"" + first + "\", last \"" + last + "\" -> " + name);
            EXPECT_EQ(name.find_first_of("\\/:*?\"<>|.\t\r\n\x01\x7F"), std::string::npos);
            EXPECT_NE(name, ".");
            EXPECT_NE(name, "..");
            EXPECT_FALSE(name.empty());
            const auto parts = platform::SplitLogicalPath("C:\\GPL\\Players\\" + name);
            ASSERT_EQ(parts.components.size(), 3u);
            EXPECT_EQ(parts.components.back(), name);
        }
    }
}

class HostileGplTest : public test::GplTest {
protected:
    HostileGplTest() { MakeDemo(); }
    // Track, player and setup-index files that do not stand where such files belong: one folder
    // below Tracks\ or Players\, or one track folder below a player's Setups\.
    std::vector<std::string> MisplacedFiles() const {
        std::vector<std::string> misplaced;
        for (const auto& name : test::FilesBelow(tmp.path())) {
            const auto parts = platform::SplitLogicalPath(name);
            const auto& c = parts.components;
            const std::string file = platform::UpperCase(c.back());
            bool ok = true;
            if (file == "TRACK.INI") ok = c.size() == 4 && c[0] == "gpl" && c[1] == "Tracks";
            if (file == "PLAYER.INI") ok = c.size() == 4 && c[0] == "gpl" && c[1] == "Players";
            if (file == "SETUPS.DEF")
                ok = c.size() == 6 && c[0] == "gpl" && c[1] == "Players" && c[3] == "Setups";
            if (!ok) misplaced.push_back(name);
        }
        return misplaced;
    }
};

TEST_F(HostileGplTest, TrackAndPlayerIdsWithDotsOrSeparatorsWriteNothingOutsideTheirFolders) {
    {
        clsGPL gpl(ui);
        ASSERT_FALSE(gpl.Exiting());
        Initialising = false;
        for (const std::string id : {"..\\..\\prog", "..\\..\\..\\prog", "..", "C:\\x"}) {
            gpl.SetTrackValue(id, "Escape", "track", "1");
            gpl.SetPlayerValue(id, "Escape", "player", "1");
            gpl.ReadSetupsDef("monza", id);
            gpl.ReadSetupsDef(id, "Driver__Sam");
            EXPECT_FALSE(gpl.WriteSetupsDef("monza", id));
            EXPECT_FALSE(gpl.WriteSetupsDef(id, "Driver__Sam"));
        }
    }
    EXPECT_THAT(MisplacedFiles(), ::testing::IsEmpty());
    EXPECT_FALSE(tmp.exists("prog/Track.ini"));
    EXPECT_FALSE(tmp.exists("prog/Player.ini"));
    EXPECT_FALSE(tmp.exists("Track.ini"));
}

TEST_F(HostileGplTest, MarkersAroundNonsenseTablesAreRefusedWithoutAWrite) {
    std::string exe = ReadGpl("GPL.EXE");
    // Every byte before "Repco" and between it and "hit_hard" becomes 0xFF, and the file ends
    // right after the key marker.
    const std::size_t repco = tools::kDemoEngineMarkerOffset;
    const std::size_t hitHard = tools::kDemoKeyMarkerOffset;
    ASSERT_EQ(exe.substr(repco, 5), "Repco");
    ASSERT_EQ(exe.substr(hitHard, 8), "hit_hard");
    for (std::size_t i = repco - 200; i < repco; ++i) exe[i] = '\xff';
    for (std::size_t i = hitHard - 100; i < hitHard; ++i) exe[i] = '\xff';
    exe.resize(hitHard + 8);
    WriteGpl("GPL.EXE", exe);
    {
        clsEngines engines(ui, Gpl() + "GPL.EXE");
        EXPECT_TRUE(engines.Status());
        EXPECT_FALSE(engines.KeyTableValid());
        engines.SetAllEngines(4);
        EXPECT_FALSE(engines.WriteExeEngines());
    }
    EXPECT_EQ(ReadGpl("GPL.EXE"), exe);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages[0].title, kExeErrorTitle);
    EXPECT_THAT(ui.messages[0].text, ::testing::HasSubstr("Inconsistency"));
    EXPECT_FALSE(tmp.exists("gpl/GPL.EXE.zamnew"));
}

}  // namespace
}  // namespace zam
