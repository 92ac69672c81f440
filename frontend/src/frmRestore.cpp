#include "zam/frontend/frmRestore.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "zam/frontend/QtText.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/FileTime.h"
#include "zam/store/IniDifference.h"

namespace zam {

namespace {

constexpr const char* kExplanation =
    "Tick the files to put back and choose which of their backups to use. Each file that is "
    "replaced is kept beside it as <i>file</i>.rst, so a restore can itself be undone with "
    "\"as before the last restore\".<br><br><b>ZAMDeck then starts again without saving: the "
    "changes made in this window since it started are dropped.</b>";

// Column of each backup kind in the file list (column 0 is the file's name).
int ColumnOf(BackupKind kind) { return static_cast<int>(kind) + 1; }

QString Dated(const BackedUpFile& file, BackupKind kind) {
    const BackupCopy* copy = file.Copy(kind);
    if (!copy) return QString::fromUtf8("\u2014");
    if (copy->modified == 0) return QStringLiteral("yes");
    return QString::fromStdString(platform::FormatLocalTime(copy->modified));
}

QString Shown(bool present, const std::string& value) {
    return present ? QtFromCp1252(value) : QStringLiteral("(none)");
}

}  // namespace

frmRestore::frmRestore(std::vector<BackedUpFile> files, bool enginesCanBeReset, QWidget* parent)
    : QDialog(parent), files_(std::move(files)) {
    setObjectName(QStringLiteral("frmRestore"));
    setWindowTitle(QStringLiteral("Restore Settings"));
    setModal(true);

    lblExplain = new QLabel(QString::fromLatin1(kExplanation), this);
    lblExplain->setObjectName(QStringLiteral("lblExplain"));
    lblExplain->setWordWrap(true);

    chkEngines = new QCheckBox(
        QStringLiteral("Put every chassis back to its own &engine in GPL.EXE (a custom class "
                       "applies its own engines again when ZAMDeck next closes)"),
        this);
    chkEngines->setObjectName(QStringLiteral("chkEngines"));
    chkEngines->setEnabled(enginesCanBeReset);

    auto* buttons = new QDialogButtonBox(this);
    cmdRestore = buttons->addButton(QStringLiteral("&Restore"), QDialogButtonBox::AcceptRole);
    cmdRestore->setObjectName(QStringLiteral("cmdRestore"));
    cmdCancel = buttons->addButton(QDialogButtonBox::Cancel);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblExplain);
    auto* lblFiles = new QLabel(QStringLiteral("Files with &backups (Space ticks one):"), this);
    layout->addWidget(lblFiles);
    layout->addWidget(BuildFileList(), 2);
    lblFiles->setBuddy(lstFiles);
    layout->addWidget(BuildKindChoice());
    layout->addWidget(BuildPreview(), 3);
    layout->addWidget(chkEngines);
    layout->addWidget(buttons);

    // Tab follows the page from top to bottom, starting in the list.
    QWidget* previous = lstFiles;
    for (QWidget* next : std::initializer_list<QWidget*>{optPrevious, optOriginal, optUndo, lstPreview,
                                                         chkEngines, cmdRestore, cmdCancel}) {
        setTabOrder(previous, next);
        previous = next;
    }
    lstFiles->setFocus();

    connect(chkEngines, &QCheckBox::toggled, this, [this] { UpdateRestoreButton(); });
    if (lstFiles->topLevelItemCount() > 0) lstFiles->setCurrentItem(lstFiles->topLevelItem(0));
    ShowPreview();
    UpdateRestoreButton();
    resize(760, 620);
}

QWidget* frmRestore::BuildFileList() {
    lstFiles = new QTreeWidget(this);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    lstFiles->setRootIsDecorated(false);
    lstFiles->setHeaderLabels({QStringLiteral("File"), QStringLiteral("Last session (.prv)"),
                               QStringLiteral("First change (.bak)"),
                               QStringLiteral("Last restore (.rst)")});
    for (const BackedUpFile& file : files_) {
        auto* item = new QTreeWidgetItem(lstFiles);
        item->setText(0, QtFromCp1252(file.relative));
        item->setToolTip(0, QtFromCp1252(file.path));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        for (BackupKind kind : kBackupKinds) item->setText(ColumnOf(kind), Dated(file, kind));
    }
    lstFiles->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (BackupKind kind : kBackupKinds)
        lstFiles->header()->setSectionResizeMode(ColumnOf(kind), QHeaderView::ResizeToContents);
    connect(lstFiles, &QTreeWidget::currentItemChanged, this, [this] { ShowPreview(); });
    connect(lstFiles, &QTreeWidget::itemChanged, this, [this] { UpdateRestoreButton(); });
    if (files_.empty()) {
        auto* none = new QTreeWidgetItem(lstFiles);
        none->setText(0, QStringLiteral("No file has a backup yet: ZAMDeck makes them when it "
                                        "saves a changed file."));
        none->setFlags(Qt::NoItemFlags);
        none->setFirstColumnSpanned(true);  // the sentence is wider than the file column
    }
    return lstFiles;
}

