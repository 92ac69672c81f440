// Where the track lists, the setup lists and the launcher buttons plug into the main window.
// The start-up sequence and the handlers already call each of these at the right moment.
#include "zam/controls/RuntimeBindings.h"
#include "zam/controls/ucDropDown.h"
#include "zam/frontend/frmZAM.h"

namespace zam {

void frmZAM::PrepareButtonEditor() {}

void frmZAM::FillTrackLists() {}

void frmZAM::FillSetupList(controls::ucDropDown& list) { (void)list; }

void frmZAM::FillSetupLists() {
    if (controls::ucDropDown* current = DropDown("cbxCurSetup")) FillSetupList(*current);
    if (controls::ucDropDown* race = DropDown("cbxRaceSetup")) FillSetupList(*race);
}

void frmZAM::BindRaceSetupList() {}

void frmZAM::BuildLauncherButtons() {}

void frmZAM::RefreshButtonsTab() {}

void frmZAM::RefreshTracksTab() {
    if (controls::ucDropDown* track = DropDown("cbxTrack"))
        controls::BindTrackControls(Controls(), track->Value());
}

}  // namespace zam
