// Development aid: opens the main window on a program folder (with its ZAM.Ini) as a first start
// does and saves a picture of every main tab, of the first tab in every launch mode, and of the
// dialogs (season entry editor, file selection, about box, exit dialog, status window) as PNG
// files. Beside them, report.txt says for each picture whether a page scrolls and lists the
// keyboard focus order. Nothing is written back: the window is destroyed without its close
// sequence (screenshots waiting in the simulator folder are archived, as at every start).
// Run it with QT_SCALE_FACTOR=2 (and a screen twice as large) for pictures of a high-DPI screen;
// SUFFIX, when given, ends every file name ("_x2").
// Usage: zam_window_shots PROGRAM_FOLDER OUTPUT_FOLDER [SUFFIX]
#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextStream>
#include <QTreeWidget>
#include <cstdio>

#include "zam/frontend/LaunchCommand.h"
#include "zam/frontend/QtUserInterface.h"
#include "zam/frontend/frmAbout.h"
#include "zam/frontend/frmEditSeasonEntry.h"
#include "zam/frontend/frmFileSelect.h"
#include "zam/frontend/frmRestore.h"
#include "zam/frontend/frmShutdown.h"
#include "zam/frontend/frmStatus.h"
#include "zam/frontend/frmZAM.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/Paths.h"

namespace {

// The widgets that Tab visits, in order: the focus chain of the window, less what cannot take
// the focus now. A widget without a name is shown by its nearest named parent and its class.
QString FocusOrder(QWidget& window) {
    QStringList names;
    for (QWidget* w = window.nextInFocusChain(); w && w != &window; w = w->nextInFocusChain()) {
        if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus)) continue;
        QString name = w->objectName();
        for (QWidget* p = w->parentWidget(); name.isEmpty() && p; p = p->parentWidget())
            if (!p->objectName().isEmpty())
                name = p->objectName() + ">" + w->metaObject()->className();
        names << name;
    }
    return names.join(", ");
}

bool PageScrolls(const QTabWidget& tabs) {
    const auto* page = qobject_cast<const QAbstractScrollArea*>(tabs.currentWidget());
    return page &&
           (page->horizontalScrollBar()->maximum() > 0 || page->verticalScrollBar()->maximum() > 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER OUTPUT_FOLDER [SUFFIX]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QString suffix = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString();
    QFile reportFile(out.filePath("report" + suffix + ".txt"));
    if (!reportFile.open(QIODevice::WriteOnly | QIODevice::Text)) return 1;
    QTextStream report(&reportFile);

    zam::QtUserInterface ui;
    zam::frmZAM::Options options;
    options.programFolder = zam::platform::LogicalFromNative(QDir(argv[1]).absolutePath().toStdString()) + "/";
    options.programName = "ZAMDeck";
    zam::frmZAM window(ui, options);
    ui.SetParentWindow(&window);
    if (!window.Load()) return 1;
    window.show();
    app.processEvents();
    report << "window " << window.width() << "x" << window.height() << " at " << window.x() << ","
           << window.y() << ", device pixel ratio " << window.devicePixelRatioF() << "\n";

    auto save = [&](QWidget& widget, const QString& name) {
        app.processEvents();
        widget.grab().save(out.filePath(name + suffix + ".png"));
        const QWidget* focus = widget.window()->focusWidget();
        report << name << ": " << widget.width() << "x" << widget.height() << "\n  focus on "
               << (focus ? focus->objectName() : QString("nothing"))
               << ", Tab: " << FocusOrder(*widget.window()) << "\n";
    };
    auto shoot = [&](const QString& name) {
        app.processEvents();
        save(window, name);
        report << "  scrolls: " << (PageScrolls(*window.tabGeneral) ? "YES" : "no") << "\n";
    };
    for (int tab = 0; tab < window.tabGeneral->count(); ++tab) {
        window.tabGeneral->setCurrentIndex(tab);
        shoot(QString("tab%1").arg(tab + 1));
    }
    window.tabGeneral->setCurrentIndex(0);
    for (int mode = 0; mode < zam::kModeCount; ++mode) {
        window.SelectMode(mode);
        shoot(QString("mode%1").arg(mode));
    }

    zam::frmEditSeasonEntry entry(*window.GPL(), ui, &window);
    entry.SetEntryNo(1);
    entry.show();
    save(entry, "dialog_season_entry");
    entry.hide();

    zam::frmFileSelect files(ui, &window);
    files.SetPath(window.GPL()->Directory() + "Seasons\\");
    files.SetPattern("*.ini");
    files.SetFormCaption("Save Season File");
    files.SetAllowNew(true);
    files.show();
    save(files, "dialog_file_select");
    files.hide();

    zam::frmAbout about(ui, &window);
    about.show();
    save(about, "dialog_about");
    about.hide();

    zam::frmShutdown exitDialog(&window);
    exitDialog.show();
    save(exitDialog, "dialog_exit");
    exitDialog.hide();

    // The restore dialog on the backups found, the first file highlighted and ticked; then the
    // preview of a backup kind that file may not have.
    zam::frmRestore restore(zam::FindBackedUpFiles(window.GPL()->Directory()), true, &window);
    restore.show();
    if (QTreeWidgetItem* first = restore.lstFiles->topLevelItem(0)) {
        restore.lstFiles->setCurrentItem(first);
        if (first->flags() & Qt::ItemIsUserCheckable) first->setCheckState(0, Qt::Checked);
    }
    save(restore, "dialog_restore");
    restore.optUndo->setChecked(true);
    save(restore, "dialog_restore_undo");
    restore.hide();

    zam::frmStatus status;
    status.lblMessage->setText("Reading\n\nC:\\Sierra\\GPL\\Players\\Sam Driver\\Player.ini");
    status.show();
    save(status, "dialog_status");
    return 0;
}
