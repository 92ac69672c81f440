#include <QGridLayout>

#include "ControlsFixture.h"
#include "zam/controls/ControlBuilder.h"
#include "zam/controls/RasteriserProfiles.h"
#include "zam/controls/ucCheckBox.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucSpinner.h"

namespace zam::controls {
namespace {

using Names = std::vector<std::string>;

class RasteriserTest : public test::ControlsTest {
protected:
    // The graphics tab's frames, built like the window builds them; `libraries` are the files
    // present in the simulator folder. The tab is then refreshed for the player "Tester" unless
    // `refreshed` is false.
    void Start(std::initializer_list<const char*> libraries, bool refreshed = true) {
        for (const char* library : libraries) dir.write(library, "MZ");
        auto* tab = new QWidget;
        auto* grid = new QGridLayout(tab);
        int n = 0;
        for (const FrameInfo& frame : Frames())
            if (std::string_view(frame.tab) == "&2 - Graphics") {
                grid->addWidget(BuildFrameBox(frame.name, registry), n / 3, n % 3);
                ++n;
            }
        Show(tab);
        FillFixedLists(registry);
        profiles.FillAtStartUp();
        QObject::connect(registry.DropDown("cbxRasteriser"), &BoundControl::Change, tab,
                         [this] { profiles.RasteriserChanged("Tester"); });
        QObject::connect(registry.DropDown("cbxResolution"), &BoundControl::Change, tab,
                         [this] { profiles.ResolutionChanged("Tester"); });
        if (refreshed) profiles.RefreshGraphicsTab("Tester");
    }
    std::vector<std::string> Items(const char* list) {
        std::vector<std::string> texts;
        ucDropDown* d = registry.DropDown(list);
        for (int i = 1; i <= d->NoItems(); ++i) {
            texts.push_back(d->List()->itemText(i - 1).toStdString());
        }
        return texts;
    }
    void Pick(const char* list, const char* text) {
        ucDropDown* d = registry.DropDown(list);
        const int index = d->List()->findText(text);
        ASSERT_GE(index, 0) << text;
        d->List()->setFocus();
        while (d->List()->currentIndex() < index) QTest::keyClick(d->List(), Qt::Key_Down);
        while (d->List()->currentIndex() > index) QTest::keyClick(d->List(), Qt::Key_Up);
    }
    std::string Profile(int n) {
        return Stored("Core.Ini", "Int Profile Values", "Value" + std::to_string(n));
    }
    void PlantProfiles() {
        std::string text = "[Int Profile Values]\n";
        for (int i = 0; i <= 13; ++i) text += "Value" + std::to_string(i) + "=user" + std::to_string(i) + "\n";
        LoadIni("Core.Ini", text + "[OpenGL]\nMirrorsEvery=5\n[Replay]\nReplayMemoryOverride=64000\n");
    }

