// A child process for the kill test: reads every "*.ini" of a folder into the store, changes one
// value in each, and writes them all back the way the front end does when it closes. The test
// kills it at varied moments and then checks that no file was lost or cut short.
//
//   zam_write_back_child FOLDER VALUE
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "zam/platform/FileSystem.h"
#include "zam/store/Globals.h"
#include "zam/store/IniStore.h"

namespace {

class StderrUi : public zam::UserInterface {
public:
    void ShowMessage(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    bool Ask(const std::string&, const std::string&) override { return false; }
    void SetStatus(const std::string&) override {}
    void HideStatus() override {}
    std::optional<zam::FileChoice> SelectFile(const std::string&, const std::string&,
                                              const std::string&, bool) override {
        return std::nullopt;
    }
    [[noreturn]] void EndProgram() override { std::_Exit(3); }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zam_write_back_child FOLDER VALUE\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    StderrUi ui;
    zam::IniStore store(ui);
    std::vector<std::string> names;
    if (!zam::platform::Fs().List(folder + "*.ini", zam::platform::kListFiles, names)) return 2;
    for (const auto& name : names) store.ReadIniFile(folder + name);
    zam::Initialising = false;
    for (const auto& name : names) store.SetFullPathIniValue(folder + name, "State", "value", argv[2]);
    store.WriteIniFiles();
    return 0;
}
