#include "zam/frontend/frmFileSelect.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "zam/frontend/FocusChain.h"
#include "zam/frontend/LogicalFolder.h"
#include "zam/frontend/QtText.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Text.h"

namespace zam {

namespace {

constexpr int kNameRole = Qt::UserRole;        // the entry's name as Windows-1252 bytes
constexpr int kParentRole = Qt::UserRole + 1;  // true for the ".." entry

std::string NameOf(const QListWidgetItem& item) {
    return item.data(kNameRole).toByteArray().toStdString();
}

bool IsEnterKey(const QEvent& event) {
    if (event.type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent&>(event).key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Names in the order a person looks for them: without regard to case.
void SortNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = platform::UpperCase(a), ub = platform::UpperCase(b);
        return ua != ub ? ua < ub : a < b;
    });
    names.erase(std::unique(names.begin(), names.end()), names.end());
}

std::vector<std::string> SplitPatterns(const std::string& pattern) {
    std::vector<std::string> patterns;
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t end = pattern.find(';', start);
        if (end == std::string::npos) end = pattern.size();
        const std::string_view one =
            platform::TrimSpaces(std::string_view(pattern).substr(start, end - start));
        if (!one.empty()) patterns.emplace_back(one);
        start = end + 1;
    }
    if (patterns.empty()) patterns.emplace_back("*.*");
    return patterns;
}

// The drive list: "/" where the system's own paths start there, then every drive letter whose
// root can be read (on Linux, the Wine prefix's drives).
std::vector<std::string> AvailableDrives() {
    std::vector<std::string> drives;
    if (std::filesystem::path::preferred_separator == '/' && platform::Fs().FolderExists("/")) {
        drives.emplace_back("/");
    }
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (platform::Fs().FolderExists(std::string{letter, ':', '\\'})) {
            drives.push_back(std::string{letter, ':'});
        }
    }
    return drives;
}