    ControlRegistry registry;
    RasteriserProfiles profiles{registry};
};

TEST_F(RasteriserTest, OnlyInstalledRasterisersAreOffered) {
    Start({"rastd3d7.dll", "renddll.dll", "rastOGL.dll", "Glide.Ini"}, false);
    EXPECT_EQ(Items("cbxRasteriser"), (Names{"Direct 3D", "Rendition", "OpenGL"}));
    EXPECT_FALSE(profiles.GlidePatchEnabled());
    EXPECT_FALSE(registry.Frame("frm3DFX")->isEnabled());
    EXPECT_EQ(registry.DropDown("cbxSmileyResolution")->NoItems(), 0);
}

// "RASTOGL.DLL" and "rastOGL.dll" are one file to Windows: the user's choice stands as written.
TEST_F(RasteriserTest, AStoredNameInAnotherCaseKeepsTheChoiceAndOneNotInstalledGivesWay) {
    PlantProfiles();
    LoadIni("App.ini", "[Graphics]\nlastRasterizerDLL=RASTOGL.DLL\n");
    Start({"rastd3d7.dll", "rastOGL.dll"});
    EXPECT_EQ(registry.DropDown("cbxRasteriser")->ItemText(), "OpenGL");
    EXPECT_EQ(Stored("App.ini", "Graphics", "lastRasterizerDLL"), "RASTOGL.DLL");
    EXPECT_FALSE(store->FileChanged(store->FileNumber(Sim() + "App.ini")));
    EXPECT_EQ(profiles.VisibleFrames(),
                (Names{"frm3DOptions", "frmForwardTextures", "frmMirrorTextures",
                            "frmEffects", "frmBackgrounds", "frmOpenGL"}));
    // OpenGL's controls were refreshed (the stored refresh rate shows), Direct 3D's not.
    EXPECT_EQ(registry.Spinner("spnOGLMirrorRefresh")->TextBox()->text(), "5");
    EXPECT_EQ(Stored("Core.Ini", "Direct3D7", "TrilinearFiltering"), "");
    // Showing the tab selected the item, which runs the handler: OpenGL's profile restored.
    EXPECT_EQ(Profile(0), "OpenGL:DisableZBuffer:0");
    EXPECT_EQ(Profile(3), "user3");
    // A stored library that is not installed gives way to the first item.
    LoadIni("App.ini", "[Graphics]\nlastRasterizerDLL=softdll.dll\n");
    profiles.RefreshGraphicsTab("Tester");
    EXPECT_EQ(Stored("App.ini", "Graphics", "lastRasterizerDLL"), "rastd3d7.dll");
    EXPECT_EQ(profiles.OptionFrame(), "frmD3D");
}

TEST_F(RasteriserTest, OpenGLRewritesOnlyItsThreeProfileValuesAndTheOthersNone) {
    PlantProfiles();
    LoadIni("App.ini", "[Graphics]\nlastRasterizerDLL=rastd3d7.dll\n");
    Start({"rastd3d7.dll", "rast3dfx.dll", "softdll.dll", "renddll.dll", "rastOGL.dll"});
    std::vector<std::string> before;
    for (int i = 0; i <= 13; ++i) before.push_back(Profile(i));
    EXPECT_EQ(before[0], "user0");
    Pick("cbxRasteriser", "OpenGL");
    EXPECT_EQ(Stored("App.ini", "Graphics", "lastRasterizerDLL"), "rastOGL.dll");
    EXPECT_EQ(Profile(0), "OpenGL:DisableZBuffer:0");
    EXPECT_EQ(Profile(1), "OpenGL:MipFiltering:0");
    EXPECT_EQ(Profile(2), "OpenGL:MirrorsEvery:0");
    for (int i = 3; i <= 13; ++i) EXPECT_EQ(Profile(i), before[static_cast<std::size_t>(i)]);
    EXPECT_EQ(profiles.OptionFrame(), "frmOpenGL");
    EXPECT_EQ(registry.Spinner("spnOGLMirrorRefresh")->TextBox()->text(), "5");
    // Voodoo, Software and Rendition write no profile value.
    for (int i = 0; i <= 2; ++i) before[static_cast<std::size_t>(i)] = Profile(i);
    for (const char* choice : {"Voodoo", "Software", "Rendition"}) {
        Pick("cbxRasteriser", choice);
        for (int i = 0; i <= 13; ++i)
            EXPECT_EQ(Profile(i), before[static_cast<std::size_t>(i)]) << choice;
    }
    EXPECT_EQ(profiles.OptionFrame(), "frmRendition");
    Pick("cbxRasteriser", "Software");
    EXPECT_EQ(profiles.OptionFrame(), "");
}

TEST_F(RasteriserTest, TheGlidePatchNeedsBothFiles) {
    LoadIni("Glide.Ini", "[Glide]\nMirror Frequency=3\n");
    LoadIni("App.ini", "[Graphics]\nlastRasterizerDLL=rast3dfx.dll\n");
    Start({"rast3dfx.dll", "Glide2x.dll"}, false);
    EXPECT_TRUE(profiles.GlidePatchEnabled());
    EXPECT_TRUE(registry.Frame("frm3DFX")->isEnabled());
    EXPECT_EQ(Items("cbxSmileyResolution"),
                (Names{"800x600", "960x720", "1024x768", "1280x1024", "1600x1200"}));
    profiles.RefreshGraphicsTab("Tester");
    EXPECT_EQ(registry.Spinner("spnSmileyMirrorRefresh")->TextBox()->text(), "3");
    EXPECT_EQ(profiles.OptionFrame(), "frm3DFX");
}

TEST_F(RasteriserTest, WithoutGlide2xThePatchControlsAreNotRefreshed) {
    LoadIni("Glide.Ini", "[Glide]\nMirror Frequency=3\n");
    LoadIni("App.ini", "[Graphics]\nlastRasterizerDLL=rast3dfx.dll\n");
    Start({"rast3dfx.dll"});
    EXPECT_EQ(profiles.OptionFrame(), "frm3DFX");
    EXPECT_EQ(registry.Spinner("spnSmileyMirrorRefresh")->TextBox()->text(), "0");
    EXPECT_FALSE(registry.Frame("frm3DFX")->isEnabled());
}

TEST_F(RasteriserTest, NoRasteriserInstalledLeavesTheListEmpty) {
    Start({});
    EXPECT_EQ(registry.DropDown("cbxRasteriser")->NoItems(), 0);
    EXPECT_EQ(profiles.Rasteriser(), "");
    EXPECT_EQ(profiles.VisibleFrames().size(), 5u);
}

TEST_F(RasteriserTest, GraphicsControlsFollowThePlayerTheHeightTheWidthAndNoReplayMemoryIs10000) {
    LoadIni("Players\\Tester\\Player.Ini",
            "[Graphic Options]\ndetailBias=40\n[Driving Resolution]\nwidth=800\nheight=600\n"
            "[Effects]\nsparks=1\n[Textures]\nwallsMirror=1\n");
    Start({"rastd3d7.dll"});
    EXPECT_EQ(registry.Spinner("spnDetail")->TextBox()->text(), "40");
    EXPECT_EQ(registry.DropDown("cbxResolution")->ItemText(), "800 x 600");
    EXPECT_EQ(registry.CheckBox("chkEffects", 5)->Shown(), 1);
    EXPECT_EQ(registry.CheckBox("chkTextures", 29)->Shown(), 1);
    EXPECT_EQ(registry.CheckBox("chkTextures", 28)->Shown(), 0);
    // An empty replay memory becomes 10000.
    EXPECT_EQ(Stored("Core.Ini", "Replay", "ReplayMemoryOverride"), "10000");
    EXPECT_EQ(registry.Spinner("spnReplayMemory")->TextBox()->text(), "10000");
    // The driving height follows the width.
    Pick("cbxResolution", "1280 x 1024");
    EXPECT_EQ(Stored("Players\\Tester\\Player.Ini", "Driving Resolution", "width"), "1280");
    EXPECT_EQ(Stored("Players\\Tester\\Player.Ini", "Driving Resolution", "height"), "1024");
    Pick("cbxResolution", "960 x 720");
    EXPECT_EQ(Stored("Players\\Tester\\Player.Ini", "Driving Resolution", "height"), "720");
    EXPECT_EQ(RasteriserProfiles::HeightForWidth("2048"), "1536");
    EXPECT_EQ(RasteriserProfiles::HeightForWidth("1152"), "864");
}

}  // namespace
}  // namespace zam::controls
