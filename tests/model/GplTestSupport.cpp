#include "GplTestSupport.h"

namespace zam::test {

std::string IniText(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (auto line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

GplTest::GplTest() {
    std::filesystem::create_directories(tmp.file("prog"));
    std::filesystem::create_directories(tmp.file("gpl"));
    cwd_ = std::make_unique<ScopedCurrentDir>(tmp.file("prog"));
    Initialising = true;
}

GplTest::~GplTest() { Initialising = false; }

void GplTest::MakeDemo(const tools::DemoOptions& options) {
    tools::MakeDemoInstallation(tmp.file("gpl"), options);
    WriteZamIni();
}

void GplTest::WriteZamIni(std::string_view more) const {
    tmp.write("prog/ZAM.Ini",
              IniText({"[Paths]", "GPL=" + Gpl(), "ExeName=GPL.EXE"}) + std::string(more));
}

}  // namespace zam::test
