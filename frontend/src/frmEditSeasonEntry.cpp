#include "zam/frontend/frmEditSeasonEntry.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <vector>

#include "zam/controls/BoundStore.h"
#include "zam/controls/ControlBuilder.h"
#include "zam/controls/RuntimeBindings.h"
#include "zam/controls/SettingsCatalogue.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucSpinner.h"
#include "zam/frontend/FocusChain.h"
#include "zam/frontend/TrackLists.h"
#include "zam/model/Catalogues.h"
#include "zam/model/clsGPL.h"

namespace zam {

namespace {

constexpr int kNameWidthTwips = 3900;  // a long event name such as "South African Grand Prix"

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// "05" rather than "5": a number text of two characters that starts with a zero.
bool HasLeadingZero(const std::string& text) { return text.size() == 2 && text[0] == '0'; }

std::string NumberText(int n, bool twoDigits) {
    char text[8];
    std::snprintf(text, sizeof text, twoDigits ? "%02d" : "%d", n);
    return text;
}

}  // namespace

int DaysInMonth(std::string_view monthValue, int year) {
    switch (WholeNumber(monthValue)) {
        case 4: case 6: case 9: case 11: return 30;
        case 2: return IsLeapYear(year) ? 29 : 28;
        default: return 31;
    }
}

frmEditSeasonEntry::frmEditSeasonEntry(clsGPL& gpl, UserInterface& ui, QWidget* parent)
    : QDialog(parent), gpl_(gpl), ui_(ui) {
    setWindowTitle("Edit Season Entry");
    setObjectName("frmEditSeasonEntry");
    controls::BuildWindowControls("frmEditSeasonEntry", this, registry_);
    txtTrackLongName = new QLineEdit(this);
    txtTrackLongName->setObjectName("txtTrackLongName");
    txtShortName = new QLineEdit(this);
    txtShortName->setObjectName("txtShortName");
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdDefault = new QPushButton("Restore &Default", this);
    cmdDefault->setObjectName("cmdDefault");
    cmdSetDefault = new QPushButton("&Save as Default", this);
    cmdSetDefault->setObjectName("cmdSetDefault");
    BuildLayout();
    controls::PrepareSeasonEntryEditor(registry_);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdDefault, &QPushButton::clicked, this, [this] { cmdDefault_Click(); });
    connect(cmdSetDefault, &QPushButton::clicked, this, [this] { cmdSetDefault_Click(); });
    if (auto* month = cbxMonth()) connect(month, &controls::BoundControl::Change, this, [this] { MonthChanged(); });
}

void frmEditSeasonEntry::BuildLayout() {
    auto* grid = new QGridLayout;
    auto* longLabel = new QLabel("&Long Name", this);
    longLabel->setBuddy(txtTrackLongName);
    grid->addWidget(longLabel, 0, 0);
    grid->addWidget(txtTrackLongName, 0, 1);
    auto* shortLabel = new QLabel("Sh&ort Name", this);
    shortLabel->setBuddy(txtShortName);
    grid->addWidget(shortLabel, 1, 0);
    grid->addWidget(txtShortName, 1, 1);
    std::vector<QWidget*> order = {txtTrackLongName, txtShortName};
    int row = 2;
    for (const char* name : {"cbxMonth", "cbxDay", "spnNoOfLaps", "spnGrid"}) {
        if (QWidget* control = registry_.Find(name)) {
            grid->addWidget(control, row++, 0, 1, 2);
            order.push_back(control);
        }
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDefault);
    buttons->addWidget(cmdSetDefault);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addLayout(buttons);
    txtTrackLongName->setMinimumWidth(controls::TwipsToPixels(this, kNameWidthTwips));
    // The bound controls are built first; Tab visits the fields from the top.
    for (QWidget* button : {cmdDefault, cmdSetDefault, cmdOK}) order.push_back(button);
    ChainFocus(nullptr, order);
}

controls::ucDropDown* frmEditSeasonEntry::cbxMonth() const { return registry_.DropDown("cbxMonth"); }
controls::ucDropDown* frmEditSeasonEntry::cbxDay() const { return registry_.DropDown("cbxDay"); }
controls::ucSpinner* frmEditSeasonEntry::spnNoOfLaps() const { return registry_.Spinner("spnNoOfLaps"); }
controls::ucSpinner* frmEditSeasonEntry::spnGrid() const { return registry_.Spinner("spnGrid"); }

std::string frmEditSeasonEntry::Section() const { return EventSection(entryNo_); }

std::string frmEditSeasonEntry::EventValue(const char* key) const {
    return gpl_.IniValue(kSeasonFile, Section(), key);
}

