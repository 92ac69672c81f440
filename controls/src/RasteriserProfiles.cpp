#include "zam/controls/RasteriserProfiles.h"

#include <cmath>

#include "zam/controls/BoundStore.h"
#include "zam/controls/ControlBuilder.h"
#include "zam/controls/NumberText.h"
#include "zam/controls/RuntimeBindings.h"
#include "zam/controls/ucCheckBox.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucSpinner.h"
#include "zam/platform/Text.h"
#include "zam/store/Common.h"

namespace zam::controls {

namespace {

struct RasteriserFrame {
    const char* library;  // upper case
    const char* frame;
    std::vector<const char*> controls;  // in refresh order
};

const std::vector<RasteriserFrame>& OptionFrameTable() {
    static const std::vector<RasteriserFrame> table = {
        {"RASTD3D7.DLL", "frmD3D",
         {"chkDblResMirrorHeight", "chkDblResWidth", "chkDirectMirrorRendering",
          "chkDisableZBuffer", "chkTrilinearFiltering", "chkTossHighMip",
          "cbxAnisotropicFiltering", "spnLODBias", "chkMipDrawOrder", "spnAlphaThreshold"}},
        {"RAST3DFX.DLL", "frm3DFX",
         {"chkSmileyOverride", "spnSmileyMirrorHeightScale", "spnSmileyMirrorRefresh",
          "spnSmileyMirrorWidthScale", "chkSmileyDirectMirrors", "cbxSmileyResolution"}},
        {"RASTOGL.DLL", "frmOpenGL", {"spnOGLMirrorRefresh", "chkOGLTossHighMip"}},
        {"RENDDLL.DLL", "frmRendition", {"chkRendAntiAliasing"}},
    };
    return table;
}

const RasteriserFrame* OptionFrameOf(std::string_view library) {
    for (const RasteriserFrame& frame : OptionFrameTable())
        if (library == frame.library) return &frame;
    return nullptr;
}

struct ProfileValue {
    const char* entry;
    const char* value;
};

// The simulator's [Int Profile Values] that belong to each rasteriser; a change of rasteriser
// restores them.
constexpr ProfileValue kDirect3DProfile[] = {
    {"Value3", "Direct3D7:D3DDevice:0"},
    {"Value4", "Direct3D7:TossHighestMip:0"},
    {"Value5", "Direct3D7:TrilinearFiltering:0"},
    {"Value6", "Direct3D7:DoubleMirrorResWidth:0"},
    {"Value7", "Direct3D7:DoubleMirrorResHeight:0"},
    {"Value8", "Direct3D7:DirectMirrorRendering:0"},
    {"Value9", "Direct3D7:DisableZBuffer:0"},
};
constexpr ProfileValue kOpenGLProfile[] = {
    {"Value0", "OpenGL:DisableZBuffer:0"},
    {"Value1", "OpenGL:MipFiltering:0"},
    {"Value2", "OpenGL:MirrorsEvery:0"},
};

const std::vector<std::string> kAlwaysShown = {"frm3DOptions", "frmForwardTextures",
                                               "frmMirrorTextures", "frmEffects",
                                               "frmBackgrounds"};

void RefreshNamed(const ControlRegistry& registry, const char* name) {
    if (BoundControl* control = registry.Bound(name)) control->Refresh();
}

}  // namespace

void RasteriserProfiles::FillAtStartUp() {
    IniStore* store = BoundStore();
    const std::string folder = store ? store->Directory() : std::string();
    if (ucDropDown* list = registry_.DropDown("cbxRasteriser")) {
        // "RASTOGL.DLL" in App.ini is the same library as "rastOGL.dll".
        list->SetFileNameValues(true);
        list->Clear();
        if (store)
            for (const ListItem& item : RasteriserItems())
                if (FileExists(folder + item.value)) list->AddItem(item.text, item.value);
    }
    glidePatch_ = store && FileExists(folder + "Glide.Ini") && FileExists(folder + "Glide2x.dll");
    if (glidePatch_)
        if (ucDropDown* resolutions = registry_.DropDown("cbxSmileyResolution"))
            FillList(*resolutions, GlideResolutionItems());
    if (QWidget* frame = registry_.Frame("frm3DFX")) {
        frame->setEnabled(glidePatch_);
    } else {
        for (const char* name : OptionFrameOf("RAST3DFX.DLL")->controls)
            if (QWidget* control = registry_.Find(name)) control->setEnabled(glidePatch_);
    }
}

std::string RasteriserProfiles::Rasteriser() const {
    const ucDropDown* list = registry_.DropDown("cbxRasteriser");
    return list ? platform::UpperCase(list->Value()) : std::string();
}

std::string RasteriserProfiles::OptionFrame() const {
    const auto* frame = OptionFrameOf(Rasteriser());
    return frame ? frame->frame : std::string();
}

const std::vector<std::string>& RasteriserProfiles::OptionFrames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const auto& frame : OptionFrameTable()) all.emplace_back(frame.frame);
        return all;
    }();
    return names;
}

std::vector<std::string> RasteriserProfiles::VisibleFrames() const {
    std::vector<std::string> frames = kAlwaysShown;
    if (std::string option = OptionFrame(); !option.empty()) frames.push_back(option);
    return frames;
}

void RasteriserProfiles::RefreshOptionControls(const std::string& rasteriser) {
    const auto* frame = OptionFrameOf(rasteriser);
    if (!frame) return;
    if (std::string_view(frame->frame) == "frm3DFX" && !glidePatch_) return;
    for (const char* name : frame->controls) RefreshNamed(registry_, name);
}

void RasteriserProfiles::RefreshGraphicsTab(std::string_view playerId) {
    RefreshNamed(registry_, "cbxRasteriser");
    RefreshOptionControls(Rasteriser());
    BindPlayerGraphics(registry_, playerId);
    IniStore* store = BoundStore();
    if (ucSpinner* replay = registry_.Spinner("spnReplayMemory")) {
        if (store && store->IniValue("Core.Ini", "Replay", "ReplayMemoryOverride").empty())
            replay->SetValue(10000);
        replay->Refresh();
    }
    RefreshNamed(registry_, "chkWindow");
    BindPlayerEffectsAndTextures(registry_, playerId);
    RefreshNamed(registry_, "cbxBackground");
    RefreshNamed(registry_, "chkRandomBack");
}

void RasteriserProfiles::RasteriserChanged(std::string_view playerId) {
    const std::string rasteriser = Rasteriser();
    std::span<const ProfileValue> profile;
    if (rasteriser == "RASTD3D7.DLL") profile = kDirect3DProfile;
    if (rasteriser == "RASTOGL.DLL") profile = kOpenGLProfile;
    if (IniStore* store = BoundStore())
        for (const ProfileValue& value : profile)
            store->SetIniValue("Core.Ini", "Int Profile Values", value.entry, value.value);
    RefreshGraphicsTab(playerId);
}

std::string RasteriserProfiles::HeightForWidth(std::string_view width) {
    if (width == "1280") return "1024";
    return std::to_string(RoundHalfEven(LeadingNumber(width) * 3 / 4));
}

void RasteriserProfiles::ResolutionChanged(std::string_view playerId) {
    const ucDropDown* widths = registry_.DropDown("cbxResolution");
    IniStore* store = BoundStore();
    if (!widths || !store || playerId.empty()) return;
    store->SetIniValue(PlayerFiles::For(playerId).folder + "Player.ini", "Driving Resolution",
                       "height", HeightForWidth(widths->Value()));
}

}  // namespace zam::controls
