#include "zam/model/clsGPL.h"

#include "zam/model/Catalogues.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Text.h"
#include "zam/store/Common.h"
#include "zam/store/Globals.h"

namespace zam {

namespace {

constexpr const char* kFrontEndIni = "ZAM.Ini";
constexpr const char* kFrontEndSeasonIni = "SZAM.Ini";
constexpr const char* kDefaultDirectory = "C:\\Sierra\\GPL\\";
constexpr const char* kDefaultExeName = "GPL.Exe";
constexpr const char* kSeasonFile = "Seasons\\67Season.Ini";
// A genuine simulator executable carries this text at or after this 1-based byte position.
constexpr const char* kExeMarker = "hit_hard";
constexpr std::int64_t kExeMarkerStart = 1412000;

clsGPL* theGPL = nullptr;

struct CoreDefault {
    const char* section;
    const char* entry;
    const char* value;
};

// Values Core.ini must have; applied only where the file has none.
constexpr CoreDefault kCoreDefaults[] = {
    {"Int Profile Values", "Value0", "OpenGL:DisableZBuffer:0"},
    {"Int Profile Values", "Value1", "OpenGL:MipFiltering:0"},
    {"Int Profile Values", "Value2", "OpenGL:MirrorsEvery:0"},
    {"Int Profile Values", "Value3", "Direct3D7:D3DDevice:0"},
    {"Int Profile Values", "Value4", "Direct3D7:TossHighestMip:0"},
    {"Int Profile Values", "Value5", "Direct3D7:TrilinearFiltering:0"},
    {"Int Profile Values", "Value6", "Direct3D7:DoubleMirrorResWidth:0"},
    {"Int Profile Values", "Value7", "Direct3D7:DoubleMirrorResHeight:0"},
    {"Int Profile Values", "Value8", "Direct3D7:DirectMirrorRendering:0"},
    {"Int Profile Values", "Value9", "Direct3D7:DisableZBuffer:0"},
    {"Int Profile Values", "Value10", "Direct3D7:TransparentMipsDrawOrder:0"},
    {"Int Profile Values", "Value11", "Direct3D7:TrilinearFiltering:1"},
    {"Int Profile Values", "Value12", "Direct3D7:AnisotropicFiltering:0"},
    {"Int Profile Values", "Value13", "Direct3D7:LODBias:-50"},
    {"Direct3D7", "D3DDevice", "0"},
    {"Direct3D7", "TossHighestMip", "0"},
    {"Direct3D7", "TrilinearFiltering", "1"},
    {"Direct3D7", "DoubleMirrorResHeight", "1"},
    {"Direct3D7", "DoubleMirrorResWidth", "1"},
    {"Direct3D7", "DirectMirrorRendering", "1"},
    {"Direct3D7", "DisableZBuffer", "0"},
    {"Direct3D7", "AlphaThreshold", "1"},
    {"Direct3D7", "TransparentMipsDrawOrder", "1"},
    {"Direct3D7", "AnisotropicFiltering", "8"},
    {"Direct3D7", "LODBias", "-50"},
    {"Joy", "allow_force_feedback", "0"},
    {"Joy", "force_feedback_latency", "0.125"},
    {"Joy", "force_feedback_damping", "20"},
    {"Joy", "max_steering_torque", "145"},
    {"Replay", "ReplayMemoryOverride", "10000"},
    {"Rasterizer", "fullScreen", "1"},
    {"Hack", "steer_ratio", "1"},
};

// Folder texts are used as prefixes, so they must end in a separator.
std::string AsFolder(std::string folder) {
    if (!folder.empty() && !platform::IsSeparator(folder.back())) folder += '\\';
    return folder;
}

// Errors that mean "the executable is not there" rather than "something is wrong".
bool MeansNotFound(int code) {
    switch (code) {
        case platform::kFileNotFound:
        case platform::kDiskNotReady:
        case platform::kPathFileAccessError:
        case platform::kPathNotFound:
        case 91:
            return true;
        default:
            return false;
    }
}

}  // namespace

clsGPL* TheGPL() { return theGPL; }
void SetTheGPL(clsGPL* gpl) { theGPL = gpl; }

// ---- Creation and destruction -------------------------------------------------------------

clsGPL::clsGPL(UserInterface& ui) : IniStore(ui) {
    ui.SetStatus("Reading GPL data");
    SizeIndexFrom(kFrontEndIni);
    InstallWriteBackHooks();

    std::string directory = AsFolder(FullPathIniValue(kFrontEndIni, "Paths", "GPL"));
    if (directory.empty()) {
        directory = kDefaultDirectory;
        SetFullPathIniValue(kFrontEndIni, "Paths", "GPL", directory);
        SetFullPathIniValue(kFrontEndIni, "Paths", "ExeName", kDefaultExeName);
    }
    SetDirectory(directory);

    Initialising = false;
    std::string exeName = FullPathIniValue(kFrontEndIni, "Paths", "ExeName");
    foundExe_ = FindGPLExe(directory, exeName);
    Initialising = true;

    if (foundExe_.empty()) {
        UnloadWithoutSaving();
        exiting_ = true;
        ui.HideStatus();
        return;
    }
    SetDirectory(AsFolder(FullPathIniValue(kFrontEndIni, "Paths", "GPL")));
    LoadInstallation();
    ui.HideStatus();
}

clsGPL::~clsGPL() {
    if (theGPL == this) theGPL = nullptr;
    if (SkipSave()) return;
    try {
        RecordIndexSize(kFrontEndIni);
        WriteIniFiles();
    } catch (const ProgramEnded&) {
        // The user interface ended the program (only a test's fake returns here).
    }
}

void clsGPL::LoadInstallation() {
    const std::string core = Directory() + "Core.Ini";
    if (!FileExists(core)) {
        const std::string sample = Directory() + "Core.Ini.Sample";
        if (FileExists(sample)) {
            Ui().ShowMessage("No CORE.INI found in GPL Directory - Copying CORE.INI.SAMPLE");
            const platform::Status copied = platform::Fs().Copy(sample, core);
            if (!copied)
                Ui().ShowMessage(copied.description + " while copying " + sample + " to " + core);
        } else {
            Ui().ShowMessage(
                "No CORE.INI in GPL Directory and CORE.INI.SAMPLE not found.  CORE.INI will be "
                "created with minimal parameters");
        }
    }
    ReadIniFile(core);
    SetCoreDefaults();
    ReadPlayers();
    InitialiseClasses();
    ReadIniFile(Directory() + "App.Ini");
    ReadIniFile(Directory() + "GPL_AI.ini");
    ReadCars();

    const std::string server = Directory() + "Server.Ini";
    const std::string serverSample = Directory() + "Server.Ini.Sample";
    if (!FileExists(server) && FileExists(serverSample)) platform::Fs().Copy(serverSample, server);
    ReadIniFile(server);

    ReadIniFile(Directory() + kSeasonFile);
    ReadIniFile(Directory() + "Glide.ini");
    ReadIniFile(kFrontEndSeasonIni);
}

void clsGPL::SetCoreDefaults() {
    InitialisingScope userChanges(false);
    const std::string core = Directory() + "Core.Ini";
    for (const auto& d : kCoreDefaults) SetDefaultValue(core, d.section, d.entry, d.value);
}

// ---- The executable -----------------------------------------------------------------------

std::string clsGPL::EXEPath() {
    return Directory() + FullPathIniValue(kFrontEndIni, "Paths", "ExeName");
}

std::string clsGPL::FindGPLExe(std::string& folder, std::string& exeName) {
    std::string chosen;
    if (!exeName.empty()) {
        const std::string path = folder + exeName;
        if (platform::Fs().FileExists(path)) return path;
        // Tell a missing file from one that is there but cannot be opened.
        std::string probe;
        const platform::Status opened = platform::Fs().ReadAt(path, 0, 1, probe);
        if (!opened && !MeansNotFound(opened.code)) {
            Ui().ShowMessage(opened.description + " while opening " + path);
            return {};
        }
        Ui().ShowMessage("GPL executable not found in " + folder + "\r" +
                         "Please select a valid GPL executable");
    }
    do {
        auto picked = Ui().SelectFile("*.Exe", folder, "Select GPL Executable", false);
        if (!picked || picked->fileName.empty()) {
            chosen.clear();
            break;
        }
        folder = picked->folder;
        chosen = picked->fileName;
    } while (!IsValidGPLExe(folder, chosen));

    if (chosen.empty()) return {};
    exeName = chosen;
    SetFullPathIniValue(kFrontEndIni, "Paths", "ExeName", exeName);
    SetFullPathIniValue(kFrontEndIni, "Paths", "GPL", folder);
    return folder + exeName;
}

bool clsGPL::IsValidGPLExe(const std::string& folder, const std::string& fileName) {
    if (fileName.empty()) return false;
    if (FindString(Ui(), folder + fileName, kExeMarkerStart, kExeMarker) > 0) return true;
    Ui().ShowMessage(platform::UpperCase(fileName) + " is not a valid GPL Executable" + "\r" +
                     "Please select a valid GPL Executable");
    return false;
}

}  // namespace zam
