#include "TrackTestSupport.h"

#include "zam/controls/BoundStore.h"
#include "zam/store/Globals.h"

namespace zam::test {

// The window's parts are tested after start-up.
DemoGplTest::DemoGplTest() {
    Initialising = false;
}

DemoGplTest::~DemoGplTest() {
    lists.reset();
    if (gpl) gpl->UnloadWithoutSaving();
    gpl.reset();
}

void DemoGplTest::Open() {
    if (!std::filesystem::exists(GplFile("GPL.EXE"))) MakeDemo();
    Initialising = true;
    gpl = std::make_unique<clsGPL>(ui);
    Initialising = false;
    ASSERT_FALSE(gpl->Exiting()) << testing::PrintToString(ui.MessageTexts());
}

BoundDemoTest::~BoundDemoTest() {
    controls::SetBoundStore(nullptr);
    controls::SetControlsUi(nullptr);
}

void BoundDemoTest::OpenBound() {
    Open();
    controls::SetBoundStore(gpl.get());
    controls::SetControlsUi(&ui);
}

void DemoGplTest::ReadTracks() {
    if (!gpl) Open();
    lists = std::make_unique<TrackLists>(*gpl);
    lists->ReadTrackFolders();
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
