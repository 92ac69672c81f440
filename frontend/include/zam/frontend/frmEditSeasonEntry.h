#pragma once
// The modal "Edit Season Entry" dialog: one event of the current season (long and short name,
// month, day, laps, starting grid). Month, day, laps and grid are bound controls that write at
// once; the names are written by OK. The event can be reset to the user's defaults for its track
// and stored as those defaults (SZAM.Ini).
#include <QDialog>
#include <string>
#include <string_view>

#include "zam/controls/ControlRegistry.h"
#include "zam/store/UserInterface.h"

class QLineEdit;
class QPushButton;

namespace zam {

class clsGPL;

namespace controls {
class ucDropDown;
class ucSpinner;
}  // namespace controls

// Days of a month value ("1" to "12", leading zeros allowed) in a season year: 30 for April,
// June, September and November, 28 or 29 for February (Gregorian leap years), 31 otherwise.
int DaysInMonth(std::string_view monthValue, int year);

class frmEditSeasonEntry : public QDialog {
    Q_OBJECT
public:
    frmEditSeasonEntry(clsGPL& gpl, UserInterface& ui, QWidget* parent = nullptr);

    int EntryNo() const { return entryNo_; }
    // Points the four bound controls at event n and shows the event.
    void SetEntryNo(int eventNo);

    // The buttons' actions.
    void cmdOK_Click();
    void cmdDefault_Click();
    void cmdSetDefault_Click();

    controls::ucDropDown* cbxMonth() const;
    controls::ucDropDown* cbxDay() const;
    controls::ucSpinner* spnNoOfLaps() const;
    controls::ucSpinner* spnGrid() const;
    QLineEdit* txtTrackLongName = nullptr;
    QLineEdit* txtShortName = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdDefault = nullptr;
    QPushButton* cmdSetDefault = nullptr;

private:
    void BuildLayout();
    void FillMonths();
    void MonthChanged();
    void ShowEvent();
    std::string Section() const;
    std::string EventValue(const char* key) const;

    clsGPL& gpl_;
    UserInterface& ui_;
    controls::ControlRegistry registry_;
    int entryNo_ = 0;
    // Spelling of the stored month and day ("05" or "5"), so that showing them never rewrites them.
    bool twoDigitMonth_ = false;
    bool twoDigitDay_ = false;
};

// Opens the editor modally on active event `eventNo` (nothing without one).
void EditSeasonEntry(clsGPL& gpl, UserInterface& ui, int eventNo, QWidget* parent = nullptr);

}  // namespace zam
