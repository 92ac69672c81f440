#pragma once
// The graphics tab's rasteriser handling: which rasterisers the list offers (those whose library
// is installed), which option frame shows for the chosen one, the simulator's profile entries
// that follow the choice, and the driving-resolution height that follows the width.
#include <string>
#include <string_view>
#include <vector>

#include "zam/controls/ControlRegistry.h"

namespace zam::controls {

class RasteriserProfiles {
public:
    explicit RasteriserProfiles(const ControlRegistry& registry) : registry_(registry) {}

    // Start-up: one rasteriser item per library present in the simulator folder; the 3Dfx patch
    // frame is enabled and its resolution list filled only when both Glide.Ini and Glide2x.dll
    // are there.
    void FillAtStartUp();
    bool GlidePatchEnabled() const { return glidePatch_; }

    // Run each time the graphics tab comes to the front and after a rasteriser change.
    void RefreshGraphicsTab(std::string_view playerId);

    // The chosen library in upper case ("RASTD3D7.DLL"), empty when nothing is chosen.
    std::string Rasteriser() const;
    // Name of the option frame of the chosen rasteriser ("frmD3D", "frm3DFX", "frmOpenGL",
    // "frmRendition"), empty when it has none.
    std::string OptionFrame() const;
    // Frames shown on the graphics tab: the fixed ones and the chosen rasteriser's.
    std::vector<std::string> VisibleFrames() const;
    static const std::vector<std::string>& OptionFrames();

    // Change of cbxRasteriser: restores the profile entries of Direct3D or OpenGL, then refreshes
    // the tab. The window lays the tab out afterwards (VisibleFrames).
    void RasteriserChanged(std::string_view playerId);
    // Change of cbxResolution: stores the matching height in the player's Player.Ini.
    void ResolutionChanged(std::string_view playerId);

    // Height for a stored driving width: 1024 for "1280", otherwise three quarters of it.
    static std::string HeightForWidth(std::string_view width);

private:
    void RefreshOptionControls(const std::string& rasteriser);

    const ControlRegistry& registry_;
    bool glidePatch_ = false;
};

}  // namespace zam::controls
