// Start-up benchmark: the main window's load up to its first paint on a large generated
// installation, against a bare window shown by the same process. Prints the best of three for
// each and their ratio; nothing is asserted.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "SilentUi.h"
#include "zam/frontend/frmZAM.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"
#include "zam/platform/System.h"
#include "zam/store/Globals.h"
#include "zam/tools/DemoInstallation.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRuns = 3;
constexpr int kPaintTimeoutMs = 30'000;

// Nothing is started and the machine is never asked to go down; no sound plays.
class InertLauncher final : public zam::platform::ProcessLauncher {
public:
    zam::platform::Status Start(std::string_view, zam::platform::ProcessId&) override {
        return zam::platform::Status::Error(zam::platform::kPermissionDenied);
    }
    zam::platform::Status Wait(zam::platform::ProcessId, zam::platform::ProcessExit&) override {
        return zam::platform::Status::Ok();
    }
};

class InertSystem final : public zam::platform::SystemServices {
public:
    zam::platform::Status RequestPowerAction(zam::platform::PowerAction) override {
        return zam::platform::Status::Error(zam::platform::kPermissionDenied);
    }
    void PlaySoundAsync(std::string_view) override {}
    bool GetKeyValue(std::string_view, std::string_view, std::string& value) override {
        value.clear();
        return false;
    }
};

// Quits its loop at the first paint event of the watched widget.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(QEventLoop& loop) : loop_(loop) {}
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            loop_.quit();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop& loop_;
};

// Shows what `make` returns and milliseconds from before `make` until its first paint; negative
// when it failed or never painted. `done` disposes of the widget.
template <typename W>
double TimeToFirstPaint(const std::function<std::unique_ptr<W>()>& make,
                        const std::function<void(W&)>& done) {
    QEventLoop loop;
    FirstPaint watcher(loop);
    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<W> widget = make();
    if (!widget) return -1;
    widget->installEventFilter(&watcher);
    widget->show();
    if (!watcher.painted) {
        QTimer::singleShot(kPaintTimeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    widget->removeEventFilter(&watcher);
    done(*widget);
    return watcher.painted ? ms : -1;
}

double Best(const std::function<double()>& run) {
    double best = -1;
    for (int i = 0; i < kRuns; ++i) {
        const double ms = run();
        if (ms < 0) return -1;
        if (best < 0 || ms < best) best = ms;
    }
    return best;
}

void WriteFile(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

struct Installation {
    fs::path root;
    std::string prog;  // logical, ending in a separator

    Installation() {
        root = fs::temp_directory_path() /
               ("zam_bench_startup_" + std::to_string(QCoreApplication::applicationPid()));
        fs::remove_all(root);
        const fs::path gpl = root / "gpl";
        zam::tools::DemoOptions demo;
        demo.tracks = 200;
        demo.players = 40;
        zam::tools::MakeDemoInstallation(gpl, demo);
        fs::create_directories(root / "prog");
        prog = zam::platform::LogicalFromNative(root / "prog") + "/";
        WriteFile(root / "prog" / "ZAMDeck", "stand-in for the executable");
        WriteFile(root / "prog" / "ZAM.Ini", "[Paths]\r\nGPL=" +
                                                 zam::platform::LogicalFromNative(gpl) +
                                                 "/\r\nExeName=GPL.EXE\r\n");
    }
    ~Installation() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;
};

double MainWindowRun(zam::bench::SilentUi& ui, const std::string& prog) {
    zam::frmZAM::Options options;
    options.programFolder = prog;
    options.programName = "ZAMDeck";
    options.screenWidth = [] { return 1024; };
    // Leaving discards the session: nothing of the start-up is written back.
    options.askExitChoice = [](QWidget*) { return zam::kExitWithoutSaving; };
    options.showAbout = [](QWidget*) {};
    options.random = [] { return 0.0; };
    return TimeToFirstPaint<zam::frmZAM>(
        [&]() -> std::unique_ptr<zam::frmZAM> {
            auto window = std::make_unique<zam::frmZAM>(ui, options);
            if (!window->Load()) return nullptr;
            return window;
        },
        [](zam::frmZAM& window) {
            window.close();
            zam::Initialising = false;
        });
}

double BareWindowRun() {
    return TimeToFirstPaint<QWidget>(
        [] {
            auto widget = std::make_unique<QWidget>();
            widget->resize(800, 600);
            return widget;
        },
        [](QWidget& widget) { widget.close(); });
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InertLauncher launcher;
    InertSystem system;
    zam::platform::ScopedProcessLauncher scopedLauncher(launcher);
    zam::platform::ScopedSystemServices scopedSystem(system);

    Installation installation;
    const fs::path previousDir = fs::current_path();
    fs::current_path(installation.root);
    zam::bench::SilentUi ui;

    const double bare = Best(BareWindowRun);
    const double window = Best([&] { return MainWindowRun(ui, installation.prog); });
    fs::current_path(previousDir);

    std::printf("bench_startup: 200 tracks, 40 players, best of %d\n", kRuns);
    std::printf("  bare QWidget to first paint:  %10.2f ms\n", bare);
    if (window < 0) {
        std::printf("  main window: start-up failed or never painted (%d messages: %s)\n",
                    ui.messages, ui.firstMessage.c_str());
        return 1;
    }
    std::printf("  main window to first paint:   %10.2f ms\n", window);
    if (bare > 0)
        std::printf("  ratio main / bare:            %10.2f x (aim: at most 2 x)\n",
                    window / bare);
    if (ui.messages > 0)
        std::printf("  note: %d messages during start-up, first: %s\n", ui.messages,
                    ui.firstMessage.c_str());
    return 0;
}
