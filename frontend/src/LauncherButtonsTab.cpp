#include "zam/frontend/LauncherButtonsTab.h"

#include <QButtonGroup>
#include <algorithm>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "zam/controls/BoundStore.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucFilePath.h"
#include "zam/model/clsGPL.h"

namespace zam {

namespace {

QPushButton* NewCommand(const char* name, const char* caption, const char* tip, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    return button;
}

// The captions of the run-mode options that carry the program's title.
const std::string kRestartCaption = std::string("Restart ") + kAppTitle + " Afterwards";
const std::string kExitCaption = std::string("Start Then Exit ") + kAppTitle;

}  // namespace

LauncherButtonsTab::LauncherButtonsTab(clsGPL& gpl, UserInterface& ui,
                                       const controls::ControlRegistry& registry,
                                       LauncherActions actions, QWidget* parent)
    : QWidget(parent),
      gpl_(gpl),
      ui_(ui),
      registry_(registry),
      actions_(std::move(actions)),
      buttons_(gpl) {
    setObjectName("LauncherButtonsTab");
    askText = [this](const std::string& prompt, const std::string& title) -> std::optional<std::string> {
        bool ok = false;
        const QString text = QInputDialog::getText(window(), controls::ToQt(title),
                                                   controls::ToQt(prompt), QLineEdit::Normal, {}, &ok);
        if (!ok) return std::nullopt;
        return controls::FromQt(text);
    };
    strip_ = new QWidget;
    strip_->setObjectName("launcherStrip");
    auto* stripLayout = new QVBoxLayout(strip_);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    tabButtons = new QTabBar(strip_);
    tabButtons->setObjectName("tabButtons");
    tabButtons->setExpanding(false);
    tabButtons->setUsesScrollButtons(false);  // all tabs in one row
    stripLayout->addWidget(tabButtons);
    buttonColumn_ = new QVBoxLayout;
    buttonColumn_->setSpacing(4);  // 60 twips
    buttonColumn_->setContentsMargins(4, 4, 4, 4);
    stripLayout->addLayout(buttonColumn_);
    stripLayout->addStretch(1);
    connect(tabButtons, &QTabBar::tabBarClicked, this, [this] { ArrangeButtons(); });
    connect(tabButtons, &QTabBar::currentChanged, this, [this] { ArrangeButtons(); });
    BuildEditor();
}

LauncherButtonsTab::~LauncherButtonsTab() {
    // The strip belongs to whoever placed it; one that was never placed is ours.
    if (strip_ && !strip_->parent()) delete strip_;
}

void LauncherButtonsTab::BuildEditor() {
    lstButtons = new QListWidget(this);
    lstButtons->setObjectName("lstButtons");
    txtButtonName = new QLineEdit(this);
    txtButtonName->setObjectName("txtButtonName");
    txtButtonName->installEventFilter(this);
    frmRunType = new QGroupBox("Program Start Mode", this);
    frmRunType->setObjectName("frmRunType");
    runTypeGroup_ = new QButtonGroup(this);
    auto* modes = new QVBoxLayout(frmRunType);
    optRunType.assign(4, nullptr);
    const std::pair<int, std::pair<std::string, const char*>> options[] = {
        {0, {kRestartCaption, "Use For Programs Which May Amend GPL Ini Files"}},
        {2, {"Start as New Window", "Use For Programs Which Definitely do Not Amend GPL Ini Files"}},
        {3, {kExitCaption, "Use For Programs Which May Start Other Processes (Like WinVROC)"}},
    };
    for (const auto& [index, text] : options) {
        auto* option = new QRadioButton(controls::ToQt(text.first), frmRunType);
        option->setObjectName(QString("optRunType%1").arg(index));
        option->setToolTip(text.second);
        runTypeGroup_->addButton(option, index);
        modes->addWidget(option);
        optRunType[static_cast<std::size_t>(index)] = option;
    }
    cmdNewButton = NewCommand("cmdNewButton", "&New Button", "Add New Button to Current Tab", this);
    cmdMoveUp = NewCommand("cmdMoveUp", "Move &Up", "Move Button up in the List", this);
    cmdMoveDown = NewCommand("cmdMoveDown", "Move &Down", "Move Button Down in the List", this);
    cmdRemoveButton =
        NewCommand("cmdRemoveButton", "Remo&ve Button", "Delete currently selected button", this);
    cmdNewTab = NewCommand("cmdNewTab", "New Ta&b", "Create New Button Tab", this);
    cmdRenameTab = NewCommand("cmdRenameTab", "Rena&me Tab", "Rename Current Button Tab", this);

    // The list of buttons on the left; on the right what belongs to the selected one: its
    // caption, its tab and program (the window puts its "Tabs & Buttons" frame there), its start
    // mode.
    auto* listLabel = new QLabel("Currentl&y Defined Buttons", this);
    listLabel->setBuddy(lstButtons);
    auto* nameLabel = new QLabel("Capt&ion to Display on Button", this);
    nameLabel->setBuddy(txtButtonName);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(listLabel, 0, 0);
    grid->addWidget(lstButtons, 1, 0, 5, 1);
    grid->addWidget(nameLabel, 0, 1);
    grid->addWidget(txtButtonName, 1, 1);
    frameArea_ = new QWidget(this);
    frameArea_->setObjectName("buttonFrameArea");
    grid->addWidget(frameArea_, 2, 1);
    grid->addWidget(frmRunType, 3, 1);
    auto* commands = new QGridLayout;
    commands->addWidget(cmdNewButton, 0, 0);
    commands->addWidget(cmdRemoveButton, 0, 1);
    commands->addWidget(cmdMoveUp, 1, 0);
    commands->addWidget(cmdMoveDown, 1, 1);
    commands->addWidget(cmdNewTab, 2, 0);
    commands->addWidget(cmdRenameTab, 2, 1);
    grid->addLayout(commands, 4, 1);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(0, 1);

    connect(lstButtons, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) ShowButton(row);
    });
    connect(runTypeGroup_, &QButtonGroup::idClicked, this, [this](int id) { SelectRunMode(id); });
    connect(txtButtonName, &QLineEdit::editingFinished, this, [this] { ValidateName(); });
    connect(cmdNewButton, &QPushButton::clicked, this, [this] { cmdNewButton_Click(); });
    connect(cmdRemoveButton, &QPushButton::clicked, this, [this] { cmdRemoveButton_Click(); });
    connect(cmdMoveUp, &QPushButton::clicked, this, [this] { cmdMoveUp_Click(); });
    connect(cmdMoveDown, &QPushButton::clicked, this, [this] { cmdMoveDown_Click(); });
    connect(cmdNewTab, &QPushButton::clicked, this, [this] { cmdNewTab_Click(); });
    connect(cmdRenameTab, &QPushButton::clicked, this, [this] { cmdRenameTab_Click(); });
    if (auto* path = registry_.FilePath("pthProgram"))
        connect(path, &controls::BoundControl::Change, this, [this] { PathChanged(); });
    if (auto* tab = registry_.DropDown("cbxTab"))
        connect(tab, &controls::BoundControl::Change, this, [this] { ArrangeButtons(); });
}

