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
#include "zam/frontend/TrackLists.h"
#include "zam/model/clsGPL.h"

namespace zam::test {

class DemoGplTest : public GplTest {
protected:
    DemoGplTest();
    ~DemoGplTest() override;

    // Creates the model (on the demo installation, generated when not made yet).
    void Open();
    std::string Season(int eventNo, const char* key) const;
    // Opens the model and reads the track folders into `lists`, as start-up does.
    void ReadTracks();
    // Directories of a list, in order.
    static std::vector<std::string> Dirs(const TrackList& list);

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
    ~BoundDemoTest() override;

    // Opens the model and binds the controls to it and to the recording user interface.
    void OpenBound();
};

}  // namespace zam::test
