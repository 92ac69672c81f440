#pragma once
// The installation model on a generated demo installation, as the model's own tests lay it out
// ("prog\" the current directory with ZAM.Ini, "gpl\" the simulator folder), with programs
// started only by a recording launcher.
#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "GplTestSupport.h"
#include "RecordingLauncher.h"
#include "zam/controls/BoundStore.h"
#include "zam/frontend/TrackLists.h"
#include "zam/model/clsGPL.h"
#include "zam/store/Globals.h"

namespace zam::test {

class DemoGplTest : public GplTest {
protected:
    // The window's parts are tested after start-up.
    DemoGplTest() { Initialising = false; }
    ~DemoGplTest() override {
        lists.reset();
        if (gpl) gpl->UnloadWithoutSaving();
        gpl.reset();
    }

    // Creates the model (on the demo installation, generated when not made yet).
    void Open() {
        if (!std::filesystem::exists(GplFile("GPL.EXE"))) MakeDemo();
        Initialising = true;
        gpl = std::make_unique<clsGPL>(ui);
        Initialising = false;
        ASSERT_FALSE(gpl->Exiting()) << testing::PrintToString(ui.MessageTexts());
    }
    std::string Season(int eventNo, const char* key) const {
        return gpl->IniValue(kSeasonFile, EventSection(eventNo), key);
    }
    // Opens the model and reads the track folders into `lists`, as start-up does.
    void ReadTracks() {
        if (!gpl) Open();
        lists = std::make_unique<TrackLists>(*gpl);
        lists->ReadTrackFolders();
    }
    // Directories of a list, in order.
    static std::vector<std::string> Dirs(const TrackList& list) {
        std::vector<std::string> dirs;
        for (const auto& entry : list) dirs.push_back(entry.directory);
        return dirs;
    }

    RecordingLauncher launcher;
    std::unique_ptr<clsGPL> gpl;
    std::unique_ptr<TrackLists> lists;

private:
    platform::ScopedProcessLauncher scopedLauncher_{launcher};
};

// The demo installation with a Qt application and the model as the store every bound control
// reads and writes. A derived fixture's widgets, being its own members, are gone before the
// binding is undone here.
class BoundDemoTest : public DemoGplTest {
protected:
    ~BoundDemoTest() override {
        controls::SetBoundStore(nullptr);
        controls::SetControlsUi(nullptr);
    }

    // Opens the model and binds the controls to it and to the recording user interface.
    void OpenBound() {
        Open();
        controls::SetBoundStore(gpl.get());
        controls::SetControlsUi(&ui);
    }
};

}  // namespace zam::test
