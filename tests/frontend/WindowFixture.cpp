#include "WindowFixture.h"

#include <cstdlib>

#include "zam/frontend/frmStatus.h"
#include "zam/store/Globals.h"

namespace zam::test {

// The window is opened with Initialising clear, as the program starts.
WindowTest::WindowTest() : scopedLauncher_(launcher), scopedSystem_(system) {
    Initialising = false;
    MakeDemo();
    tmp.write("prog/ZAMDeck", "stand-in for the executable");
    tmp.write("prog/Rollout", "stand-in for the loader");
}

WindowTest::~WindowTest() {
    window.reset();
}

bool WindowTest::Open(const std::string& programFolder) {
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

StatusWindowUi& WindowTest::UseRealStatusWindow() {
    statusUi = std::make_unique<StatusWindowUi>(ui);
    return *statusUi;
}

void StatusWindowUi::ShowMessage(const std::string& text, const std::string& title) {
    fake_.ShowMessage(text, title);
}

bool StatusWindowUi::Ask(const std::string& text, const std::string& title) {
    return fake_.Ask(text, title);
}

void StatusWindowUi::SetStatus(const std::string& text) {
    QtUserInterface::SetStatus(text);
    if (StatusVisible()) shownTexts.push_back(text);
}

bool StatusWindowUi::StatusVisible() {
    return StatusWindow().isVisible();
}

std::optional<FileChoice> StatusWindowUi::SelectFile(const std::string& pattern,
                                                     const std::string& folder,
                                                     const std::string& title, bool allowNew) {
    return fake_.SelectFile(pattern, folder, title, allowNew);
}

void StatusWindowUi::EndProgram() {
    fake_.EndProgram();
    std::abort();  // the fake never returns
}

void WindowTest::CloseWith(int choice) {
    exitChoices.push_back(choice);
    window->close();
}

std::string WindowTest::ZamIniLine(const std::string& key) const {
    return IniLineValue(ReadProg("ZAM.Ini"), key);
}

}  // namespace zam::test