std::vector<QWidget*> LauncherButtonsTab::TabOrder() const {
    std::vector<QWidget*> order = {lstButtons, txtButtonName, frameArea_};
    for (QRadioButton* option : optRunType) order.push_back(option);
    for (QWidget* command :
         {cmdNewButton, cmdRemoveButton, cmdMoveUp, cmdMoveDown, cmdNewTab, cmdRenameTab})
        order.push_back(command);
    return order;
}

bool LauncherButtonsTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtButtonName && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            ValidateName();
            if (auto* path = registry_.FilePath("pthProgram")) path->TextBox()->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LauncherButtonsTab::AddButtonElement(int n) {
    auto* button = new QPushButton(strip_);
    button->setObjectName(QString("cmdButton%1").arg(n));
    connect(button, &QPushButton::clicked, this, [this, n] { RunButton(n); });
    buttonColumn_->addWidget(button);
    cmdButton.push_back(button);
}

void LauncherButtonsTab::Build() {
    buttons_.Initialise();
    while (tabButtons->count() > 0) tabButtons->removeTab(0);
    const int tabs = buttons_.TabCount();
    for (int t = 0; t < tabs; ++t) tabButtons->addTab(controls::ToQt(buttons_.TabName(t)));
    tabButtons->setCurrentIndex(0);
    const int count = buttons_.ButtonCount();
    for (int n = static_cast<int>(cmdButton.size()); n < count; ++n) AddButtonElement(n);
    RenumberCaptions();
    ArrangeButtons();
}

