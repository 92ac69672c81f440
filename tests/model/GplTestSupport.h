#pragma once
// Shared pieces of the installation-model tests: a small installation in a temporary folder and
// helpers to read what was written.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "FailingFileSystem.h"
#include "FakeUi.h"
#include "TempDir.h"
#include "zam/platform/FileSystem.h"
#include "zam/store/Globals.h"
#include "zam/tools/DemoInstallation.h"

namespace zam::test {

// An INI text from lines, each ended by CR LF.
inline std::string IniText(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (auto line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// A temporary folder holding a program folder "prog\" (the current directory while the test
// runs, with ZAM.Ini) and an empty simulator folder "gpl\" for the demo installation. Start-up
// runs with Initialising set, as the main window does; the test ends with it cleared.
class GplTest : public testing::Test {
protected:
    GplTest() {
        std::filesystem::create_directories(tmp.file("prog"));
        std::filesystem::create_directories(tmp.file("gpl"));
        cwd_ = std::make_unique<ScopedCurrentDir>(tmp.file("prog"));
        Initialising = true;
    }
    ~GplTest() override { Initialising = false; }

    // Logical simulator folder, ending in a separator.
    std::string Gpl() const { return tmp.logical() + "gpl/"; }
    // The generated demo installation in the simulator folder, and ZAM.Ini leading to it.
    void MakeDemo(const tools::DemoOptions& options = {}) {
        tools::MakeDemoInstallation(tmp.file("gpl"), options);
        WriteZamIni();
    }
    // ZAM.Ini leading to the demo installation, followed by `more` (INI text).
    void WriteZamIni(std::string_view more = "") const {
        tmp.write("prog/ZAM.Ini",
                  IniText({"[Paths]", "GPL=" + Gpl(), "ExeName=GPL.EXE"}) + std::string(more));
    }
    std::filesystem::path GplFile(std::string_view relative) const {
        return tmp.file("gpl/" + std::string(relative));
    }
    std::string ReadGpl(std::string_view relative) const {
        return tmp.read("gpl/" + std::string(relative));
    }
    void WriteGpl(std::string_view relative, std::string_view bytes) const {
        tmp.write("gpl/" + std::string(relative), bytes);
    }
    void RemoveGpl(std::string_view relative) const {
        std::filesystem::remove(GplFile(relative));
    }
    // The file the user picks in the next file dialog.
    void Pick(const std::string& folder, const std::string& name) {
        ui.fileChoices.push_back(FileChoice{folder, name});
    }

    TempDir tmp;
    FakeUi ui;

private:
    std::unique_ptr<ScopedCurrentDir> cwd_;
};

}  // namespace zam::test
