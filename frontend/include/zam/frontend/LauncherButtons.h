#pragma once
// The user's launcher buttons and their tabs as ZAM.Ini keeps them ([Tabs] NameN, [Buttons]
// NameN, PathN, RunModeN, TabN; N = 0, 1, ... without gaps, the first empty name ends a list).
// Button 0 is built in ("Edit Setup"): its program is the setup editor. Everything is read and
// written through the store's full-path operations, so it reaches the disk at exit.
#include <functional>
#include <string>
#include <string_view>

#include "zam/store/UserInterface.h"

namespace zam {

class IniStore;

inline constexpr const char* kLauncherIni = "ZAM.Ini";
inline constexpr const char* kEditSetupButton = "Edit Setup";

// Options of optRunType: 0 "Restart", 1 "Focus" (no option of its own), 2 "Normal", 3 "Exit".
int RunModeOption(std::string_view runMode);
const char* RunModeOfOption(int option);

// The button name a program path suggests: the file name before ".EXE", in proper case;
// "WinVROC" (with run mode "Exit", `exitMode` set) for WinVROC.exe in any folder.
std::string NameFromProgramPath(std::string_view path, bool& exitMode);

// What running a button needs from the main window.
struct LauncherActions {
    // Writes the loader command and closes the window ("Run" or "Exit").
    std::function<void(const std::string& commandLine, const std::string& command)>
        writeLoaderCommand;
    std::function<void()> hideWindow;
    std::function<void()> showWindow;
};

class LauncherButtons {
public:
    explicit LauncherButtons(IniStore& store);

    // Start-up: [Tabs] Name0 becomes "Main" when empty, [Buttons] Name0 "Edit Setup".
    void Initialise();

    int TabCount();
    std::string TabName(int t);
    void SetTabName(int t, std::string_view name);
    // Appends a tab "New Tab"; returns its index.
    int AddTab();

    int ButtonCount();
    std::string Name(int n);
    std::string Path(int n);
    std::string RunMode(int n);
    // The tab index stored for button n (0 when empty or not a number).
    int Tab(int n);
    // The validated name: empty becomes "?". Returns the stored name.
    std::string SetName(int n, std::string_view name);
    void SetPath(int n, std::string_view path);
    void SetRunMode(int n, std::string_view mode);
    void SetTab(int n, int tab);

    // A new button at the end, on tab `tab`, run mode "Restart", no path; returns its number.
    int NewButton(int tab);
    // Exchanges the four entries of buttons a and b.
    void SwapButtons(int a, int b);
    // Moves button n to the end by swaps and clears the last one. Button 0 is never removed.
    bool RemoveButton(int n);
    // Move up (n >= 2) and down (1 <= n < last); the position selected afterwards, or n.
    int MoveUp(int n);
    int MoveDown(int n);

    // Runs button n by its run mode.
    void Run(int n, UserInterface& ui, const LauncherActions& actions);

private:
    std::string Value(const char* section, const std::string& entry);
    void Set(const char* section, const std::string& entry, std::string_view value);

    IniStore& store_;
};

}  // namespace zam
