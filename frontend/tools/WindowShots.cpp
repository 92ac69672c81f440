// Development aid: opens the main window on a program folder (with its ZAM.Ini) and saves a
// picture of every main tab, and of the first tab in every launch mode, as PNG files. Nothing is
// written back: the window is destroyed without its close sequence.
// Usage: zam_window_shots PROGRAM_FOLDER OUTPUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <cstdio>

#include "zam/frontend/QtUserInterface.h"
#include "zam/frontend/frmZAM.h"
#include "zam/platform/Paths.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    zam::QtUserInterface ui;
    zam::frmZAM::Options options;
    options.programFolder = zam::platform::LogicalFromNative(QDir(argv[1]).absolutePath().toStdString()) + "/";
    options.programName = "ZAMDeck";
    zam::frmZAM window(ui, options);
    ui.SetParentWindow(&window);
    if (!window.Load()) return 1;
    window.show();
    app.processEvents();
    auto shoot = [&](const QString& name) {
        app.processEvents();
        window.grab().save(out.filePath(name + ".png"));
    };
    for (int tab = 0; tab < window.tabGeneral->count(); ++tab) {
        window.tabGeneral->setCurrentIndex(tab);
        shoot(QString("tab%1").arg(tab + 1));
    }
    window.tabGeneral->setCurrentIndex(0);
    for (int mode = 0; mode < 5; ++mode) {
        window.SelectMode(mode);
        shoot(QString("mode%1").arg(mode));
    }
    return 0;
}
