#pragma once
// File > Restore Settings: lists the files of the installation that have backups beside them,
// lets the user tick files and choose which backup to put back, previews the entries that would
// change, and offers to put every chassis back to its own engine. The dialog only chooses; the
// main window carries the choice out.
#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "zam/model/BackedUpFile.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace zam {

struct RestoreChoice {
    std::vector<std::string> files;  // logical paths of the ticked files
    BackupKind from = BackupKind::kPrevious;
    bool engines = false;
};

class frmRestore : public QDialog {
    Q_OBJECT

public:
    // `enginesCanBeReset`: the engine tables of GPL.EXE were read at start-up and may be written.
    frmRestore(std::vector<BackedUpFile> files, bool enginesCanBeReset, QWidget* parent = nullptr);

    // Shows the dialog modally: the choice, or nothing when the user cancelled.
    static std::optional<RestoreChoice> Ask(QWidget* parent, std::vector<BackedUpFile> files,
                                            bool enginesCanBeReset);

    RestoreChoice Choice() const;
    BackupKind Kind() const;

    QLabel* lblExplain;
    QTreeWidget* lstFiles;
    QRadioButton* optPrevious;
    QRadioButton* optOriginal;
    QRadioButton* optUndo;
    QLabel* lblPreview;
    QTreeWidget* lstPreview;
    QCheckBox* chkEngines;
    QPushButton* cmdRestore;
    QPushButton* cmdCancel;

private:
    QWidget* BuildFileList();
    QWidget* BuildKindChoice();
    QWidget* BuildPreview();
    // The entries of the highlighted file that the chosen backup would change.
    void ShowPreview();
    void UpdateRestoreButton();

    std::vector<BackedUpFile> files_;
};

}  // namespace zam
