// ZAMDeck: the front end. Everything hangs off the main window's start-up and its events.
#include <QApplication>

#include "zam/frontend/QtUserInterface.h"
#include "zam/frontend/frmZAM.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("ZAM Deck");
    zam::QtUserInterface ui;
    zam::frmZAM window(ui);
    ui.SetParentWindow(&window);
    if (!window.Load()) return 0;
    window.show();
    window.TellLoaderFailure();
    return app.exec();
}
