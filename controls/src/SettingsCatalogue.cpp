#include "zam/controls/SettingsCatalogue.h"

#include <array>
#include <string>

namespace zam::controls {

namespace {

constexpr CatalogueRow Spin(const char* window, const char* frame, const char* name,
                            const char* caption, const char* file, const char* section,
                            const char* entry, double minimum, double maximum, double increment,
                            int noDP, double defaultValue, const char* toolTip, int labelWidth) {
    CatalogueRow row{window, frame, name, kNoElement, ControlKind::Spinner, caption,
                     file,   section, entry};
    row.minimum = minimum;
    row.maximum = maximum;
    row.increment = increment;
    row.noDP = noDP;
    row.defaultValue = defaultValue;
    row.toolTip = toolTip;
    row.labelWidth = labelWidth;
    return row;
}

constexpr CatalogueRow Chk(const char* window, const char* frame, const char* name, int element,
                           const char* caption, const char* file, const char* section,
                           const char* entry, int defaultValue, const char* toolTip,
                           bool useFullPath, int alignment) {
    CatalogueRow row{window, frame, name, element, ControlKind::CheckBox, caption,
                     file,   section, entry};
    row.defaultValue = defaultValue;
    row.toolTip = toolTip;
    row.useFullPath = useFullPath;
    row.alignment = alignment;
    return row;
}

constexpr CatalogueRow Cbx(const char* window, const char* frame, const char* name, int element,
                           const char* caption, const char* file, const char* section,
                           const char* entry, const char* toolTip, bool useFullPath,
                           int labelWidth) {
    CatalogueRow row{window, frame, name, element, ControlKind::DropDown, caption,
                     file,   section, entry};
    row.toolTip = toolTip;
    row.useFullPath = useFullPath;
    row.labelWidth = labelWidth;
    return row;
}

constexpr CatalogueRow Pth(const char* window, const char* frame, const char* name,
                           const char* caption, const char* file, const char* section,
                           const char* entry, int labelWidth, const char* path,
                           const char* pattern) {
    CatalogueRow row{window, frame, name, kNoElement, ControlKind::FilePath, caption,
                     file,   section, entry};
    row.labelWidth = labelWidth;
    row.path = path;
    row.pattern = pattern;
    return row;
}

// Label widths are in twips. Names with "?" parts are bound by the window at run time.
const CatalogueRow kRows[] = {
    Cbx("frmZAM", "frmZAM", "cbxClass", kNoElement, "C&lass", "PZAM.Ini", "ZAM", "CarClass", "Car Class", false, 700),
    Cbx("frmZAM", "frmZAM", "cbxPlayer", kNoElement, "&Player", "App.Ini", "Player", "lastPlayer", "Player Name", false, 700),
    Cbx("frmZAM", "frmZAM", "cbxTrack", kNoElement, "&Circuit", "?", "Personal Information", "lastTrackSelection", "Circuit", false, 700),
    Cbx("frmZAM", "frmZAM", "cbxCar", kNoElement, "&Team", "?", "Personal Information", "team", "Team", false, 700),
    Spin("frmZAM", "frmRace", "spnOvrRaceLength", "Race Length %Age", "?", "Race", "overrideRaceLength", 0, 400, 1, 0, 100, "Race Length Adjust", 1800),
    Spin("frmZAM", "frmRace", "spnAISpeed", "AI Speed Override", "gpl_ai.ini", "magic", "npt_override", 0, 2, 0.01, 3, 0, "1 = Normal, Lower Number = Faster AI", 1800),
    Cbx("frmZAM", "frmRace", "cbxRacetype", kNoElement, "Race Type", "?", "Single Race", "lastRaceType", "Race Length and Damage Model", false, 1800),
    Spin("frmZAM", "frmRace", "spnNoAI", "No of AI Cars", "?", "Single Race", "lastNumAI", 0, 19, 1, 0, 0, "Number of AI Cars to Include in the Race", 1800),
    Spin("frmZAM", "frmHosting", "spnQualifying", "Length of Qualifying", "?", "Multiplayer Host", "lastPracticeLength", 0, 9999, 1, 0, 15, "Qualifying length in seconds", 2000),
    Cbx("frmZAM", "frmSetup", "cbxCurSetup", kNoElement, "", "?", "Current", "?", "Current Setup", false, 900),
    Cbx("frmZAM", "frmSetup", "cbxDamageModel", kNoElement, "Damage", "?", "Practice Circuit", "lastDamageModel", "", false, 900),
    Cbx("frmZAM", "frmSetup", "cbxRaceSetup", kNoElement, "Race", "?", "Race", "?", "Race Setup", false, 900),
    Chk("frmZAM", "frmSetup", "chkRenameSetups", kNoElement, "Remove Spaces From Filenames", "Core.Ini", "ZAM", "RemoveSpaces", 0, "", false, 0),
    Cbx("frmZAM", "frmClient", "cbxConnectVia", kNoElement, "", "ZAM.Ini", "Client", "ConnectVia", "Network Protocol to Use When Connecting to Server", true, 0),
    Chk("frmZAM", "frmHosting", "chkTCP", kNoElement, "TCP/IP Connections", "Server.Ini", "IP0", "auto_launch", 0, "", false, 0),
    Chk("frmZAM", "frmHosting", "chkIPX", kNoElement, "IPX Connections", "Server.Ini", "IPX0", "auto_launch", 0, "", false, 0),
    Chk("frmZAM", "frmHosting", "chkSaveStandings", kNoElement, "Export Standings", "Server.Ini", "SERVER", "auto_export_standings", 0, "", false, 0),
    Spin("frmZAM", "frm3DOptions", "spnReplayMemory", "Replay Memory", "Core.Ini", "Replay", "ReplayMemoryOverride", 1000, 1000000, 1000, 0, 0, "Maximum Amount of Memory (in Kb) to Allocate for Replays.", 1700),
    Cbx("frmZAM", "frm3DOptions", "cbxNoOfObjects", kNoElement, "# Objects", "?", "Graphic Options", "tracksideOption", "Number of Trackside Objects", false, 1700),
    Spin("frmZAM", "frm3DOptions", "spnDetail", "Detail Bias %age", "?", "Graphic Options", "detailBias", 0, 100, 1, 0, 0, "Distance in Front of Car to Draw in High Detail", 1700),
    Cbx("frmZAM", "frm3DOptions", "cbxRasteriser", kNoElement, "Rasterizer", "App.ini", "Graphics", "lastRasterizerDLL", "3d Rasteriser to Use When Driving", false, 1700),
    Chk("frmZAM", "frm3DOptions", "chkWindow", kNoElement, "Run GPL Full Screen", "Core.Ini", "Rasterizer", "fullScreen", 1, "", false, 0),
    Cbx("frmZAM", "frm3DOptions", "cbxMirrordetailLevel", kNoElement, "Mirrors", "?", "Graphic Options", "mirrorDetailLevel", "Objects to Show in Mirrors", false, 1700),
    Cbx("frmZAM", "frm3DOptions", "cbxResolution", kNoElement, "Resolution", "?", "Driving Resolution", "width", "Driving Screen Resolution", false, 1700),
    Cbx("frmZAM", "frm3DOptions", "cbxShadows", kNoElement, "Shadows", "?", "Graphics", "shadows", "Type of shadows under cars", false, 1700),
    Cbx("frmZAM", "frmD3D", "cbxAnisotropicFiltering", kNoElement, "An/Filt.", "Core.Ini", "Direct3D7", "AnisotropicFiltering", "Anisotropic Filtering improves look of textures when viewed at low angles", false, 1500),
    Chk("frmZAM", "frmD3D", "chkTossHighMip", kNoElement, "Toss Highest MIP", "Core.Ini", "Direct3D7", "TossHighestMip", 0, "Reduces texture memory usage to minimize texture swapping during driving", false, 0),
    Chk("frmZAM", "frmD3D", "chkTrilinearFiltering", kNoElement, "Trilinear Filtering", "Core.Ini", "Direct3D7", "TrilinearFiltering", 1, "Makes mipmapping look a lot nicer.  Setting this value to 0 will help speed up the framerate on slower cards.", false, 0),
    Chk("frmZAM", "frmD3D", "chkDblResWidth", kNoElement, "Dbl Res Mirror Width", "Core.Ini", "Direct3D7", "DoubleMirrorResWidth", 1, "Only worth doing if you run at 1024x 768 or greater, or if your graphics card is fast enough", false, 0),
    Chk("frmZAM", "frmD3D", "chkDblResMirrorHeight", kNoElement, "Dbl Res Mirror Height", "Core.Ini", "Direct3D7", "DoubleMirrorResHeight", 1, "If you experience framerate problems after doubling both the horizontal and the vertical resolutions, try running with only the vertical resolution doubled", false, 0),
    Chk("frmZAM", "frmD3D", "chkDirectMirrorRendering", kNoElement, "Direct Mirror Rendering", "Core.Ini", "Direct3D7", "DirectMirrorRendering", 1, "If you have problems with mirror rendering, such as seeing the mirror image appearing in the top left corner of the screen, try unchecking this.", false, 0),
    Chk("frmZAM", "frmD3D", "chkDisableZBuffer", kNoElement, "Disable Z Buffer", "Core.Ini", "Direct3D7", "DisableZBuffer", 0, "You can disable any attempt to use a Z buffer by unchecking this.", false, 0),
    Chk("frmZAM", "frmD3D", "chkMipDrawOrder", kNoElement, "Use Farthest to Nearest Draw Order", "Core.Ini", "Direct3D7", "TransparentMipsDrawOrder", 0, "Recommended for faster machines", false, 0),
    Spin("frmZAM", "frmD3D", "spnAlphaThreshold", "Alpha Threshold", "Core.Ini", "Direct3D7", "AlphaThreshold", 1, 240, 1, 0, 0, "Sharpens up edges of trees and fences", 1500),
    Spin("frmZAM", "frmD3D", "spnLODBias", "LOD Bias", "Core.Ini", "Direct3D7", "LODBias", -100, 500, 1, 0, 0, "God knows.  I've read it twice and I'm still none the wiser...", 1500),
    Spin("frmZAM", "frmOpenGL", "spnOGLMirrorRefresh", "Mirror Refresh (Frames)", "Core.Ini", "OpenGL", "MirrorsEvery", 0, 36, 1, 0, 0, "", 2300),
    Chk("frmZAM", "frmOpenGL", "chkOGLTossHighMip", kNoElement, "Toss Highest Mip", "Core.Ini", "OpenGL", "TossHighestMip", 0, "", false, 0),
    Cbx("frmZAM", "frm3DFX", "cbxSmileyResolution", kNoElement, "Resolution", "Glide.Ini", "Glide", "Resolution", "Screen Resolution to Use When 'Force GPL Resolution is Set", false, 1800),
    Spin("frmZAM", "frm3DFX", "spnSmileyMirrorWidthScale", "Mirror Height Scale", "Glide.Ini", "Glide", "Mirror Height Scale", 0, 5, 0.01, 2, 0, "Scaling Factor for Mirror Height", 1800),
    Chk("frmZAM", "frm3DFX", "chkSmileyOverride", kNoElement, "Force GPL Resolution", "Glide.Ini", "Glide", "GPL Override", 0, "Set Menu Resolution the same as Driving Resolution", false, 0),
    Spin("frmZAM", "frm3DFX", "spnSmileyMirrorHeightScale", "Mirror Width Scale", "Glide.Ini", "Glide", "Mirror Width Scale", 0, 5, 0.01, 2, 0, "Scaling Factor for Mirror Width", 1800),
    Spin("frmZAM", "frm3DFX", "spnSmileyMirrorRefresh", "Mirror Refresh", "Glide.Ini", "Glide", "Mirror Frequency", 0, 36, 1, 0, 0, "Number of Frames Between Mirror Updates", 1800),
    Chk("frmZAM", "frm3DFX", "chkSmileyDirectMirrors", kNoElement, "Single, Central Mirror", "Glide.Ini", "Glide", "Direct Mirror", 0, "Display a single, central mirror in in-car view", false, 0),
    Chk("frmZAM", "frmRendition", "chkRendAntiAliasing", kNoElement, "Anti Aliasing", "?", "?", "?", 0, "", false, 0),
    Chk("frmZAM", "frmEffects", "chkEffects", 0, "Dirt", "?", "Effects", "dirt", 0, "Show Dirt", false, 0),
    Chk("frmZAM", "frmEffects", "chkEffects", 1, "Dust", "?", "Effects", "dust", 0, "Show Dust", false, 0),
    Chk("frmZAM", "frmEffects", "chkEffects", 2, "Dynamic Lighting", "?", "Effects", "dynamicLighting", 0, "Show dynamic lighting on cars", false, 0),
    Chk("frmZAM", "frmEffects", "chkEffects", 3, "Fire", "?", "Effects", "fire", 0, "Show Fire", false, 0),
    Chk("frmZAM", "frmEffects", "chkEffects", 4, "Smoke", "?", "Effects", "smoke", 0, "Show Tyre Smoke", false, 0),
    Chk("frmZAM", "frmEffects", "chkEffects", 5, "Sparks", "?", "Effects", "sparks", 0, "Show sparks when you hit stuff", false, 0),
    Chk("frmZAM", "frmEffects", "chkEffects", 6, "Specular Highlights", "?", "Effects", "specular", 0, "God knows... ;o)", false, 0),
    Chk("frmZAM", "frmEffects", "chkEffects", 7, "Skid Marks", "?", "Effects", "debris", 0, "Show skid marks and debris", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 0, "Bevelled Tyres", "?", "Textures", "beveledTiresAhd", 0, "", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 1, "Cars", "?", "Textures", "carsAhd", 0, "", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 2, "Clouds", "?", "Textures", "cloudsAhd", 0, "", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 3, "Cockpit", "?", "Textures", "cockpitAhd", 0, "", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 4, "Crowds", "?", "Textures", "crowdsAhd", 0, "", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 5, "Driver Arms", "?", "Textures", "driverArmsAhd", 0, "", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 6, "Driver", "?", "Textures", "driverTextureAhd", 0, "", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 7, "Horizon", "?", "Textures", "horizonAhd", 0, "", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 8, "Racing Groove", "?", "Textures", "racingGrooveAhd", 0, "", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 9, "Terrain", "?", "Textures", "terrainAhd", 0, "", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 10, "Tyres", "?", "Textures", "tireTextureAhd", 0, "", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 11, "Trackside Objects", "?", "Textures", "tracksideAhd", 0, "", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 12, "Track Surface", "?", "Textures", "trackSurfaceAhd", 0, "", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 13, "Trees", "?", "Textures", "treesAhd", 0, "", false, 0),
    Chk("frmZAM", "frmForwardTextures", "chkTextures", 14, "Walls", "?", "Textures", "wallsAhd", 0, "", false, 0),
    Chk("frmZAM", "frmMirrorTextures", "chkTextures", 16, "Cars", "?", "Textures", "carsMirror", 0, "", false, 0),
    Chk("frmZAM", "frmMirrorTextures", "chkTextures", 17, "Clouds", "?", "Textures", "cloudsMirror", 0, "", false, 0),
    Chk("frmZAM", "frmMirrorTextures", "chkTextures", 19, "Crowds", "?", "Textures", "crowdsMirror", 0, "", false, 0),
    Chk("frmZAM", "frmMirrorTextures", "chkTextures", 21, "Driver", "?", "Textures", "driverMirror", 0, "", false, 0),
    Chk("frmZAM", "frmMirrorTextures", "chkTextures", 22, "Horizon", "?", "Textures", "horizonMirror", 0, "", false, 0),
    Chk("frmZAM", "frmMirrorTextures", "chkTextures", 23, "Racing Groove", "?", "Textures", "racingGrooveMirror", 0, "", false, 0),
    Chk("frmZAM", "frmMirrorTextures", "chkTextures", 24, "Terrain", "?", "Textures", "terrainMirror", 0, "", false, 0),
    Chk("frmZAM", "frmMirrorTextures", "chkTextures", 25, "Tyres", "?", "Textures", "tireTextureMirror", 0, "", false, 0),
    Chk("frmZAM", "frmMirrorTextures", "chkTextures", 26, "Trackside Objects", "?", "Textures", "tracksideMirror", 0, "", false, 0),
    Chk("frmZAM", "frmMirrorTextures", "chkTextures", 27, "Track Surface", "?", "Textures", "trackSurfaceMirror", 0, "", false, 0),
    Chk("frmZAM", "frmMirrorTextures", "chkTextures", 28, "Trees", "?", "Textures", "treesMirror", 0, "", false, 0),
    Chk("frmZAM", "frmMirrorTextures", "chkTextures", 29, "Walls", "?", "Textures", "wallsMirror", 0, "", false, 0),
    Cbx("frmZAM", "frmBackgrounds", "cbxBackground", kNoElement, "Back Set", "ZAM.Ini", "Backgrounds", "Background", "Select Background Set", true, 900),
    Chk("frmZAM", "frmBackgrounds", "chkRandomBack", kNoElement, "Select Random Background", "ZAM.Ini", "Backgrounds", "randomBack", 0, "", true, 0),
    Cbx("frmZAM", "frmPlayerOptions", "cbxPlayerHelmet", kNoElement, "", "Player.Ini", "Personal Information", "helmetColor", "Player's Helmet Colour", false, 0),
    Cbx("frmZAM", "frmPlayerOptions", "cbxDrivingView", kNoElement, "", "Player.Ini", "Personal Information", "drivingView", "Default (Non F10) Driving View", false, 0),
    Chk("frmZAM", "frmPlayerOptions", "chkAutoGears", kNoElement, "Automatic Shifting", "?", "Gameplay Options", "shiftingHelp", 1, "There is a performance penalty associated with this option.", false, 0),
    Chk("frmZAM", "frmPlayerOptions", "chkTractionControl", kNoElement, "Traction help", "?", "Gameplay Options", "tractionHelp", 1, "Stops rear wheels spinning.  There is a performance penalty associated with this option.", false, 0),
    Chk("frmZAM", "frmPlayerOptions", "chkBrakingHelp", kNoElement, "Braking Help", "?", "Gameplay Options", "brakingHelp", 1, "Stops brakes locking.  There is a performance penalty associated with this option.", false, 0),
    Cbx("frmZAM", "frmPlayerOptions", "cbxUOM", kNoElement, "", "?", "Gameplay Options", "systemOfMeasurement", "How Distances are Displayed", false, 0),
    Cbx("frmZAM", "frmPlayerOptions", "cbxDateFormat", kNoElement, "", "?", "Gameplay Options", "dateFormat", "How Dates are Displayed", false, 0),
    Chk("frmZAM", "frmPlayerOptions", "chkInCarChat", kNoElement, "In Car Chat", "?", "Gameplay Options", "inCarChat", 1, "Enables/Disables chat line when driving", false, 0),
    Chk("frmZAM", "frmPlayerOptions", "chkPitBoard", kNoElement, "Autoview Pit Board", "?", "Gameplay Options", "autoviewPitboards", 1, "Automatically show pit board when you pass pits.", false, 0),
    Cbx("frmZAM", "frmSound", "cbxSoundQuality", kNoElement, "Quality", "App.Ini", "Sound", "soundQuality", "Sound Quality", false, 1400),
    Spin("frmZAM", "frmSound", "spnSoundPitch", "RPM of Sample", "?", "Engine", "sampleRPM", 1000, 14000, 10, 6, 0, "Changes Engine Pitch.  Default = 5200.  Lower Number = Higher Pitch.", 1400),
    Spin("frmZAM", "frmSound", "spnVolume", "Volume", "?", "Sound Options", "soundEffectsVolume", 1, 100, 1, 0, 0, "Sound Level in GPL", 1400),
    Chk("frmZAM", "frmSound", "chkStereo", kNoElement, "Stereo Sound", "?", "Sound Options", "soundStereo", 1, "", false, 0),
    Spin("frmZAM", "frmSound", "spnNoOfSounds", "No Of Sounds", "?", "Sound Options", "maxSoundsHeard", 3, 16, 1, 0, 0, "Number of Sounds to Play Simultaneously", 1400),
    Chk("frmZAM", "frmSteering", "chkSteeringHack", kNoElement, "Vary Steering Ratio With Speed", "Core.Ini", "Hack", "steer_ratio", 1, "Below 60MPH GPL speeds up the steering.  The slower you go the faster the steering.", false, 0),
    Chk("frmZAM", "frmSteering", "chkFFEnabled", kNoElement, "Enable Force Feedback", "Core.Ini", "Joy", "allow_force_feedback", 0, "GPL Calculates Force Feedback Information if Wheel Supports it", false, 0),
    Spin("frmZAM", "frmSteering", "spnFFMaxTorque", "FF Max Torque", "Core.ini", "Joy", "max_steering_torque", 1, 100000, 1, 0, 0, "FF Power - Lower Number = More Power", 1400),
    Spin("frmZAM", "frmSteering", "spnFFLatency", "FF Latency", "Core.ini", "Joy", "force_feedback_latency", 0, 1, 0.001, 6, 0, "No of Seconds ahead to Predict Forces", 1400),
    Spin("frmZAM", "frmSteering", "spnFFDamping", "FF Damping", "Core.ini", "Joy", "force_feedback_damping", 0, 99999, 1, 0, 0, "FF 'Fudge Factor'", 1400),
    Spin("frmZAM", "frmTrackDetails", "spnDlong", "AI Speed (DLong)", "?", "GP", "dlong_speed_adj_coeff", 0.1, 2, 0.001, 6, 0, "AI Speed 'Fudge Factor' For This Track", 1700),
    Spin("frmZAM", "frmSeason", "spnYear", "Year", "Seasons\\67Season.Ini", "Season", "year", 1898, 3000, 1, 0, 0, "", 1700),
    Cbx("frmZAM", "frmUtils", "cbxTab", kNoElement, "Tab", "ZAM.Ini", "Buttons", "Tab0", "", true, 600),
    Pth("frmZAM", "frmUtils", "pthProgram", "Path", "ZAM.Ini", "Buttons", "Name0", 600, "C:\\", "*.exe;*.com;*.bat"),
    Cbx("frmZAM", "frmEngines", "cbxEngine", 0, "Brabham", "Core.Ini", "Engines", "Brabham", "Engine to Use With Brabham Chassis in Formula Libre Mode", false, 1000),
    Cbx("frmZAM", "frmEngines", "cbxEngine", 1, "BRM", "Core.Ini", "Engines", "BRM", "Engine to Use in BRM Chassis For Formula Libre", false, 1000),
    Cbx("frmZAM", "frmEngines", "cbxEngine", 2, "Cooper", "Core.Ini", "Engines", "Cooper", "Engine to Use in Cooper Chassis For Formula Libre", false, 1000),
    Cbx("frmZAM", "frmEngines", "cbxEngine", 3, "Eagle", "Core.Ini", "Engines", "Eagle", "Engine to Use in Eagle Chassis For Formula Libre", false, 1000),
    Cbx("frmZAM", "frmEngines", "cbxEngine", 4, "Ferrari", "Core.Ini", "Engines", "Ferrari", "Engine to Use in Ferrari Chassis For Formula Libre", false, 1000),
    Cbx("frmZAM", "frmEngines", "cbxEngine", 5, "Lotus", "Core.Ini", "Engines", "Lotus", "Engine to Use in Lotus Chassis For Formula Libre", false, 1000),
    Cbx("frmZAM", "frmEngines", "cbxEngine", 6, "Honda", "Core.Ini", "Engines", "Honda", "Engine to Use in Honda Chassis For Formula Libre", false, 1000),
    Cbx("frmZAM", "frmEngines", "cbxEngine", 7, "None", "Core.Ini", "Engines", "F2", "", false, 1000),
    Cbx("frmZAM", "frmEngines", "cbxEngine", 8, "F3", "Core.Ini", "Engines", "F3", "Engine to Use in F3 (Novice Trainer) Chassis For Formula Libre", false, 1000),
    Cbx("frmZAM", "frmEngines", "cbxEngine", 9, "F2", "Core.Ini", "Engines", "F2", "Engine to Use in F2 (Advanced Trainer) Chassis For Formula Libre", false, 1000),
    Chk("frmZAM", "frmEngines", "chkAppendClass", kNoElement, "Append Car Class to Player Name", "Core.Ini", "ZAM", "AppendClass", 0, "", false, 1),
    Spin("frmEditSeasonEntry", "frmEditSeasonEntry", "spnNoOfLaps", "No of Laps", "?", "?", "?", 1, 255, 1, 0, 0, "Number of laps to complete a full Grand Prix", 1100),
    Cbx("frmEditSeasonEntry", "frmEditSeasonEntry", "cbxMonth", kNoElement, "Month", "Seasons\\67Season.ini", "?", "month", "", false, 1100),
    Cbx("frmEditSeasonEntry", "frmEditSeasonEntry", "cbxDay", kNoElement, "Day", "67Season.ini", "?", "day", "", false, 1100),
    Spin("frmEditSeasonEntry", "frmEditSeasonEntry", "spnGrid", "Grid", "?", "?", "?", 1, 20, 1, 0, 0, "Grid Pattern", 1100),
};

const FrameInfo kFrames[] = {
    {"frmZAM", "frmZAM", "", ""},
    {"frmZAM", "frmSettings", "Session Settings", "&1 - GPL"},
    {"frmZAM", "frmRace", "Race", "&1 - GPL"},
    {"frmZAM", "frmSetup", "Setups etc.", "&1 - GPL"},
    {"frmZAM", "frmClient", "Client Mode", "&1 - GPL"},
    {"frmZAM", "frmHosting", "Server Mode", "&1 - GPL"},
    {"frmZAM", "frm3DOptions", "General Options", "&2 - Graphics"},
    {"frmZAM", "frmD3D", "Direct3D Options", "&2 - Graphics"},
    {"frmZAM", "frmOpenGL", "OpenGL Options", "&2 - Graphics"},
    {"frmZAM", "frm3DFX", "Glide Patch Options (3Dfx)", "&2 - Graphics"},
    {"frmZAM", "frmRendition", "Rendition Options", "&2 - Graphics"},
    {"frmZAM", "frmEffects", "Effects", "&2 - Graphics"},
    {"frmZAM", "frmForwardTextures", "Textures (Ahead)", "&2 - Graphics"},
    {"frmZAM", "frmMirrorTextures", "Textures (Mirrors)", "&2 - Graphics"},
    {"frmZAM", "frmBackgrounds", "GPL Backgrounds", "&2 - Graphics"},
    {"frmZAM", "frmPlayerOptions", "Player Options", "&3 - Options"},
    {"frmZAM", "frmSound", "Sound", "&3 - Options"},
    {"frmZAM", "frmSteering", "Steering", "&3 - Options"},
    {"frmZAM", "frmTrackDetails", "Track Details", "&4 - Tracks"},
    {"frmZAM", "frmSeason", "Season", "&4 - Tracks"},
    {"frmZAM", "frmUtils", "Tabs && Buttons", "&5 - Buttons"},
    {"frmZAM", "frmEngines", "Engine Data For Formula Libre Mode", "&6 - Engines"},
    {"frmEditSeasonEntry", "frmEditSeasonEntry", "Edit Season Entry", ""},
};

constexpr ListItem kRaceType[] = {{"Novice", "0"},    {"Int/Short", "1"}, {"Int/Long", "2"},
                                  {"Pro/Short", "3"}, {"Pro/Long", "4"},  {"Grand Prix", "5"}};
constexpr ListItem kDamageModel[] = {
    {"None", "0"}, {"Novice", "1"}, {"Advanced", "2"}, {"Realistic", "3"}};
constexpr ListItem kAnisotropic[] = {
    {"None", "0"}, {"1 Level", "2"}, {"2 Level", "4"}, {"3 Level", "8"}, {"4 Level", "16"}};
constexpr ListItem kConnectVia[] = {{"TCP/IP", "IP"}, {"IPX", "IPX"}};
constexpr ListItem kNoOfObjects[] = {{"Few", "0"}, {"Many", "1"}, {"All", "2"}};
constexpr ListItem kMirrorDetail[] = {{"Cars Only", "0"}, {"Cars & Track", "1"}, {"Everything", "2"}};
constexpr ListItem kResolution[] = {
    {"512 x 384", "512"},   {"640 x 480", "640"},     {"800 x 600", "800"},
    {"960 x 720", "960"},   {"1024 x 768", "1024"},   {"1152 x 864", "1152"},
    {"1280 x 1024", "1280"}, {"1600 x 1200", "1600"}, {"2048 x 1536", "2048"}};
constexpr ListItem kHelmet[] = {
    {"Black", "0"},      {"Dark Blue", "1"},  {"Dark Green", "2"}, {"Gold", "3"},
    {"Lavender", "4"},   {"Light Blue", "5"}, {"Light Grey", "6"}, {"Light Green", "7"},
    {"Mid Blue", "8"},   {"Mid Grey", "9"},   {"Orange", "10"},    {"Pink", "11"},
    {"Purple", "12"},    {"Red", "13"},       {"White", "14"},     {"Banana", "15"}};
constexpr ListItem kDrivingView[] = {
    {"Standard", "1"}, {"Chase (F10)", "4"}, {"Nose", "9"}, {"Roll Bar", "12"}};
constexpr ListItem kUom[] = {{"Imperial", "0"}, {"Metric", "1"}};
constexpr ListItem kDateFormat[] = {{"DD/MM/YY", "1"}, {"MM/DD/YY", "0"}};
constexpr ListItem kSoundQuality[] = {{"Mono", "0"}, {"22KHz Stereo", "1"}, {"44KHz Stereo", "2"}};
constexpr ListItem kShadows[] = {
    {"No Shadows", "0"}, {"Shadows Based on MIP", "1"}, {"Shadows Based on 3D0", "2"}};
constexpr ListItem kRasteriser[] = {{"Direct 3D", "rastd3d7.dll"},
                                    {"Voodoo", "rast3dfx.dll"},
                                    {"Software", "softdll.dll"},
                                    {"Rendition", "renddll.dll"},
                                    {"OpenGL", "rastOGL.dll"}};
constexpr ListItem kGlideResolution[] = {
    {"800x600", "8"}, {"960x720", "9"}, {"1024x768", "12"}, {"1280x1024", "13"}, {"1600x1200", "14"}};
constexpr ListItem kMonths[] = {
    {"January", "1"}, {"February", "2"}, {"March", "3"},     {"April", "4"},
    {"May", "5"},     {"June", "6"},     {"July", "7"},      {"August", "8"},
    {"September", "9"}, {"October", "10"}, {"November", "11"}, {"December", "12"}};

// In the order of the main window's start-up.
const FixedList kFixedLists[] = {
    {"cbxRacetype", kRaceType},          {"cbxDamageModel", kDamageModel},
    {"cbxAnisotropicFiltering", kAnisotropic}, {"cbxConnectVia", kConnectVia},
    {"cbxNoOfObjects", kNoOfObjects},    {"cbxMirrordetailLevel", kMirrorDetail},
    {"cbxResolution", kResolution},      {"cbxPlayerHelmet", kHelmet},
    {"cbxDrivingView", kDrivingView},    {"cbxUOM", kUom},
    {"cbxDateFormat", kDateFormat},      {"cbxSoundQuality", kSoundQuality},
    {"cbxShadows", kShadows},
};

}  // namespace

std::span<const CatalogueRow> Catalogue() { return kRows; }
std::span<const FrameInfo> Frames() { return kFrames; }
std::span<const FixedList> FixedLists() { return kFixedLists; }
std::span<const ListItem> RasteriserItems() { return kRasteriser; }
std::span<const ListItem> GlideResolutionItems() { return kGlideResolution; }
std::span<const ListItem> MonthItems() { return kMonths; }

const CatalogueRow* FindRow(std::string_view name, int element) {
    for (const CatalogueRow& row : kRows)
        if (name == row.name && element == row.element) return &row;
    return nullptr;
}

const FrameInfo* FindFrame(std::string_view name) {
    for (const FrameInfo& frame : kFrames)
        if (name == frame.name) return &frame;
    return nullptr;
}

std::span<const ListItem> ItemsOf(std::string_view control) {
    for (const FixedList& list : kFixedLists)
        if (control == list.control) return list.items;
    if (control == "cbxRasteriser") return kRasteriser;
    if (control == "cbxSmileyResolution") return kGlideResolution;
    if (control == "cbxMonth") return kMonths;
    return {};
}

}  // namespace zam::controls
