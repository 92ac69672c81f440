// Start-up of the installation model: finding the simulator, the Core.ini fall-backs, the index
// size, and that a failed start-up writes nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "FolderEntries.h"
#include "GplTestSupport.h"
#include "ScopedEnv.h"
#include "zam/model/clsGPL.h"

namespace zam {
namespace {

using test::GplTest;
using test::IniText;
using Texts = std::vector<std::string>;

constexpr const char* kCopyingSample =
    "No CORE.INI found in GPL Directory - Copying CORE.INI.SAMPLE";
constexpr const char* kMinimalCore =
    "No CORE.INI in GPL Directory and CORE.INI.SAMPLE not found.  CORE.INI will be created with "
    "minimal parameters";

TEST_F(GplTest, AMissingCoreIniIsMadeOfTheDefaultsOrCopiedFromItsSampleAndValuesAreKept) {
    MakeDemo();
    RemoveGpl("core.ini");
    {
        clsGPL gpl(ui);
        EXPECT_EQ(ui.MessageTexts(), (Texts{kMinimalCore}));
        EXPECT_FALSE(tmp.exists("gpl/Core.Ini"));
        EXPECT_EQ(gpl.IniValue("Core.Ini", "Int Profile Values", "Value13"),
                  "Direct3D7:LODBias:-50");
        EXPECT_EQ(gpl.IniValue("Core.Ini", "Hack", "steer_ratio"), "1");
    }
    const std::string core = ReadGpl("Core.Ini");
    EXPECT_NE(core.find("AnisotropicFiltering = 8"), std::string::npos) << core;
    EXPECT_NE(core.find("ReplayMemoryOverride = 10000"), std::string::npos) << core;
    // With a sample, the missing file is a copy of it.
    RemoveGpl("Core.Ini");  // made by the start-up above
    ui.messages.clear();
    const std::string sample = IniText({"[ Joy ]", "max_steering_torque = 99"});
    WriteGpl("Core.Ini.Sample", sample);
    {
        clsGPL gpl(ui);
        EXPECT_FALSE(gpl.Exiting());
        EXPECT_EQ(ui.MessageTexts(), (Texts{kCopyingSample}));
        EXPECT_EQ(ReadGpl("Core.Ini"), sample);
        EXPECT_EQ(gpl.IniValue("Core.ini", "Joy", "max_steering_torque"), "99");
        EXPECT_EQ(gpl.IniValue("Core.ini", "Joy", "force_feedback_latency"), "0.125");
    }
    // The sample itself is never touched.
    EXPECT_EQ(ReadGpl("Core.Ini.Sample"), sample);
    // The defaults never replace a value but fill empty ones.
    RemoveGpl("Core.Ini");
    ui.messages.clear();
    WriteGpl("Core.Ini",
             IniText({"[ Joy ]", "max_steering_torque = 200", "[ Direct3D7 ]", "LODBias = "}));
    {
        clsGPL gpl(ui);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(gpl.IniValue("Core.Ini", "Joy", "max_steering_torque"), "200");
        EXPECT_EQ(gpl.IniValue("Core.Ini", "Direct3D7", "LODBias"), "-50");
    }
    const std::string kept = ReadGpl("Core.Ini");
    EXPECT_NE(kept.find("max_steering_torque = 200"), std::string::npos) << kept;
    EXPECT_EQ(kept.find("max_steering_torque = 145"), std::string::npos) << kept;
}

TEST_F(GplTest, AMissingServerIniIsCopiedSilentlyFromItsSampleAndAnExistingOneIsKept) {
    MakeDemo();
    const std::string sample = ReadGpl("Server.Ini.Sample");
    {
        clsGPL gpl(ui);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(ReadGpl("Server.Ini"), sample);
        gpl.UnloadWithoutSaving();
    }
    WriteGpl("Server.Ini", IniText({"[ Server ]", "port = 1"}));
    clsGPL gpl(ui);
    EXPECT_EQ(gpl.IniValue("Server.Ini", "Server", "port"), "1");
    EXPECT_EQ(ReadGpl("Server.Ini"), IniText({"[ Server ]", "port = 1"}));
    gpl.UnloadWithoutSaving();
}

TEST_F(GplTest, ACompleteCoreIniIsNotRewritten) {
    MakeDemo();
    { clsGPL first(ui); }  // adds whatever defaults the file lacks
    auto previousVersions = [this] {
        std::vector<std::filesystem::path> found;
        for (const auto& e : std::filesystem::directory_iterator(tmp.file("gpl")))
            if (e.path().extension() == ".prv") found.push_back(e.path());
        return found;
    };
    for (const auto& p : previousVersions()) std::filesystem::remove(p);
    const std::string core = ReadGpl("core.ini");
    ui.messages.clear();
    { clsGPL second(ui); }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ReadGpl("core.ini"), core);
    EXPECT_TRUE(previousVersions().empty());
}

TEST_F(GplTest, CancellingTheExecutableSearchWritesNothingAndInvalidPicksAreRejected) {
    MakeDemo();
    RemoveGpl("GPL.EXE");
    const std::string zamIni = tmp.read("prog/ZAM.Ini");
    const auto before = test::FolderEntries(tmp.path(), true);
    {
        clsGPL gpl(ui);
        EXPECT_TRUE(gpl.Exiting());
        EXPECT_TRUE(gpl.SkipSave());
        EXPECT_EQ(ui.MessageTexts(), (Texts{"GPL executable not found in " + Gpl() + "\r" +
                                            "Please select a valid GPL executable"}));
        ASSERT_EQ(ui.fileRequests.size(), 1u);
        EXPECT_EQ(ui.fileRequests[0].pattern, "*.Exe");
        EXPECT_EQ(ui.fileRequests[0].title, "Select GPL Executable");
        EXPECT_EQ(ui.fileRequests[0].folder, Gpl());
        EXPECT_FALSE(ui.fileRequests[0].allowNew);
        EXPECT_GE(ui.statusHidden, 1);
        EXPECT_EQ(gpl.NoOfPlayers(), 0);
        EXPECT_EQ(gpl.FileNumber(Gpl() + "Core.Ini"), 0);  // nothing beyond ZAM.Ini loaded
        gpl.SetFullPathIniValue("ZAM.Ini", "Window", "Left", "5");
    }
    EXPECT_EQ(tmp.read("prog/ZAM.Ini"), zamIni);
    EXPECT_EQ(test::FolderEntries(tmp.path(), true), before);
    // Invalid picks are rejected until a valid executable is chosen.
    ui.messages.clear();
    ui.fileRequests.clear();
    RemoveGpl("core.ini");
    const std::string other = tmp.logical() + "other/";
    tmp.write("other/small.exe", "MZ hit_hard");
    tmp.write("other/nomark.exe", std::string(1'500'000, 'x'));
    tmp.write("other/GPL.EXE", tools::DemoExecutable({}));
    ui.fileChoices = {FileChoice{other, "small.exe"}, FileChoice{other, "nomark.exe"},
                      FileChoice{other, "GPL.EXE"}};
    {
        clsGPL gpl(ui);
        EXPECT_FALSE(gpl.Exiting());
        EXPECT_EQ(ui.MessageTexts(), (Texts{"GPL executable not found in " + Gpl() + "\r" +
                                                "Please select a valid GPL executable",
                                            "SMALL.EXE is not a valid GPL Executable\r"
                                            "Please select a valid GPL Executable",
                                            "NOMARK.EXE is not a valid GPL Executable\r"
                                            "Please select a valid GPL Executable",
                                            kMinimalCore}));
        ASSERT_EQ(ui.fileRequests.size(), 3u);
        EXPECT_EQ(ui.fileRequests[1].folder, other);
        EXPECT_EQ(gpl.Directory(), other);
        EXPECT_EQ(gpl.EXEPath(), other + "GPL.EXE");
    }
    clsGPL reread(ui);  // ZAM.Ini now leads straight to the chosen executable
    EXPECT_EQ(reread.FullPathIniValue("ZAM.Ini", "Paths", "GPL"), other);
    EXPECT_EQ(reread.FullPathIniValue("ZAM.Ini", "Paths", "ExeName"), "GPL.EXE");
    EXPECT_EQ(ui.fileRequests.size(), 3u);
    reread.UnloadWithoutSaving();
}

TEST_F(GplTest, AFolderWithoutExeNameOpensTheDialogWithoutAMessage) {
    MakeDemo();
    tmp.write("prog/ZAM.Ini", IniText({"[Paths]", "GPL=" + Gpl()}));
    clsGPL gpl(ui);
    EXPECT_TRUE(gpl.Exiting());
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].folder, Gpl());
}

