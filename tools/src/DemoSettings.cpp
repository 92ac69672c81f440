// The simulator-wide settings files of the demo and the dummy libraries the graphics tab looks
// for. Values are ones the front end's controls accept, so opening the demo changes nothing.
#include <string>

#include "DemoParts.h"
#include "zam/model/EngineTable.h"

namespace zam::tools::demo {

namespace {

constexpr const char* kProfileValues[] = {
    "OpenGL:DisableZBuffer:0",          "OpenGL:MipFiltering:0",
    "OpenGL:MirrorsEvery:0",            "Direct3D7:D3DDevice:0",
    "Direct3D7:TossHighestMip:0",       "Direct3D7:TrilinearFiltering:0",
    "Direct3D7:DoubleMirrorResWidth:0", "Direct3D7:DoubleMirrorResHeight:0",
    "Direct3D7:DirectMirrorRendering:0", "Direct3D7:DisableZBuffer:0",
    "Direct3D7:TransparentMipsDrawOrder:0", "Direct3D7:TrilinearFiltering:1",
    "Direct3D7:AnisotropicFiltering:0", "Direct3D7:LODBias:-50",
};

std::string CoreIni() {
    IniText ini;
    ini.Section("Int Profile Values");
    int n = 0;
    for (const char* value : kProfileValues) ini.Entry("Value" + std::to_string(n++), value);
    ini.Section("Direct3D7")
        .Entry("D3DDevice", "0")
        .Entry("TossHighestMip", "0")
        .Entry("TrilinearFiltering", "1")
        .Entry("DoubleMirrorResHeight", "1")
        .Entry("DoubleMirrorResWidth", "1")
        .Entry("DirectMirrorRendering", "1")
        .Entry("DisableZBuffer", "0")
        .Entry("AlphaThreshold", "1")
        .Entry("TransparentMipsDrawOrder", "1")
        .Entry("AnisotropicFiltering", "8")
        .Entry("LODBias", "-50");
    ini.Section("OpenGL")
        .Entry("DisableZBuffer", "0")
        .Entry("MipFiltering", "0")
        .Entry("MirrorsEvery", "2")
        .Entry("TossHighestMip", "0");
    ini.Section("Joy")
        .Entry("allow_force_feedback", "0")
        .Entry("force_feedback_latency", "0.125")
        .Entry("force_feedback_damping", "20")
        .Entry("max_steering_torque", "145");
    ini.Section("Replay").Entry("ReplayMemoryOverride", "10000");
    ini.Section("Rasterizer").Entry("fullScreen", "1");
    ini.Section("Hack").Entry("steer_ratio", "1");
    ini.Section("CLIENT").Entry("to_ip", "127.0.0.1");
    ini.Section("ZAM").Entry("RemoveSpaces", "0").Entry("AppendClass", "0");
    ini.Section("Engines");
    for (int chassis = 0; chassis < kChassisCount; ++chassis) {
        if (chassis == kUnusedChassis) continue;
        const auto index = static_cast<std::size_t>(chassis);
        ini.Entry(kChassisTable[index].name, kEngineTable[index].name);
    }
    return ini.Text();
}

std::string AppIni(const std::vector<DemoPlayer>& players) {
    IniText ini;
    ini.Section("Player").Entry("lastPlayer", players.empty() ? "" : players.front().folder);
    ini.Section("Graphics").Entry("lastRasterizerDLL", "rastd3d7.dll");
    ini.Section("Sound").Entry("soundQuality", "2");
    ini.Section("Engine").Entry("sampleRPM", "5200");
    return ini.Text();
}

std::string AiIni() {
    IniText ini;
    ini.Section("magic").Entry("npt_override", "1.000");
    return ini.Text();
}

std::string ServerSample() {
    IniText ini;
    ini.Section("SERVER")
        .Entry("name", "ZAMDeck Demo Server")
        .Entry("password", "")
        .Entry("auto_export_standings", "0");
    ini.Section("IP0").Entry("auto_launch", "1").Entry("port", "32766");
    ini.Section("IPX0").Entry("auto_launch", "0");
    return ini.Text();
}

std::string GlideIni() {
    IniText ini;
    ini.Section("Glide")
        .Entry("Resolution", "12")
        .Entry("GPL Override", "0")
        .Entry("Mirror Height Scale", "1.00")
        .Entry("Mirror Width Scale", "1.00")
        .Entry("Mirror Frequency", "2")
        .Entry("Direct Mirror", "0");
    return ini.Text();
}

std::string DummyLibrary(std::string_view name) {
    return "ZAMDeck demo placeholder for " + std::string(name) + " - not a library\r\n";
}

}  // namespace

void WriteSettings(const DemoWriter& out, const std::vector<DemoPlayer>& players) {
    out.File("core.ini", CoreIni());
    out.File("App.ini", AppIni(players));
    out.File("gpl_ai.ini", AiIni());
    out.File("Server.Ini.Sample", ServerSample());
    out.File("Glide.ini", GlideIni());
    // Three of the five rasterisers, so the graphics tab shows a partial list.
    for (std::string_view library : {"Glide2x.dll", "rastd3d7.dll", "rastOGL.dll", "softdll.dll"})
        out.File(library, DummyLibrary(library));
}

}  // namespace zam::tools::demo