void LauncherButtonsTab::RenumberCaptions() {
    for (std::size_t n = 0; n < cmdButton.size(); ++n)
        cmdButton[n]->setText(controls::ToQt(buttons_.Name(static_cast<int>(n))));
}

void LauncherButtonsTab::ArrangeButtons() {
    const int current = tabButtons->currentIndex();
    for (std::size_t n = 0; n < cmdButton.size(); ++n)
        cmdButton[n]->setVisible(buttons_.Tab(static_cast<int>(n)) == current);
}

void LauncherButtonsTab::RefreshButtonList() {
    if (auto* tab = registry_.DropDown("cbxTab")) {
        tab->Clear();
        for (int t = 0; t < tabButtons->count(); ++t)
            tab->AddItem(controls::FromQt(tabButtons->tabText(t)), std::to_string(t));
    }
    const QSignalBlocker quiet(lstButtons);
    lstButtons->clear();
    for (std::size_t n = 0; n < cmdButton.size(); ++n)
        lstButtons->addItem(controls::ToQt(buttons_.Name(static_cast<int>(n))));
    lstButtons->setCurrentRow(0);
    ShowButton(0);
}

int LauncherButtonsTab::SelectedLine() const { return lstButtons->currentRow(); }

void LauncherButtonsTab::ShowRunMode(int option) {
    const QSignalBlocker quiet(runTypeGroup_);
    if (QAbstractButton* button = runTypeGroup_->button(option)) button->setChecked(true);
}

void LauncherButtonsTab::ShowButton(int n) {
    txtButtonName->setText(controls::ToQt(buttons_.Name(n)));
    txtButtonName->setEnabled(n != 0);
    if (auto* path = registry_.FilePath("pthProgram")) {
        path->SetEntry("Path" + std::to_string(n));
        path->Refresh();
    }
    ShowRunMode(RunModeOption(buttons_.RunMode(n)));
    if (auto* tab = registry_.DropDown("cbxTab")) {
        tab->SetEntry("Tab" + std::to_string(n));
        tab->Refresh();
    }
}

void LauncherButtonsTab::SelectRunMode(int option) {
    ShowRunMode(option);
    const int n = SelectedLine();
    if (n >= 0) buttons_.SetRunMode(n, RunModeOfOption(option));
}

void LauncherButtonsTab::PathChanged() {
    const int n = SelectedLine();
    auto* path = registry_.FilePath("pthProgram");
    if (n < 0 || !path) return;
    const std::string program = path->Value();
    const std::string name = controls::FromQt(txtButtonName->text());
    if (name.empty() || name == "?") {
        bool exitMode = false;
        const std::string derived = NameFromProgramPath(program, exitMode);
        if (exitMode) SelectRunMode(3);
        txtButtonName->setText(controls::ToQt(derived));
        ValidateName();
    }
    if (n == 0 && onEditorPathChanged) onEditorPathChanged(!program.empty());
}

