#pragma once
// The launcher buttons on the main window: the strip of button tabs (tabButtons) with the buttons
// of the selected tab (cmdButton, element N for button N), and the editor of the "&5 - Buttons"
// tab (the list of buttons, name, run mode, new/remove/move, new and rename tab). The editor also
// drives the catalogue's pthProgram and cbxTab, which the window holds in its registry.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "zam/controls/ControlRegistry.h"
#include "zam/frontend/LauncherButtons.h"
#include "zam/store/UserInterface.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabBar;
class QVBoxLayout;

namespace zam {

class clsGPL;

class LauncherButtonsTab : public QWidget {
    Q_OBJECT
public:
    LauncherButtonsTab(clsGPL& gpl, UserInterface& ui, const controls::ControlRegistry& registry,
                       LauncherActions actions, QWidget* parent = nullptr);
    ~LauncherButtonsTab() override;

    // The strip of button tabs and buttons; the window places it.
    QWidget* Strip() const { return strip_; }
    // Where the window puts the selected button's tab and program (the "Tabs & Buttons" frame).
    QWidget* FrameArea() const { return frameArea_; }
    // The editor's controls in the order Tab visits them.
    std::vector<QWidget*> TabOrder() const;
    LauncherButtons& Data() { return buttons_; }

    // Asks for a text (the tab's new name); nothing when cancelled. Defaults to an input box.
    std::function<std::optional<std::string>(const std::string& prompt, const std::string& title)>
        askText;
    // Button 0's path changed: the setup editor button follows whether it has a program.
    std::function<void(bool hasEditor)> onEditorPathChanged;

    // Start-up: tabs and buttons from ZAM.Ini.
    void Build();
    void ArrangeButtons();
    void RefreshButtonList();
    // A click on line n of the list.
    void ShowButton(int n);
    int SelectedLine() const;

    // The editor's commands.
    void SelectRunMode(int option);
    void PathChanged();
    void ValidateName();
    void cmdNewButton_Click();
    void cmdRemoveButton_Click();
    void cmdMoveUp_Click();
    void cmdMoveDown_Click();
    void cmdNewTab_Click();
    void cmdRenameTab_Click();
    void RunButton(int n);

    QTabBar* tabButtons = nullptr;
    std::vector<QPushButton*> cmdButton;
    QListWidget* lstButtons = nullptr;
    QLineEdit* txtButtonName = nullptr;
    QGroupBox* frmRunType = nullptr;
    std::vector<QRadioButton*> optRunType;  // elements 0, 2 and 3 (1 is null)
    QPushButton* cmdNewButton = nullptr;
    QPushButton* cmdMoveUp = nullptr;
    QPushButton* cmdMoveDown = nullptr;
    QPushButton* cmdRemoveButton = nullptr;
    QPushButton* cmdNewTab = nullptr;
    QPushButton* cmdRenameTab = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildEditor();
    void AddButtonElement(int n);
    void ShowRunMode(int option);
    void SwapLines(int a, int b);
    void RenumberCaptions();

    clsGPL& gpl_;
    UserInterface& ui_;
    const controls::ControlRegistry& registry_;
    LauncherActions actions_;
    LauncherButtons buttons_;
    QPointer<QWidget> strip_;
    QWidget* frameArea_ = nullptr;
    QVBoxLayout* buttonColumn_ = nullptr;
    QButtonGroup* runTypeGroup_ = nullptr;
};

}  // namespace zam
