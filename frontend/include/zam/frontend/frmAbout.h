#pragma once
// The about box: title, version, thanks, the warning about what the program changes, and a button
// that starts the system's System Information tool where there is one.
#include <QDialog>
#include <string>

#include "zam/store/UserInterface.h"

class QLabel;
class QPushButton;

namespace zam {

class frmAbout : public QDialog {
    Q_OBJECT

public:
    // Messages go through `ui`.
    explicit frmAbout(UserInterface& ui, QWidget* parent = nullptr);

    // Starts the System Information tool found through the registry, or tells the user that
    // there is none.
    void StartSysInfo();

    // The label texts as Windows-1252 with carriage returns.
    static std::string TitleText();
    static std::string DescriptionText();
    static std::string DisclaimerText();

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;

private:
    // Starts `program` in a normal window; false when it could not be started.
    static bool StartProgram(const std::string& program);

    UserInterface& ui_;
};

}  // namespace zam
