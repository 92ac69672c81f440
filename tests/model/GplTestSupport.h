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
std::string IniText(std::initializer_list<std::string_view> lines);

// A temporary folder holding a program folder "prog\" (the current directory while the test
// runs, with ZAM.Ini) and an empty simulator folder "gpl\" for the demo installation. Start-up
// runs with Initialising set, as the main window does; the test ends with it cleared.
class GplTest : public testing::Test {
protected:
    GplTest();
    ~GplTest() override;

    // Logical simulator folder, ending in a separator.
    std::string Gpl() const { return tmp.logical() + "gpl/"; }
    // The generated demo installation in the simulator folder, and ZAM.Ini leading to it.
    void MakeDemo(const tools::DemoOptions& options = {});
    // ZAM.Ini leading to the demo installation, followed by `more` (INI text).
    void WriteZamIni(std::string_view more = "") const;
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
