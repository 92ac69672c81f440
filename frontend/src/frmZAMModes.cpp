// The launch modes of the first tab and the race set-up that follows the mode.
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include "zam/controls/RuntimeBindings.h"
#include "zam/controls/ucCheckBox.h"
#include "zam/controls/ucDropDown.h"
#include "zam/frontend/LaunchCommand.h"
#include "zam/frontend/PictureLabel.h"
#include "zam/frontend/QtText.h"
#include "zam/frontend/frmZAM.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"

namespace zam {

namespace {

// The frames and controls of the first tab that the launch mode shows or hides, in the order of
// ModeFrames.
constexpr const char* kModeWidgetNames[] = {"frmSetup",  "frmRace",      "frmHosting",
                                            "frmClient", "cbxRaceSetup", "cbxDamageModel"};

}  // namespace

int frmZAM::SelectedMode() const { return modeGroup_->checkedId(); }

void frmZAM::SelectMode(int index) {
    if (!gpl_ || index < 0 || index >= kModeCount) return;
    if (!optMode[static_cast<std::size_t>(index)]->isChecked())
        optMode[static_cast<std::size_t>(index)]->setChecked(true);
    SetFrontEndValue("ZAM", "Mode", std::to_string(index));
    ShowModePicture(FrontEndValue("ZAM", "Mode"));
    controls::SetRaceSections(controls_, index);
    const std::string player = PlayerId();
    if (!player.empty())
        gpl_->SetPlayerValue(player, "Main Menu", "lastRaceType",
                             LaunchModes()[static_cast<std::size_t>(index)].lastRaceType);
    ResizeRaceTabControls();
}

void frmZAM::ShowModePicture(const std::string& modeText) {
    ShowPictureFile(*imgMode, ShippedFile("Pictures\\Mode" + modeText + ".jpg"));
}

void frmZAM::ShowCarPicture(const std::string& carValue) {
    const std::string picture = ShippedFile("Pictures\\Car" + carValue + ".jpg");
    const std::string fallback = ShippedFile("Pictures\\CarD.JPG");
    if (platform::Fs().FileExists(picture))
        ShowPictureFile(*imgCar, picture);
    else if (platform::Fs().FileExists(fallback))
        ShowPictureFile(*imgCar, fallback);
    else
        ShowPicture(*imgCar, QPixmap());
}

void frmZAM::ResizeRaceTabControls() {
    if (!gpl_) return;
    BindRaceSetupList();
    if (controls::BoundControl* rename = controls_.Bound("chkRenameSetups")) rename->Refresh();

    const std::string mode = FrontEndValue("ZAM", "Mode");
    if (const std::optional<ModeFrames> frames = FramesForMode(mode)) ShowModeFrames(*frames);
    const std::string player = PlayerId();
    if (!player.empty()) controls::BindRaceControls(controls_, mode, player);
    if (mode == "3") txtIPAddress->setText(QtFromCp1252(gpl_->IniValue("Core.Ini", "CLIENT", "to_ip")));
    cmdGRE->setEnabled(!FrontEndValue("Buttons", "Path0").empty());
}

std::vector<QWidget*> frmZAM::ModeWidgets() const {
    std::vector<QWidget*> widgets;
    for (const char* name : kModeWidgetNames)
        if (QWidget* widget = controls_.Find(name)) widgets.push_back(widget);
    return widgets;
}

void frmZAM::ShowModeFrames(const ModeFrames& frames) {
    const bool shown[] = {frames.setup,  frames.race,      frames.hosting,
                          frames.client, frames.raceSetup, frames.damageModel};
    static_assert(std::size(shown) == std::size(kModeWidgetNames));
    for (std::size_t i = 0; i < std::size(shown); ++i)
        if (QWidget* widget = controls_.Find(kModeWidgetNames[i])) widget->setVisible(shown[i]);
}

// The qualifying spinner counts minutes; the simulator keeps the length in seconds.
void frmZAM::OnQualifyingChange() {
    if (gpl_) controls::QualifyingChanged(controls_, PlayerId());
}

void frmZAM::OnAddressEdited() {
    if (gpl_) gpl_->SetIniValue("Core.Ini", "CLIENT", "to_ip", Cp1252FromQt(txtIPAddress->text()));
}

}  // namespace zam