QWidget* frmRestore::BuildKindChoice() {
    auto* box = new QGroupBox(QStringLiteral("Put the ticked files back"), this);
    optPrevious = new QRadioButton(QStringLiteral("&As before the last session (.prv)"), box);
    optOriginal = new QRadioButton(QStringLiteral("As before ZAMDeck &first changed them (.bak)"), box);
    optUndo = new QRadioButton(QStringLiteral("As before the last res&tore (.rst)"), box);
    optPrevious->setObjectName(QStringLiteral("optPrevious"));
    optOriginal->setObjectName(QStringLiteral("optOriginal"));
    optUndo->setObjectName(QStringLiteral("optUndo"));
    optPrevious->setChecked(true);
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (QRadioButton* option : {optPrevious, optOriginal, optUndo}) {
        group->addButton(option);
        layout->addWidget(option);
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (!on) return;
            ShowPreview();
            UpdateRestoreButton();
        });
    }
    return box;
}

QWidget* frmRestore::BuildPreview() {
    auto* area = new QWidget(this);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    lblPreview = new QLabel(area);
    lblPreview->setObjectName(QStringLiteral("lblPreview"));
    lblPreview->setWordWrap(true);
    lstPreview = new QTreeWidget(area);
    lstPreview->setObjectName(QStringLiteral("lstPreview"));
    lstPreview->setRootIsDecorated(false);
    lstPreview->setHeaderLabels({QStringLiteral("Section"), QStringLiteral("Entry"),
                                 QStringLiteral("Now"), QStringLiteral("After restoring")});
    layout->addWidget(lblPreview);
    layout->addWidget(lstPreview);
    return area;
}

BackupKind frmRestore::Kind() const {
    if (optOriginal->isChecked()) return BackupKind::kOriginal;
    if (optUndo->isChecked()) return BackupKind::kBeforeRestore;
    return BackupKind::kPrevious;
}

void frmRestore::ShowPreview() {
    lstPreview->clear();
    const int row = lstFiles->indexOfTopLevelItem(lstFiles->currentItem());
    if (row < 0 || row >= static_cast<int>(files_.size())) {
        lblPreview->setText(QStringLiteral("Preview: choose a file in the list."));
        return;
    }
    const BackedUpFile& file = files_[static_cast<std::size_t>(row)];
    const QString name = QtFromCp1252(file.relative);
    const std::string backup = file.path + std::string(BackupSuffix(Kind()));
    std::string now, then;
    bool exists = false, backupExists = false;
    const platform::Status readBackup = platform::Fs().ReadAllIfExists(backup, then, backupExists);
    const platform::Status readNow = platform::Fs().ReadAllIfExists(file.path, now, exists);
    if (!readBackup.ok() || !readNow.ok()) {
        const std::string why = !readBackup.ok() ? backup + ": " + readBackup.description
                                                 : file.path + ": " + readNow.description;
        lblPreview->setText(QStringLiteral("Preview: can't read ") + QtFromCp1252(why));
        return;
    }
    if (!backupExists) {
        lblPreview->setText(QStringLiteral("Preview: %1 has no %2 backup; it is left as it is.")
                                .arg(name, QString::fromLatin1(BackupSuffix(Kind()).data(),
                                                               static_cast<int>(BackupSuffix(Kind()).size()))));
        return;
    }
    const std::vector<IniDifference> differences = CompareIniTexts(now, then);
    for (const IniDifference& d : differences) {
        auto* item = new QTreeWidgetItem(lstPreview);
        item->setText(0, QtFromCp1252(d.section));
        item->setText(1, QtFromCp1252(d.entry));
        item->setText(2, Shown(d.inCurrent, d.current));
        item->setText(3, Shown(d.inOther, d.other));
    }
    if (now == then)
        lblPreview->setText(QStringLiteral("Preview: %1 already is as this backup.").arg(name));
    else if (differences.empty())
        lblPreview->setText(
            QStringLiteral("Preview: %1 differs from this backup only in layout and comments.").arg(name));
    else if (differences.size() == 1)
        lblPreview->setText(QStringLiteral("Preview: 1 entry of %1 changes.").arg(name));
    else
        lblPreview->setText(QStringLiteral("Preview: %1 entries of %2 change.")
                                .arg(QString::number(differences.size()), name));
    for (int column = 0; column < 3; ++column) lstPreview->resizeColumnToContents(column);
}

RestoreChoice frmRestore::Choice() const {
    RestoreChoice choice;
    choice.from = Kind();
    choice.engines = chkEngines->isEnabled() && chkEngines->isChecked();
    for (int row = 0; row < static_cast<int>(files_.size()); ++row)
        if (lstFiles->topLevelItem(row)->checkState(0) == Qt::Checked)
            choice.files.push_back(files_[static_cast<std::size_t>(row)].path);
    return choice;
}

// Enabled while the restore would do something: a ticked file has the chosen backup, or the
// engines are to be reset.
void frmRestore::UpdateRestoreButton() {
    bool any = chkEngines->isEnabled() && chkEngines->isChecked();
    for (int row = 0; row < static_cast<int>(files_.size()) && !any; ++row)
        any = lstFiles->topLevelItem(row)->checkState(0) == Qt::Checked &&
              files_[static_cast<std::size_t>(row)].Copy(Kind()) != nullptr;
    cmdRestore->setEnabled(any);
}

std::optional<RestoreChoice> frmRestore::Ask(QWidget* parent, std::vector<BackedUpFile> files,
                                             bool enginesCanBeReset) {
    frmRestore dialog(std::move(files), enginesCanBeReset, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}

}  // namespace zam