void LauncherButtonsTab::ValidateName() {
    const int n = SelectedLine();
    if (n < 0) return;
    if (n == 0) txtButtonName->setText(kEditSetupButton);  // the built-in button keeps its name
    const std::string stored = buttons_.SetName(n, controls::FromQt(txtButtonName->text()));
    txtButtonName->setText(controls::ToQt(stored));
    if (QListWidgetItem* line = lstButtons->item(n)) line->setText(controls::ToQt(stored));
    if (n < static_cast<int>(cmdButton.size()))
        cmdButton[static_cast<std::size_t>(n)]->setText(controls::ToQt(stored));
}

void LauncherButtonsTab::cmdNewButton_Click() {
    const int n = buttons_.NewButton(std::max(0, tabButtons->currentIndex()));
    AddButtonElement(n);
    cmdButton.back()->setText(controls::ToQt(buttons_.Name(n)));
    {
        const QSignalBlocker quiet(lstButtons);
        lstButtons->addItem(controls::ToQt(buttons_.Name(n)));
        lstButtons->setCurrentRow(n);
    }
    txtButtonName->clear();
    txtButtonName->setEnabled(true);
    ShowRunMode(0);
    auto* path = registry_.FilePath("pthProgram");
    if (path) {
        path->SetEntry("Path" + std::to_string(n));
        path->SetValue("");
    }
    if (auto* tab = registry_.DropDown("cbxTab")) {
        tab->SetEntry("Tab" + std::to_string(n));
        tab->Refresh();
    }
    ArrangeButtons();
    if (path) {
        path->SetPath(gpl_.Directory());
        path->Browse();
    }
}

void LauncherButtonsTab::SwapLines(int a, int b) {
    buttons_.SwapButtons(a, b);
    for (int line : {a, b})
        if (QListWidgetItem* item = lstButtons->item(line))
            item->setText(controls::ToQt(buttons_.Name(line)));
    RenumberCaptions();
    lstButtons->setCurrentRow(b);
    ArrangeButtons();
}

void LauncherButtonsTab::cmdRemoveButton_Click() {
    const int n = SelectedLine();
    if (n < 0) return;
    const bool yes = ui_.Ask("Delete " + buttons_.Name(n) + " button?", "Confirm Button Deletion");
    if (n < 1 || !yes) return;
    const int last = static_cast<int>(cmdButton.size()) - 1;
    for (int line = n; line < last; ++line) SwapLines(line, line + 1);
    buttons_.RemoveButton(last);  // only clears the last one now
    delete cmdButton.back();
    cmdButton.pop_back();
    {
        const QSignalBlocker quiet(lstButtons);
        delete lstButtons->takeItem(last);
    }
    lstButtons->setCurrentRow(std::min(n, last - 1));
    ShowButton(lstButtons->currentRow());
    ArrangeButtons();
}

void LauncherButtonsTab::cmdMoveUp_Click() {
    const int n = SelectedLine();
    if (n >= 2 && n < static_cast<int>(cmdButton.size())) SwapLines(n, n - 1);
}

void LauncherButtonsTab::cmdMoveDown_Click() {
    const int n = SelectedLine();
    if (n >= 1 && n + 1 < static_cast<int>(cmdButton.size())) SwapLines(n, n + 1);
}

void LauncherButtonsTab::cmdNewTab_Click() {
    if (!ui_.Ask("Are you sure you want to add a new button tab?", "Confirm New Tab")) return;
    const int t = buttons_.AddTab();
    tabButtons->addTab("New Tab");
    tabButtons->setCurrentIndex(t);
    ArrangeButtons();
    RefreshButtonList();
}

void LauncherButtonsTab::cmdRenameTab_Click() {
    if (!askText) return;
    const std::optional<std::string> name = askText("Enter New name For Tab", "Rename Tab");
    if (!name || name->empty()) return;
    const int t = tabButtons->currentIndex();
    if (t < 0) return;
    tabButtons->setTabText(t, controls::ToQt(*name));
    buttons_.SetTabName(t, *name);
    RefreshButtonList();
}

void LauncherButtonsTab::RunButton(int n) { buttons_.Run(n, ui_, actions_); }

}  // namespace zam
