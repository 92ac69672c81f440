#pragma once
// The main window on the model tests' demo installation: "prog\" is the program folder (with
// ZAM.Ini and stand-ins for the executable and the loader), "gpl\" the simulator folder.
// Programs are never started and the machine is never shut down: both go to recording fakes.
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "GplTestSupport.h"
#include "RecordingLauncher.h"
#include "RecordingSystem.h"
#include "TestText.h"
#include "zam/frontend/QtUserInterface.h"
#include "zam/frontend/frmZAM.h"

namespace zam::test {

// The front end's own user interface with its real status window; messages, questions and file
// choices go to the recording fake, so nothing waits for a person. Records each status text that
// was on the screen when it was set.
class StatusWindowUi : public QtUserInterface {
public:
    explicit StatusWindowUi(FakeUi& fake) : fake_(fake) {}
    void ShowMessage(const std::string& text, const std::string& title) override;
    bool Ask(const std::string& text, const std::string& title) override;
    void SetStatus(const std::string& text) override;
    std::optional<FileChoice> SelectFile(const std::string& pattern, const std::string& folder,
                                         const std::string& title, bool allowNew) override;
    [[noreturn]] void EndProgram() override;
    bool StatusVisible();
    std::vector<std::string> shownTexts;

private:
    FakeUi& fake_;
};

class WindowTest : public GplTest {
protected:
    WindowTest();
    ~WindowTest() override;

    // Creates and loads the window (from the program folder unless another is given); false when
    // start-up failed.
    bool Open(const std::string& programFolder = "");
    // From now on the window talks to the user through StatusWindowUi (with the fake behind it).
    StatusWindowUi& UseRealStatusWindow();
    // Closes the window as the user would, answering the exit dialog with `choice`.
    void CloseWith(int choice);

    std::string Prog() const { return tmp.logical() + "prog/"; }
    std::string ReadProg(const std::string& relative) const { return tmp.read("prog/" + relative); }
    // Value of an entry of the ZAM.Ini the window wrote.
    std::string ZamIniLine(const std::string& key) const;

    RecordingLauncher launcher;
    RecordingSystem system;
    std::deque<int> exitChoices;
    int aboutShown = 0;
    QRect screenArea{0, 0, 1280, 1024};
    std::unique_ptr<StatusWindowUi> statusUi;
    std::unique_ptr<frmZAM> window;

private:
    platform::ScopedProcessLauncher scopedLauncher_;
    platform::ScopedSystemServices scopedSystem_;
};

}  // namespace zam::test
