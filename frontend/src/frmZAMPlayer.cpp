// Player, class and car selection, the class suffix of the player's name and the lists that
// follow the player: helmets, background sets, engines.
#include <QLabel>
#include <QTabWidget>

#include "zam/controls/RuntimeBindings.h"
#include "zam/controls/SettingsCatalogue.h"
#include "zam/controls/ControlBuilder.h"
#include "zam/controls/ucCheckBox.h"
#include "zam/controls/ucDropDown.h"
#include "zam/frontend/ClassSuffix.h"
#include "zam/frontend/Screenshots.h"
#include "zam/frontend/frmZAM.h"
#include "zam/model/Catalogues.h"
#include "zam/model/EngineTable.h"
#include "zam/model/clsGPL.h"
#include "zam/store/Common.h"

namespace zam {

std::string frmZAM::PlayerId() const {
    controls::ucDropDown* players = DropDown("cbxPlayer");
    return players ? players->Value() : std::string();
}

void frmZAM::FillPlayerList() {
    tabGeneral->setCurrentIndex(0);
    gplPath_ = FrontEndValue("Paths", "GPL");
    controls::ucDropDown* players = DropDown("cbxPlayer");
    if (!gpl_ || !players) return;
    players->Clear();
    for (int number = 1; number <= gpl_->NoOfPlayers(); ++number) {
        const std::string id = gpl_->PlayerID(number);
        players->AddItem(gpl_->PlayerData(id, "Personal Information", "firstName") + " " +
                             gpl_->PlayerData(id, "Personal Information", "lastName"),
                         id);
    }
    players->SetListIndex(gpl_->IniValue("App.Ini", "Player", "lastPlayer"));
    RefreshButtonsTab();
    RefreshEngineLists();
}

void frmZAM::OnPlayerChange() {
    const std::string player = PlayerId();
    if (!gpl_ || player.empty()) return;
    playerFiles_ = controls::PlayerFiles::For(player);
    controls::BindPlayerSelection(controls_, player);
    RunTabAction(tabGeneral->currentIndex());
    FillSetupLists();
}

void frmZAM::OnClassChange() {
    controls::ucDropDown* classes = DropDown("cbxClass");
    const std::string code = classes ? classes->Value() : std::string();
    for (int chassis = 0; chassis < kChassisCount; ++chassis) {
        controls::ucDropDown* list = DropDown("cbxEngine", chassis);
        if (!list) continue;
        const bool libre = (chassis <= kLastTeamChassis && code == "FL1") ||
                           (chassis == 8 && code == "FL3") || (chassis == 9 && code == "FL2");
        list->SetEnabled(libre);
    }
    AppendClassToName();
    FillSetupLists();
}

void frmZAM::OnCarChange() {
    controls::ucDropDown* cars = DropDown("cbxCar");
    ShowCarPicture(cars ? cars->Value() : std::string());
    AppendClassToName();
    RunTabAction(tabGeneral->currentIndex());
    FillSetupLists();
}

void frmZAM::OnEngineChange() {
    if (loaded_) RunTabAction(tabGeneral->currentIndex());
}

int frmZAM::EngineForSuffix(const std::string& classCode) const {
    int chassis = -1;
    if (classCode == "FL1") {
        controls::ucDropDown* cars = DropDown("cbxCar");
        const std::string car = cars ? cars->Value() : std::string();
        if (car.size() == 1 && car[0] >= '0' && car[0] <= '9') chassis = car[0] - '0';
    } else if (classCode == "FL2") {
        chassis = 9;
    } else if (classCode == "FL3") {
        chassis = 8;
    }
    controls::ucDropDown* list = chassis >= 0 ? DropDown("cbxEngine", chassis) : nullptr;
    return list ? list->ListIndex() - 1 : -1;
}

void frmZAM::AppendClassToName() {
    const std::string player = PlayerId();
    controls::ucDropDown* classes = DropDown("cbxClass");
    controls::ucDropDown* players = DropDown("cbxPlayer");
    if (!gpl_ || player.empty() || !classes || !players) return;
    const std::string code = classes->Value();
    const std::string stored = gpl_->PlayerData(player, "Personal Information", "lastName");
    const bool append = gpl_->IniValue("Core.Ini", "ZAM", "AppendClass") == "1";
    const std::optional<std::string> renamed =
        ClassSuffixedName(stored, append, code, EngineForSuffix(code),
                          [this] { return ui_.Ask(TruncateNameQuestion(), kAppTitle); });
    if (!renamed) return;
    gpl_->SetPlayerValue(player, "Personal Information", "lastName", *renamed);
    players->SetItemText(gpl_->PlayerData(player, "Personal Information", "firstName") + " " +
                         *renamed);
}

void frmZAM::RebindPlayerControls() {
    const std::string player = PlayerId();
    if (gpl_ && !player.empty()) controls::RebindPlayerControls(controls_, player);
}

// ---- Lists ---------------------------------------------------------------------------------

void frmZAM::FillHelmetList() {
    if (controls::ucDropDown* helmets = DropDown("cbxPlayerHelmet"))
        for (const controls::ListItem& item : controls::ItemsOf("cbxPlayerHelmet"))
            helmets->AddItem(item.text, item.value);
}

void frmZAM::FillBackgroundList() {
    controls::ucDropDown* sets = DropDown("cbxBackground");
    if (!sets || !gpl_) return;
    sets->Clear();
    for (const std::string& set : BackgroundSets(gpl_->Directory())) sets->AddItem(set, set);
}

void frmZAM::MoveScreenshots() {
    if (!gpl_) return;
    ui_.SetStatus("Moving Screenshots to Exports Directory");
    const std::int64_t first = std::max(0, WholeNumber(FrontEndValue("ZAM", "NextScreenie")));
    const std::int64_t next = ArchiveScreenshots(gpl_->Directory(), first);
    SetFrontEndValue("ZAM", "NextScreenie", std::to_string(next));
    ui_.HideStatus();
}

void frmZAM::RefreshEngineLists() {
    for (int chassis = 0; chassis < kChassisCount; ++chassis) {
        if (chassis == kUnusedChassis) continue;
        controls::ucDropDown* list = DropDown("cbxEngine", chassis);
        if (!list) continue;
        list->Refresh();
        if (list->ListIndex() == 0) list->SelectIndex(chassis + 1);
    }
    if (controls::BoundControl* append = controls_.Bound("chkAppendClass")) append->Refresh();
}

}  // namespace zam
