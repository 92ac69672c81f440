// A child process for the kill test: reads every "*.ini" of a folder into the store, changes one
// value in each, and writes them all back the way the front end does when it closes. The test
// kills it at varied moments and then checks that no file was lost or cut short.
//
//   zam_write_back_child FOLDER VALUE
#include <cstdio>
#include <string>
#include <vector>

#include "FakeUi.h"
#include "zam/platform/FileSystem.h"
#include "zam/store/Globals.h"
#include "zam/store/IniStore.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zam_write_back_child FOLDER VALUE\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    zam::test::FakeUi ui;
    zam::IniStore store(ui);
    std::vector<std::string> names;
    if (!zam::platform::Fs().List(folder + "*.ini", zam::platform::kListFiles, names)) return 2;
    try {
        for (const auto& name : names) store.ReadIniFile(folder + name);
        zam::Initialising = false;
        for (const auto& name : names)
            store.SetFullPathIniValue(folder + name, "State", "value", argv[2]);
        store.WriteIniFiles();
    } catch (const zam::ProgramEnded&) {
    }
    // Whatever the store had to say means the write-back did not run as it should.
    for (const auto& message : ui.messages) std::fprintf(stderr, "%s\n", message.text.c_str());
    return ui.messages.empty() && !ui.ended ? 0 : 3;
}