QLabel* BuddyLabel(const char* caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

frmFileSelect::frmFileSelect(UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      Drives(new QComboBox(this)),
      Directory(new QListWidget(this)),
      Files(new QListWidget(this)),
      txtPath(new QLineEdit(this)),
      lblFileName(new QLabel(QStringLiteral("&Name:"), this)),
      txtFileName(new QLineEdit(this)),
      cmdOK(new QPushButton(QStringLiteral("&Select"), this)),
      Cancel(new QPushButton(QStringLiteral("&Cancel"), this)),
      ui_(ui) {
    setObjectName(QStringLiteral("frmFileSelect"));
    Drives->setObjectName(QStringLiteral("Drives"));
    Directory->setObjectName(QStringLiteral("Directory"));
    Files->setObjectName(QStringLiteral("Files"));
    txtPath->setObjectName(QStringLiteral("txtPath"));
    txtFileName->setObjectName(QStringLiteral("txtFileName"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    Cancel->setObjectName(QStringLiteral("Cancel"));
    lblFileName->setBuddy(txtFileName);
    cmdOK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(Cancel);

    // The name box sits below the files, so hiding it leaves both lists aligned.
    auto* layout = new QGridLayout(this);
    layout->addWidget(BuddyLabel("&Folder:", txtPath, this), 0, 0, 1, 2);
    layout->addWidget(txtPath, 1, 0, 1, 2);
    layout->addWidget(BuddyLabel("F&olders:", Directory, this), 2, 0);
    layout->addWidget(BuddyLabel("F&iles:", Files, this), 2, 1);
    layout->addWidget(Directory, 3, 0);
    layout->addWidget(Files, 3, 1);
    layout->addWidget(BuddyLabel("D&rive:", Drives, this), 4, 0);
    layout->addWidget(lblFileName, 4, 1);
    layout->addWidget(Drives, 5, 0);
    layout->addWidget(txtFileName, 5, 1);
    layout->addLayout(buttons, 6, 0, 1, 2);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    resize(560, 400);

    Directory->installEventFilter(this);
    txtPath->installEventFilter(this);
    connect(Directory, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { OpenFolderItem(item); });
    connect(Files, &QListWidget::itemSelectionChanged, this, [this] {
        const auto picked = Files->selectedItems();
        if (!picked.isEmpty()) SetFileName(NameOf(*picked.front()));
    });
    connect(Files, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { SetFileName(NameOf(*item)); });
    connect(Files, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        SetFileName(NameOf(*item));
        SelectClicked();
    });
    connect(Drives, &QComboBox::activated, this,
            [this](int index) { SetDrive(Cp1252FromQt(Drives->itemText(index))); });
    connect(cmdOK, &QPushButton::clicked, this, &frmFileSelect::SelectClicked);
    connect(Cancel, &QPushButton::clicked, this, &frmFileSelect::reject);

    FillDrives();
    SetFormCaption({});
    SetAllowNew(false);
    // Tab reads the dialog from the top: the folder, its lists, the drive, the name, the buttons.
    ChainFocus(nullptr, {txtPath, Directory, Files, Drives, txtFileName, cmdOK, Cancel});
}

void frmFileSelect::SetPath(const std::string& folder) {
    std::string start = folder.empty() ? platform::CurrentDirectory() : folder;
    if (!IsAbsoluteFolder(start)) start = platform::CurrentDirectory() + start;
    if (ShowFolder(start) || ShowFolder(FallbackFolder())) return;
    // Nothing at all can be read: show the usual root with empty lists.
    path_ = FallbackFolder();
    txtPath->setText(QtFromCp1252(path_));
    Directory->clear();
    Files->clear();
}

void frmFileSelect::SetAllowNew(bool allowNew) {
    allowNew_ = allowNew;
    lblFileName->setVisible(allowNew);
    txtFileName->setVisible(allowNew);
    // The dialog opens where the choice is made: the name to type, or the files to pick from.
    (allowNew ? static_cast<QWidget*>(txtFileName) : Files)->setFocus();
}

void frmFileSelect::SetPattern(const std::string& pattern) {
    pattern_ = pattern;
    FillFiles();
}

void frmFileSelect::SetFileName(const std::string& name) {
    txtFileName->setText(QtFromCp1252(name));
}

std::string frmFileSelect::FileName() const {
    return Cp1252FromQt(txtFileName->text());
}

void frmFileSelect::SetFormCaption(const std::string& caption) {
    setWindowTitle(caption.empty() ? QStringLiteral("Select File") : QtFromCp1252(caption));
}

void frmFileSelect::SetDrive(const std::string& drive) {
    const std::string root = DriveRoot(drive);
    if (!root.empty() && ShowFolder(root)) return;
    ui_.ShowMessage("Drive " + drive + "Not Available");
    if (!ShowFolder("C:\\")) ShowFolder(FallbackFolder());
}

void frmFileSelect::SelectClicked() {
    if (txtFileName->text().isEmpty()) {
        ui_.ShowMessage("Please Select a File", "No File Selected");
        return;
    }
    accept();
}

void frmFileSelect::reject() {
    txtFileName->clear();
    QDialog::reject();
}

bool frmFileSelect::eventFilter(QObject* watched, QEvent* event) {
    // Enter opens the folder or goes to the typed one; it must not also press "Select".
    if (IsEnterKey(*event)) {
        if (watched == Directory) {
            OpenFolderItem(Directory->currentItem());
            return true;
        }
        if (watched == txtPath) {
            GoToTypedFolder();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool frmFileSelect::ShowFolder(const std::string& folder) {
    const std::string target = WithOneSeparator(folder);
    if (!platform::Fs().FolderExists(target)) return false;
    path_ = target;
    txtPath->setText(QtFromCp1252(path_));
    FillFolders();
    FillFiles();
    SelectDriveOf(path_);
    // A name picked from the old folder's list is no file of the new one.
    if (!allowNew_) txtFileName->clear();
    return true;
}

std::string frmFileSelect::FallbackFolder() const {
    if (platform::Fs().FolderExists("C:\\")) return "C:\\";
    if (Drives->count() > 0) return DriveRoot(Cp1252FromQt(Drives->itemText(0)));
    return "C:\\";
}

void frmFileSelect::FillDrives() {
    Drives->clear();
    for (const std::string& drive : AvailableDrives()) Drives->addItem(QtFromCp1252(drive));
}

void frmFileSelect::FillFolders() {
    Directory->clear();
    if (!IsRootFolder(path_)) {
        auto* up = new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogToParent),
                                       QStringLiteral(".."), Directory);
        up->setData(kParentRole, true);
    }
    std::vector<std::string> names;
    platform::Fs().List(path_ + "*", platform::kListFolders, names);
    SortNames(names);
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(icon, QtFromCp1252(name), Directory);
        item->setData(kNameRole, QByteArray::fromStdString(name));
    }
}

void frmFileSelect::FillFiles() {
    Files->clear();
    std::vector<std::string> names;
    for (const std::string& one : SplitPatterns(pattern_)) {
        std::vector<std::string> found;
        platform::Fs().List(path_ + one, platform::kListFiles, found);
        names.insert(names.end(), found.begin(), found.end());
    }
    SortNames(names);
    const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
    const QSignalBlocker quiet(Files);  // filling is no choice of the user's
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(icon, QtFromCp1252(name), Files);
        item->setData(kNameRole, QByteArray::fromStdString(name));
    }
}

void frmFileSelect::SelectDriveOf(const std::string& folder) {
    const int index = Drives->findText(QtFromCp1252(DriveOf(folder)), Qt::MatchFixedString);
    const QSignalBlocker quiet(Drives);
    Drives->setCurrentIndex(index);
}

void frmFileSelect::OpenFolderItem(const QListWidgetItem* item) {
    if (!item) return;
    const std::string target = item->data(kParentRole).toBool()
                                   ? ParentFolder(path_)
                                   : path_ + NameOf(*item) + SeparatorOf(path_);
    // A folder that vanished since the list was filled: show what is there now.
    if (!ShowFolder(target)) FillFolders();
}

void frmFileSelect::GoToTypedFolder() {
    if (!ShowFolder(Cp1252FromQt(txtPath->text()))) txtPath->setText(QtFromCp1252(path_));
}

}  // namespace zam
