#include "TrackTestSupport.h"

#include "DialogTestSupport.h"
#include "zam/controls/BoundStore.h"
#include "zam/store/Globals.h"

namespace zam::test {

DemoGplTest::DemoGplTest() : scopedLauncher_(launcher) {
    std::filesystem::create_directories(tmp.file("prog"));
    cwd_ = std::make_unique<ScopedCurrentDir>(tmp.file("prog"));
}

DemoGplTest::~DemoGplTest() {
    if (gpl) gpl->UnloadWithoutSaving();
    gpl.reset();
    Initialising = false;
}

void DemoGplTest::MakeDemo(const tools::DemoOptions& options) {
    tools::MakeDemoInstallation(tmp.file("gpl"), options);
}

void DemoGplTest::Open() {
    if (!std::filesystem::exists(tmp.file("gpl/GPL.EXE"))) MakeDemo();
    tmp.write("prog/ZAM.Ini", "[Paths]\r\nGPL=" + Gpl() + "\r\nExeName=GPL.EXE\r\n");
    Initialising = true;
    gpl = std::make_unique<clsGPL>(ui);
    Initialising = false;
    ASSERT_FALSE(gpl->Exiting()) << testing::PrintToString(ui.MessageTexts());
}

BoundDemoTest::BoundDemoTest() { EnsureApplication(); }

BoundDemoTest::~BoundDemoTest() {
    controls::SetBoundStore(nullptr);
    controls::SetControlsUi(nullptr);
}

void BoundDemoTest::OpenBound() {
    Open();
    controls::SetBoundStore(gpl.get());
    controls::SetControlsUi(&ui);
}

std::string DemoGplTest::Season(int eventNo, const char* key) const {
    return gpl->IniValue(kSeasonFile, EventSection(eventNo), key);
}

std::vector<std::string> DemoGplTest::Dirs(const TrackList& list) {
    std::vector<std::string> dirs;
    for (const auto& entry : list) dirs.push_back(entry.directory);
    return dirs;
}

}  // namespace zam::test
