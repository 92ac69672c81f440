#include "GplTestSupport.h"

namespace zam::test {

std::string ValidExeBytes() {
    std::string bytes(1'430'000, 'x');
    bytes.replace(1'420'000, 8, "hit_hard");
    return bytes;
}

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

void GplTest::WriteStandardZamIni() {
    tmp.write("prog/ZAM.Ini", IniText({"[Paths]", "GPL=" + Gpl(), "ExeName=GPL.Exe"}));
}

void GplTest::MakeDemo(const tools::DemoOptions& options) {
    tools::MakeDemoInstallation(tmp.file("gpl"), options);
    tmp.write("prog/ZAM.Ini", IniText({"[Paths]", "GPL=" + Gpl(), "ExeName=GPL.EXE"}));
}

void GplTest::WriteExe(std::string_view name) { WriteGpl(name, "MZ demo"); }

void GplTest::WritePlayer(std::string_view folder, std::string_view first, std::string_view last,
                          std::string_view carClass) const {
    const std::string base = "Players\\" + std::string(folder) + "\\";
    WriteGpl(base + "Player.ini",
             IniText({"[ Personal Information ]", "firstName = " + std::string(first),
                      "lastName = " + std::string(last), "team = lotus"}));
    if (!carClass.empty())
        WriteGpl(base + "PZAM.Ini", IniText({"[ZAM]", "carClass=" + std::string(carClass)}));
}

}  // namespace zam::test
