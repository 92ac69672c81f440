// ZAMDeck: the front end. Everything hangs off the main window's start-up and its events.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <cstdio>
#include <string_view>

#include "zam/Version.h"
#include "zam/frontend/QtUserInterface.h"
#include "zam/frontend/frmZAM.h"

namespace {

// Every size of the icon built into the program (":/icons/<n>x<n>/apps/zamdeck.png").
QIcon WindowIcon() {
    QIcon icon;
    for (const QString& size : QDir(":/icons").entryList())
        icon.addFile(":/icons/" + size + "/apps/zamdeck.png");
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before anything graphical starts, so it works without a display.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("ZAMDeck %s\n", zam::kVersionText);
        return 0;
    }
    QApplication app(argc, argv);
    app.setApplicationName("ZAM Deck");
    app.setApplicationVersion(zam::kVersionText);
    // Matches the installed desktop entry, so a desktop shows the window under its entry.
    app.setDesktopFileName("zamdeck");
    app.setWindowIcon(WindowIcon());
    zam::QtUserInterface ui;
    zam::frmZAM window(ui);
    ui.SetParentWindow(&window);
    if (!window.Load()) return 0;
    window.show();
    window.TellLoaderFailure();
    return app.exec();
}
