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
#include "zam/frontend/QtText.h"
#include "zam/frontend/frmZAM.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"

namespace zam {

namespace {

void ShowPicture(QLabel* picture, const std::string& logicalFile) {
    const QPixmap pixmap(QString::fromStdString(platform::NativePath(logicalFile).string()));
    if (pixmap.isNull()) {
        picture->clear();
        return;
    }
    picture->setPixmap(
        pixmap.scaled(picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

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
    ShowPicture(imgMode, ShippedFile("Pictures\\Mode" + modeText + ".jpg"));
}

void frmZAM::ShowCarPicture(const std::string& carValue) {
    const std::string picture = ShippedFile("Pictures\\Car" + carValue + ".jpg");
    const std::string fallback = ShippedFile("Pictures\\CarD.JPG");
    if (platform::Fs().FileExists(picture))
        ShowPicture(imgCar, picture);
    else if (platform::Fs().FileExists(fallback))
        ShowPicture(imgCar, fallback);
    else
        imgCar->clear();
}

void frmZAM::ResizeRaceTabControls() {
    if (!gpl_) return;
    BindRaceSetupList();
    if (controls::BoundControl* rename = controls_.Bound("chkRenameSetups")) rename->Refresh();

    const std::string mode = FrontEndValue("ZAM", "Mode");
    if (const std::optional<ModeFrames> frames = FramesForMode(mode)) {
        const std::pair<const char*, bool> shown[] = {
            {"frmSetup", frames->setup},         {"frmRace", frames->race},
            {"frmHosting", frames->hosting},     {"frmClient", frames->client},
            {"cbxRaceSetup", frames->raceSetup}, {"cbxDamageModel", frames->damageModel}};
        for (const auto& [name, visible] : shown)
            if (QWidget* widget = controls_.Find(name)) widget->setVisible(visible);
    }
    const std::string player = PlayerId();
    if (!player.empty()) controls::BindRaceControls(controls_, mode, player);
    if (mode == "3") txtIPAddress->setText(QtFromCp1252(gpl_->IniValue("Core.Ini", "CLIENT", "to_ip")));
    cmdGRE->setEnabled(!FrontEndValue("Buttons", "Path0").empty());
}

// The qualifying spinner counts minutes; the simulator keeps the length in seconds.
void frmZAM::OnQualifyingChange() {
    if (gpl_) controls::QualifyingChanged(controls_, PlayerId());
}

void frmZAM::OnAddressEdited() {
    if (gpl_) gpl_->SetIniValue("Core.Ini", "CLIENT", "to_ip", Cp1252FromQt(txtIPAddress->text()));
}

}  // namespace zam
