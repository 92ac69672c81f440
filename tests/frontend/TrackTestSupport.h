#pragma once
// The installation model on a generated demo installation in a temporary folder: "prog\" is the
// program folder (the current directory, with ZAM.Ini and SZAM.Ini), "gpl\" the simulator folder.
#include <gtest/gtest.h>

#include <QString>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "FakeUi.h"
#include "RecordingLauncher.h"
#include "TempDir.h"
#include "zam/frontend/TrackLists.h"
#include "zam/model/clsGPL.h"
#include "zam/tools/DemoInstallation.h"

namespace zam::test {

class DemoGplTest : public testing::Test {
protected:
    DemoGplTest();
    ~DemoGplTest() override;

    // Generates the demo installation in "gpl\".
    void MakeDemo(const tools::DemoOptions& options = {});
    // Creates the model (on the demo installation, generated when not made yet).
    void Open();
    std::string Gpl() const { return tmp.logical() + "gpl/"; }
    void WriteGpl(const std::string& relative, const std::string& bytes) const {
        tmp.write("gpl/" + relative, bytes);
    }
    std::string Season(int eventNo, const char* key) const;
    // Directories of a list, in order.
    static std::vector<std::string> Dirs(const TrackList& list);

    TempDir tmp;
    FakeUi ui;
    RecordingLauncher launcher;
    std::unique_ptr<clsGPL> gpl;

private:
    std::unique_ptr<ScopedCurrentDir> cwd_;
    platform::ScopedProcessLauncher scopedLauncher_;
};

// The demo installation with a Qt application and the model as the store every bound control
// reads and writes. A derived fixture destroys its widgets in its own destructor, before the
// binding is undone here.
class BoundDemoTest : public DemoGplTest {
protected:
    BoundDemoTest();
    ~BoundDemoTest() override;

    // Opens the model and binds the controls to it and to the recording user interface.
    void OpenBound();
};

}  // namespace zam::test