// With no folder set, the standard installation is looked for; on Linux its drive is the one of
// the Wine prefix, so a simulator in the prefix's drive_c is found from its Windows path.
TEST_F(GplTest, AMissingFolderSettingLooksForTheStandardInstallation) {
#ifdef _WIN32
    GTEST_SKIP() << "C: is the machine's own drive here, not one inside the test's folder";
#else
    tmp.write("prog/ZAM.Ini", "");
    const std::filesystem::path prefix = tmp.file("wine");
    test::ScopedEnv winePrefix("WINEPREFIX", prefix.string());
    std::filesystem::create_directories(prefix / "drive_c");
    std::filesystem::create_directories(prefix / "dosdevices");
    std::filesystem::create_directory_symlink("../drive_c", prefix / "dosdevices/c:");
    {
        clsGPL gpl(ui);
        EXPECT_TRUE(gpl.Exiting());
        EXPECT_EQ(gpl.FullPathIniValue("ZAM.Ini", "Paths", "GPL"), "C:\\Sierra\\GPL\\");
        EXPECT_EQ(gpl.FullPathIniValue("ZAM.Ini", "Paths", "ExeName"), "GPL.Exe");
        EXPECT_EQ(gpl.Directory(), "C:\\Sierra\\GPL\\");
        EXPECT_EQ(ui.MessageTexts(), (Texts{"GPL executable not found in C:\\Sierra\\GPL\\\r"
                                            "Please select a valid GPL executable"}));
    }
    ui.messages.clear();
    ui.fileRequests.clear();
    tools::MakeDemoInstallation(prefix / "drive_c/Sierra/GPL", {});
    clsGPL gpl(ui);
    EXPECT_FALSE(gpl.Exiting());
    EXPECT_EQ(gpl.Directory(), "C:\\Sierra\\GPL\\");
    EXPECT_EQ(gpl.EXEPath(), "C:\\Sierra\\GPL\\GPL.Exe");
    EXPECT_GT(gpl.NoOfPlayers(), 0) << "the players of the installation in the prefix";
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.fileRequests.empty());
#endif
}

