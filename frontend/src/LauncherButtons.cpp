#include "zam/frontend/LauncherButtons.h"

#include <array>
#include <utility>

#include "zam/model/Catalogues.h"
#include "zam/platform/Process.h"
#include "zam/platform/Text.h"
#include "zam/store/Common.h"
#include "zam/store/IniStore.h"

namespace zam {

namespace {

constexpr std::array<const char*, 4> kButtonEntries = {"Name", "Path", "RunMode", "Tab"};
constexpr std::array<const char*, 4> kRunModes = {"Restart", "Focus", "Normal", "Exit"};

std::string Numbered(const char* entry, int n) { return entry + std::to_string(n); }

}  // namespace

int RunModeOption(std::string_view runMode) {
    if (runMode == "Normal") return 2;
    if (runMode == "Exit") return 3;
    return 0;
}

const char* RunModeOfOption(int option) {
    return option >= 0 && option < static_cast<int>(kRunModes.size())
               ? kRunModes[static_cast<std::size_t>(option)]
               : kRunModes[0];
}

std::string NameFromProgramPath(std::string_view path, bool& exitMode) {
    exitMode = platform::UpperCase(path).find("WINVROC.EXE") != std::string::npos;
    if (exitMode) return "WinVROC";
    const std::size_t slash = path.find_last_of("\\/");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t exe = platform::FindNoCase(name, ".EXE");
    if (exe != std::string_view::npos) name = name.substr(0, exe);
    return ProperCase(name);
}

LauncherButtons::LauncherButtons(IniStore& store) : store_(store) {}

std::string LauncherButtons::Value(const char* section, const std::string& entry) {
    return store_.FullPathIniValue(kLauncherIni, section, entry);
}

void LauncherButtons::Set(const char* section, const std::string& entry, std::string_view value) {
    store_.SetFullPathIniValue(kLauncherIni, section, entry, value);
}

void LauncherButtons::Initialise() {
    if (TabName(0).empty()) SetTabName(0, "Main");
    Set("Buttons", "Name0", kEditSetupButton);
}

int LauncherButtons::TabCount() {
    int t = 0;
    while (!TabName(t).empty()) ++t;
    return t;
}

std::string LauncherButtons::TabName(int t) { return Value("Tabs", Numbered("Name", t)); }

void LauncherButtons::SetTabName(int t, std::string_view name) {
    Set("Tabs", Numbered("Name", t), name);
}

int LauncherButtons::AddTab() {
    const int t = TabCount();
    SetTabName(t, "New Tab");
    return t;
}

int LauncherButtons::ButtonCount() {
    int n = 0;
    while (!Name(n).empty()) ++n;
    return n;
}

std::string LauncherButtons::Name(int n) { return Value("Buttons", Numbered("Name", n)); }
std::string LauncherButtons::Path(int n) { return Value("Buttons", Numbered("Path", n)); }
std::string LauncherButtons::RunMode(int n) { return Value("Buttons", Numbered("RunMode", n)); }
int LauncherButtons::Tab(int n) { return WholeNumber(Value("Buttons", Numbered("Tab", n))); }

std::string LauncherButtons::SetName(int n, std::string_view name) {
    const std::string stored = name.empty() ? std::string("?") : std::string(name);
    Set("Buttons", Numbered("Name", n), stored);
    return stored;
}

void LauncherButtons::SetPath(int n, std::string_view path) {
    Set("Buttons", Numbered("Path", n), path);
}

void LauncherButtons::SetRunMode(int n, std::string_view mode) {
    Set("Buttons", Numbered("RunMode", n), mode);
}

void LauncherButtons::SetTab(int n, int tab) {
    Set("Buttons", Numbered("Tab", n), std::to_string(tab));
}

int LauncherButtons::NewButton(int tab) {
    const int n = ButtonCount();
    // Named at once, so the button stays in the unbroken run of names.
    SetName(n, "");
    SetRunMode(n, RunModeOfOption(0));
    SetPath(n, "");
    SetTab(n, tab);
    return n;
}

void LauncherButtons::SwapButtons(int a, int b) {
    for (const char* entry : kButtonEntries) {
        const std::string keyA = Numbered(entry, a);
        const std::string keyB = Numbered(entry, b);
        const std::string valueA = Value("Buttons", keyA);
        Set("Buttons", keyA, Value("Buttons", keyB));
        Set("Buttons", keyB, valueA);
    }
}

bool LauncherButtons::RemoveButton(int n) {
    const int count = ButtonCount();
    if (n < 1 || n >= count) return false;
    for (int i = n; i < count - 1; ++i) SwapButtons(i, i + 1);
    for (const char* entry : kButtonEntries) Set("Buttons", Numbered(entry, count - 1), "");
    return true;
}

int LauncherButtons::MoveUp(int n) {
    if (n < 2 || n >= ButtonCount()) return n;
    SwapButtons(n, n - 1);
    return n - 1;
}

int LauncherButtons::MoveDown(int n) {
    if (n < 1 || n >= ButtonCount() - 1) return n;
    SwapButtons(n, n + 1);
    return n + 1;
}

void LauncherButtons::Run(int n, UserInterface& ui, const LauncherActions& actions) {
    const std::string path = Path(n);
    const std::string mode = RunMode(n);
    if (mode == "Normal") {
        platform::ProcessId id;
        StartProgram(ui, path, id);
    } else if (mode == "Focus") {
        if (actions.hideWindow) actions.hideWindow();
        RunAndWait(ui, path);
        if (actions.showWindow) actions.showWindow();
    } else if (actions.writeLoaderCommand) {
        actions.writeLoaderCommand(path, mode == "Exit" ? "Exit" : "Run");
    }
}

}  // namespace zam
