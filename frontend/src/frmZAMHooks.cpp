// Where the track lists, the setup lists and the launcher buttons plug into the main window.
// The start-up sequence and the handlers already call each of these at the right moment. The
// features live in their own widgets, children of the areas the window leaves for them.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "zam/controls/RuntimeBindings.h"
#include "zam/controls/ucCheckBox.h"
#include "zam/controls/ucDropDown.h"
#include "zam/frontend/FocusChain.h"
#include "zam/frontend/LauncherButtonsTab.h"
#include "zam/frontend/SetupLists.h"
#include "zam/frontend/TrackListsTab.h"
#include "zam/frontend/frmZAM.h"
#include "zam/model/clsGPL.h"

namespace zam {

namespace {

template <class Feature>
Feature* FeatureIn(QWidget* area) {
    return area ? area->findChild<Feature*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void PlaceIn(QWidget* area, QWidget* feature) {
    if (!area->layout()) {
        auto* layout = new QVBoxLayout(area);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    area->layout()->addWidget(feature);
}

}  // namespace

void frmZAM::PrepareButtonEditor() {}

void frmZAM::FillTrackLists() {
    if (!gpl_ || !trackListArea) return;
    TrackListsTab* tracks = FeatureIn<TrackListsTab>(trackListArea);
    if (!tracks) {
        std::string folder = ShippedFile("");
        tracks = new TrackListsTab(*gpl_, ui_, controls_, folder, trackListArea);
        PlaceIn(trackListArea, tracks);
        tracks->SetPictures(imgTrack, imgTrack2);
        ChainFocus(tabGeneral->tabBar(), tracks->TabOrder());
        tracks->onTrackChanged = [this] { FillSetupLists(); };
        if (cmdGRE)
            connect(cmdGRE, &QPushButton::clicked, this, [this] {
                if (!gpl_) return;
                SetupSelection selection;
                controls::ucDropDown* current = DropDown("cbxCurSetup");
                selection.player = PlayerId();
                if (controls::ucDropDown* track = DropDown("cbxTrack")) selection.track = track->Value();
                if (controls::ucDropDown* cls = DropDown("cbxClass")) selection.classCode = cls->Value();
                if (controls::ucDropDown* car = DropDown("cbxCar")) selection.carValue = car->Value();
                controls::ucCheckBox* rename = controls_.CheckBox("chkRenameSetups");
                EditCurrentSetup(*gpl_, ui_, selection, current ? current->Value() : std::string(),
                                 rename && rename->Value() == 1, FrontEndValue("Buttons", "Path0"));
                FillSetupLists();
            });
        if (chkAllCars) connect(chkAllCars, &QCheckBox::toggled, this, [this] { FillSetupLists(); });
    }
    tracks->ReadTrackFolders();
    if (controls::ucDropDown* track = DropDown("cbxTrack")) track->Refresh();
}

void frmZAM::FillSetupList(controls::ucDropDown& list) {
    if (!gpl_) return;
    SetupSelection selection;
    selection.player = PlayerId();
    if (controls::ucDropDown* track = DropDown("cbxTrack")) selection.track = track->Value();
    if (controls::ucDropDown* cls = DropDown("cbxClass")) selection.classCode = cls->Value();
    if (controls::ucDropDown* car = DropDown("cbxCar")) selection.carValue = car->Value();
    selection.allCars = chkAllCars && chkAllCars->isChecked();
    ::zam::FillSetupList(*gpl_, list, selection);
}

void frmZAM::FillSetupLists() {
    if (controls::ucDropDown* current = DropDown("cbxCurSetup")) FillSetupList(*current);
    if (controls::ucDropDown* race = DropDown("cbxRaceSetup")) FillSetupList(*race);
}

void frmZAM::BindRaceSetupList() {
    if (controls::ucDropDown* race = DropDown("cbxRaceSetup")) FillSetupList(*race);
}

void frmZAM::BuildLauncherButtons() {
    if (!gpl_ || !buttonEditorArea || !launcherArea) return;
    LauncherButtonsTab* buttons = FeatureIn<LauncherButtonsTab>(buttonEditorArea);
    if (!buttons) {
        LauncherActions actions;
        actions.writeLoaderCommand = [this](const std::string& line, const std::string& word) {
            WriteLoaderCommand(line, word);
        };
        actions.hideWindow = [this] { hide(); };
        actions.showWindow = [this] { show(); };
        buttons = new LauncherButtonsTab(*gpl_, ui_, controls_, actions, buttonEditorArea);
        PlaceIn(buttonEditorArea, buttons);
        PlaceIn(launcherArea, buttons->Strip());
        if (QWidget* utils = controls_.Frame("frmUtils")) {
            PlaceIn(buttons->FrameArea(), utils);
            utils->show();
        }
        ChainFocus(tabGeneral->tabBar(), buttons->TabOrder());
        buttons->onEditorPathChanged = [this](bool hasEditor) {
            if (cmdGRE) cmdGRE->setEnabled(hasEditor);
        };
    }
    buttons->Build();
    // The strip stands between the timer and the launch button.
    ChainFocus(cmdResetTimer, {buttons->Strip()});
}

void frmZAM::RefreshButtonsTab() {
    if (LauncherButtonsTab* buttons = FeatureIn<LauncherButtonsTab>(buttonEditorArea))
        buttons->RefreshButtonList();
}

void frmZAM::RefreshTracksTab() {
    if (controls::ucDropDown* track = DropDown("cbxTrack"))
        controls::BindTrackControls(Controls(), track->Value());
    if (TrackListsTab* tracks = FeatureIn<TrackListsTab>(trackListArea)) tracks->ShowTrackLists();
}

}  // namespace zam