TEST_F(GplTest, AnExecutableThatCannotBeOpenedEndsStartUpWithAMessage) {
    MakeDemo();
    // Not a plain file to the existence test, and refused when opened.
    RemoveGpl("GPL.EXE");
    test::FailingFileSystem failing;
    failing.FailPath(test::FsOp::kReadAll, "GPL.EXE", platform::kPermissionDenied);
    failing.FailPath(test::FsOp::kReadAt, "GPL.EXE", platform::kPermissionDenied);
    platform::ScopedFileSystem scoped(failing);
    clsGPL gpl(ui);
    EXPECT_TRUE(gpl.Exiting());
    EXPECT_TRUE(ui.fileRequests.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(Gpl() + "GPL.EXE"), std::string::npos);
}

TEST_F(GplTest, StoredIndexSizeOnlyEverGrowsTheIndex) {
    MakeDemo();
    WriteZamIni(IniText({"[ZAM]", "IndexSize=2000"}));
    {
        clsGPL gpl(ui);
        EXPECT_EQ(gpl.IndexSize(), 10000);
        gpl.UnloadWithoutSaving();
    }
    WriteZamIni(IniText({"[ZAM]", "IndexSize=24000"}));
    clsGPL gpl(ui);
    EXPECT_EQ(gpl.IndexSize(), 24000);
    EXPECT_EQ(gpl.Directory(), Gpl());
    gpl.UnloadWithoutSaving();
}

TEST_F(GplTest, DestructionRecordsFourTimesTheUsedSlots) {
    MakeDemo();
    std::int32_t used = 0;
    {
        clsGPL gpl(ui);
        Initialising = false;  // the window is open: the run's values count as changes
        used = gpl.OccupiedSlots();
        ASSERT_GT(used, 0);
    }
    clsGPL next(ui);
    EXPECT_EQ(next.FullPathIniValue("ZAM.Ini", "ZAM", "IndexSize"), std::to_string(4 * used));
    next.UnloadWithoutSaving();
}

TEST_F(GplTest, UnloadWithoutSavingWritesNothingAndTheSharedReferenceFollowsTheModel) {
    MakeDemo();
    const std::string core = ReadGpl("core.ini");
    const std::string zamIni = tmp.read("prog/ZAM.Ini");
    std::vector<std::string> before;
    {
        clsGPL gpl(ui);
        SetTheGPL(&gpl);
        EXPECT_EQ(TheGPL(), &gpl);
        // Start-up copied Server.Ini from its sample.
        before = test::FolderEntries(tmp.path(), true);
        Initialising = false;
        gpl.SetIniValue("core.ini", "Joy", "max_steering_torque", "1");
        gpl.SetPlayerValue("Driver__Sam", "Personal Information", "firstName", "Al");
        gpl.UnloadWithoutSaving();
    }
    EXPECT_EQ(TheGPL(), nullptr);
    EXPECT_EQ(test::FolderEntries(tmp.path(), true), before);
    EXPECT_EQ(tmp.read("prog/ZAM.Ini"), zamIni);
    EXPECT_EQ(ReadGpl("core.ini"), core);
}

}  // namespace
}  // namespace zam