void frmEditSeasonEntry::FillMonths() {
    controls::ucDropDown* months = cbxMonth();
    if (!months) return;
    months->Clear();
    int number = 1;
    for (const auto& item : controls::MonthItems())
        months->AddItem(item.text, NumberText(number++, twoDigitMonth_));
}

void frmEditSeasonEntry::MonthChanged() {
    controls::ucDropDown* days = cbxDay();
    controls::ucDropDown* months = cbxMonth();
    if (!days || !months) return;
    const int year = WholeNumber(gpl_.IniValue(kSeasonFile, "Season", "year"));
    const int count = DaysInMonth(months->Value(), year);
    days->Clear();
    for (int d = 1; d <= count; ++d) days->AddItem(std::to_string(d), NumberText(d, twoDigitDay_));
    days->Refresh();
}

void frmEditSeasonEntry::SetEntryNo(int eventNo) {
    entryNo_ = eventNo;
    // The simulator's files write "05"; the lists offer the stored spelling so that merely
    // showing an event never rewrites it.
    twoDigitMonth_ = HasLeadingZero(EventValue("month"));
    twoDigitDay_ = HasLeadingZero(EventValue("day"));
    FillMonths();
    // The day list of another month must not pick a day for this event.
    if (controls::ucDropDown* days = cbxDay()) days->Clear();
    {
        const QSignalBlocker quiet(cbxMonth());
        controls::BindSeasonEntry(registry_, eventNo);
    }
    MonthChanged();
    ShowEvent();
}

void frmEditSeasonEntry::ShowEvent() {
    txtTrackLongName->setText(controls::ToQt(EventValue("name")));
    txtShortName->setText(controls::ToQt(EventValue("shortName")));
}

void frmEditSeasonEntry::cmdOK_Click() {
    // Enter presses OK while a number may still be typed in a spinner, which keeps it only when
    // its box is left: leave it first, or closing would drop the number without a word.
    if (QWidget* box = focusWidget()) {
        QFocusEvent leave(QEvent::FocusOut, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(box, &leave);
    }
    gpl_.SetIniValue(kSeasonFile, Section(), "name", controls::FromQt(txtTrackLongName->text()));
    gpl_.SetIniValue(kSeasonFile, Section(), "shortName", controls::FromQt(txtShortName->text()));
    accept();
}

void frmEditSeasonEntry::cmdDefault_Click() {
    if (ui_.Ask("Are you sure you want to reset this Season entry to the defaults?",
                "Confirm Defaults")) {
        const std::string dir = EventValue("trackDirectory");
        const std::string trackFile = "Tracks\\" + dir + "\\TZAM.Ini";
        const bool own = IsSafeTrackDirectory(dir) &&
                         !gpl_.IniValue(trackFile, "Season Information", "name").empty();
        const bool user = !gpl_.FullPathIniValue(kSeasonDefaultsIni, dir, "name").empty();
        if (own || user) {
            for (const char* key : kEventKeys) {
                const std::string value =
                    own ? gpl_.IniValue(trackFile, "Season Information", key)
                        : gpl_.FullPathIniValue(kSeasonDefaultsIni, dir, key);
                gpl_.SetIniValue(kSeasonFile, Section(), key, value);
            }
        } else {
            ui_.ShowMessage("No default values found for track", "");
        }
    }
    SetEntryNo(entryNo_);
}

void frmEditSeasonEntry::cmdSetDefault_Click() {
    if (!ui_.Ask("This will save these settings as your new defaults.\rAre you sure you want to "
                 "do this?",
                 "Confirm Settings as New Defaults"))
        return;
    const std::string dir = EventValue("trackDirectory");
    auto set = [&](const char* key, const std::string& value) {
        gpl_.SetFullPathIniValue(kSeasonDefaultsIni, dir, key, value);
    };
    set("name", controls::FromQt(txtTrackLongName->text()));
    set("shortName", controls::FromQt(txtShortName->text()));
    set("trackDirectory", dir);
    set("month", cbxMonth() ? cbxMonth()->Value() : EventValue("month"));
    set("day", cbxDay() ? cbxDay()->Value() : EventValue("day"));
    set("numberOfLaps", spnNoOfLaps() ? std::to_string(static_cast<long long>(spnNoOfLaps()->Value()))
                                      : EventValue("numberOfLaps"));
    set("startingGrid", EventValue("startingGrid"));
}

void EditSeasonEntry(clsGPL& gpl, UserInterface& ui, int eventNo, QWidget* parent) {
    if (eventNo < 1) return;
    frmEditSeasonEntry dialog(gpl, ui, parent);
    dialog.SetEntryNo(eventNo);
    dialog.exec();
}

}  // namespace zam
