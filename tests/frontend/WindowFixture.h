#pragma once
// The main window on a generated demo installation in a temporary folder: "prog\" is the
// program folder (with ZAM.Ini and stand-ins for the executable and the loader), "gpl\" the
// simulator folder.
// Programs are never started and the machine is never shut down: both go to recording fakes.
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "FakeUi.h"
#include "TempDir.h"
#include "zam/frontend/frmZAM.h"
#include "zam/platform/Process.h"
#include "zam/platform/System.h"

namespace zam::test {

class RecordingLauncher : public platform::ProcessLauncher {
public:
    platform::Status Start(std::string_view commandLine, platform::ProcessId& id) override;
    platform::Status Wait(platform::ProcessId id, platform::ProcessExit& exit) override;
    std::vector<std::string> started;
    platform::Status startResult;  // what every start gives
};

class RecordingSystem : public platform::SystemServices {
public:
    platform::Status RequestPowerAction(platform::PowerAction action) override;
    void PlaySoundAsync(std::string_view path) override;
    bool GetKeyValue(std::string_view, std::string_view, std::string& value) override;
    std::vector<platform::PowerAction> powerActions;
    std::vector<std::string> sounds;
};

// Value of the first line "key = value" (blanks around both allowed) of an INI text.
std::string IniLineValue(const std::string& text, const std::string& key);

class WindowTest : public testing::Test {
protected:
    WindowTest();
    ~WindowTest() override;

    // Creates and loads the window; false when start-up failed.
    bool Open();
    // Closes the window as the user would, answering the exit dialog with `choice`.
    void CloseWith(int choice);

    std::string Prog() const { return tmp.logical() + "prog/"; }
    std::string Gpl() const { return tmp.logical() + "gpl/"; }
    std::string ReadProg(const std::string& relative) const { return tmp.read("prog/" + relative); }
    std::string ReadGpl(const std::string& relative) const { return tmp.read("gpl/" + relative); }
    // Value of an entry of the ZAM.Ini the window wrote.
    std::string ZamIniLine(const std::string& key) const;

    TempDir tmp;
    FakeUi ui;
    RecordingLauncher launcher;
    RecordingSystem system;
    std::deque<int> exitChoices;
    int aboutShown = 0;
    std::unique_ptr<frmZAM> window;

private:
    platform::ScopedProcessLauncher scopedLauncher_;
    platform::ScopedSystemServices scopedSystem_;
    ScopedCurrentDir cwd_;
};

}  // namespace zam::test
