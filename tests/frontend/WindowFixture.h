#pragma once
// The main window on the model tests' demo installation: "prog\" is the program folder (with
// ZAM.Ini and stand-ins for the executable and the loader), "gpl\" the simulator folder.
// Programs are never started and the machine is never shut down: both go to recording fakes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "GplTestSupport.h"
#include "RecordingLauncher.h"
#include "RecordingSystem.h"
#include "TestText.h"
#include "zam/frontend/QtUserInterface.h"
#include "zam/frontend/frmStatus.h"
#include "zam/frontend/frmZAM.h"
#include "zam/store/Globals.h"

namespace zam::test {

// The front end's own user interface with its real status window; messages, questions and file
// choices go to the recording fake, so nothing waits for a person. Records each status text that
// was on the screen when it was set.
class StatusWindowUi : public QtUserInterface {
public:
    explicit StatusWindowUi(FakeUi& fake) : fake_(fake) {}
    void ShowMessage(const std::string& text, const std::string& title) override {
        fake_.ShowMessage(text, title);
    }
    bool Ask(const std::string& text, const std::string& title) override {
        return fake_.Ask(text, title);
    }
    void SetStatus(const std::string& text) override {
        QtUserInterface::SetStatus(text);
        if (StatusVisible()) shownTexts.push_back(text);
    }
    std::optional<FileChoice> SelectFile(const std::string& pattern, const std::string& folder,
                                         const std::string& title, bool allowNew) override {
        return fake_.SelectFile(pattern, folder, title, allowNew);
    }
    [[noreturn]] void EndProgram() override {
        fake_.EndProgram();
        std::abort();  // the fake never returns
    }
    bool StatusVisible() { return StatusWindow().isVisible(); }
    std::vector<std::string> shownTexts;

private:
    FakeUi& fake_;
};

class WindowTest : public GplTest {
protected:
    // The window is opened with Initialising clear, as the program starts.
    WindowTest() : scopedLauncher_(launcher), scopedSystem_(system) {
        Initialising = false;
        MakeDemo();
        tmp.write("prog/ZAMDeck", "stand-in for the executable");
        tmp.write("prog/Rollout", "stand-in for the loader");
    }
    ~WindowTest() override { window.reset(); }

    // Creates and loads the window (from the program folder unless another is given); false when
    // start-up failed.
    bool Open(const std::string& programFolder = "") {
        frmZAM::Options options;
        options.programFolder = programFolder.empty() ? Prog() : programFolder;
        options.programName = "ZAMDeck";
        options.screenWidth = [this] { return screenArea.width(); };
        options.screenArea = [this] { return screenArea; };
        options.askExitChoice = [this](QWidget*) {
            if (exitChoices.empty()) {
                ADD_FAILURE() << "exit dialog shown unexpectedly";
                return -1;
            }
            const int choice = exitChoices.front();
            exitChoices.pop_front();
            return choice;
        };
        options.showAbout = [this](QWidget*) { ++aboutShown; };
        options.random = [] { return 0.99; };
        UserInterface& windowUi = statusUi ? static_cast<UserInterface&>(*statusUi) : ui;
        window = std::make_unique<frmZAM>(windowUi, options);
        const bool loaded = window->Load();
        Initialising = false;  // as the first paint does
        return loaded;
    }
    // From now on the window talks to the user through StatusWindowUi (with the fake behind it).
    StatusWindowUi& UseRealStatusWindow() {
        statusUi = std::make_unique<StatusWindowUi>(ui);
        return *statusUi;
    }
    // Closes the window as the user would, answering the exit dialog with `choice`.
    void CloseWith(int choice) {
        exitChoices.push_back(choice);
        window->close();
    }

    std::string Prog() const { return tmp.logical() + "prog/"; }
    std::string ReadProg(const std::string& relative) const { return tmp.read("prog/" + relative); }
    // Value of an entry of the ZAM.Ini the window wrote.
    std::string ZamIniLine(const std::string& key) const {
        return IniLineValue(ReadProg("ZAM.Ini"), key);
    }

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
