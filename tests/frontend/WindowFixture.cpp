#include "WindowFixture.h"

#include <sstream>

#include "DialogTestSupport.h"
#include "zam/store/Globals.h"
#include "zam/tools/DemoInstallation.h"

namespace zam::test {

platform::Status RecordingLauncher::Start(std::string_view commandLine, platform::ProcessId& id) {
    started.emplace_back(commandLine);
    id.value = startResult.ok() ? static_cast<std::int64_t>(started.size()) : 0;
    return startResult;
}

platform::Status RecordingLauncher::Wait(platform::ProcessId, platform::ProcessExit&) {
    return platform::Status::Ok();
}

platform::Status RecordingSystem::RequestPowerAction(platform::PowerAction action) {
    powerActions.push_back(action);
    return platform::Status::Ok();
}

void RecordingSystem::PlaySoundAsync(std::string_view path) { sounds.emplace_back(path); }

bool RecordingSystem::GetKeyValue(std::string_view, std::string_view, std::string& value) {
    value.clear();
    return false;
}

WindowTest::WindowTest()
    : scopedLauncher_(launcher), scopedSystem_(system), cwd_(tmp.path()) {
    EnsureApplication();
    tools::MakeDemoInstallation(tmp.file("gpl"));
    tmp.write("prog/ZAMDeck", "stand-in for the executable");
    tmp.write("prog/Rollout", "stand-in for the loader");
    tmp.write("prog/ZAM.Ini", "[Paths]\r\nGPL=" + Gpl() + "\r\nExeName=GPL.EXE\r\n");
}

WindowTest::~WindowTest() {
    window.reset();
    Initialising = false;
}

bool WindowTest::Open() {
    frmZAM::Options options;
    options.programFolder = Prog();
    options.programName = "ZAMDeck";
    options.screenWidth = [] { return 1024; };
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
    window = std::make_unique<frmZAM>(ui, options);
    const bool loaded = window->Load();
    Initialising = false;  // as the first paint does
    return loaded;
}

void WindowTest::CloseWith(int choice) {
    exitChoices.push_back(choice);
    window->close();
}

std::string IniLineValue(const std::string& text, const std::string& key) {
    std::istringstream lines(text);
    std::string line;
    auto trim = [](std::string t) {
        while (!t.empty() && (t.back() == ' ' || t.back() == '\r')) t.pop_back();
        while (!t.empty() && t.front() == ' ') t.erase(t.begin());
        return t;
    };
    while (std::getline(lines, line)) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && trim(line.substr(0, equals)) == key)
            return trim(line.substr(equals + 1));
    }
    return "<missing>";
}

std::string WindowTest::ZamIniLine(const std::string& key) const {
    return IniLineValue(ReadProg("ZAM.Ini"), key);
}

}  // namespace zam::test
