#pragma once
// The program's own file selection dialog: a drive list, a folder list, a file list filtered by
// patterns and, when a new name may be typed, a name box. It works on logical folders, so the same
// dialog walks "C:\Sierra\GPL\" (through the Wine prefix on Linux) and native POSIX folders.
#include <QDialog>
#include <string>

#include "zam/store/UserInterface.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace zam {

class frmFileSelect : public QDialog {
    Q_OBJECT

public:
    // Messages of the dialog go through `ui`.
    explicit frmFileSelect(UserInterface& ui, QWidget* parent = nullptr);

    // Shows that folder; when it cannot be read, "C:\" (or the first readable drive) instead.
    void SetPath(const std::string& folder);
    // The folder shown, ending in exactly one separator.
    const std::string& Path() const { return path_; }

    // The name box is visible only while new names are allowed.
    void SetAllowNew(bool allowNew);
    bool AllowNew() const { return allowNew_; }

    // Patterns of the file list, separated by ";" ("*.exe;*.com;*.bat").
    void SetPattern(const std::string& pattern);
    const std::string& Pattern() const { return pattern_; }

    void SetFileName(const std::string& name);
    std::string FileName() const;

    // Window caption; "Select File" when empty.
    void SetFormCaption(const std::string& caption);

    // Selects a drive given as its drive-list text ("c:", "c: [label]" or "/") and shows its root.
    void SetDrive(const std::string& drive);

    QComboBox* Drives;
    QListWidget* Directory;
    QListWidget* Files;
    QLineEdit* txtPath;  // the folder shown; a folder typed here and Enter goes there
    QLabel* lblFileName;
    QLineEdit* txtFileName;
    QPushButton* cmdOK;
    QPushButton* Cancel;

public slots:
    // "&Select": keeps the dialog open with a message when no name is chosen.
    void SelectClicked();
    // "&Cancel" and every other way of closing: no file.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Lists `folder` and makes it the current one; false (nothing changed) when it cannot be read.
    bool ShowFolder(const std::string& folder);
    std::string FallbackFolder() const;
    void FillDrives();
    void FillFolders();
    void FillFiles();
    void SelectDriveOf(const std::string& folder);
    void OpenFolderItem(const QListWidgetItem* item);
    void GoToTypedFolder();

    UserInterface& ui_;
    std::string path_;
    std::string pattern_;
    bool allowNew_ = false;
};

}  // namespace zam
