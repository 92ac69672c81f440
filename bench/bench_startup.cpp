// Start-up as a user sees it, in whole processes: a process that opens ZAMDeck's main window on a
// large generated installation and ends at the window's first paint, against a process that
// shows a bare Qt widget and ends at its first paint, both on the same Qt platform (offscreen
// unless QT_QPA_PLATFORM says otherwise); and the close of that installation with a change in
// every INI file it read, written back. Each kind runs several times, interleaved, every run on
// a fresh copy of the installation; the best run of each kind counts. Nothing is asserted.
//
//   bench_startup [--runs N] [--tracks N] [--players N]
//   bench_startup --child window|close RUN_FOLDER
//   bench_startup --child bare
//   bench_startup --child floor INSTALLATION
//
// A window child that never paints, shows a message or fails is reported as failed, not timed.
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "zam/frontend/QtUserInterface.h"
#include "zam/frontend/frmZAM.h"
#include "zam/model/clsGPL.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"
#include "zam/platform/System.h"
#include "zam/platform/Text.h"
#include "zam/tools/DemoInstallation.h"

namespace fs = std::filesystem;
using zam::bench::ChildProcess;

namespace {

constexpr double kMaxWindowOverBare = 1.5;
constexpr double kChildTimeoutSeconds = 120;
constexpr int kPaintTimeoutMs = 60'000;
constexpr const char* kChildFlag = "--child";

// ---- child side --------------------------------------------------------------------------

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

// The program's own user interface, status window included, except that a message or a question
// is counted instead of waiting for someone to answer it: a run that has anything to say is
// reported, not timed.
class CountingUi final : public zam::QtUserInterface {
public:
    void ShowMessage(const std::string& text, const std::string&) override {
        if (messages++ == 0) firstMessage = text;
    }
    bool Ask(const std::string& text, const std::string& title) override {
        ShowMessage(text, title);
        return false;
    }
    std::optional<zam::FileChoice> SelectFile(const std::string&, const std::string& folder,
                                              const std::string&, bool) override {
        ShowMessage("asked for a file in " + folder, {});
        return std::nullopt;
    }
    [[noreturn]] void EndProgram() override {
        std::printf("FAILED the program ended itself: %s\n", firstMessage.c_str());
        std::fflush(stdout);
        std::_Exit(3);
    }

    int messages = 0;
    std::string firstMessage;
};

// Calls `onPaint` at the first paint event of the widget it watches.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(std::function<void()> onPaint) : onPaint_(std::move(onPaint)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && onPaint_) {
            auto onPaint = std::move(onPaint_);
            onPaint_ = nullptr;
            onPaint();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onPaint_;
};

[[noreturn]] void EndChild(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    std::_Exit(0);  // the process ends here: what a teardown would cost is not start-up
}

[[noreturn]] void WaitForPaint() {
    QTimer::singleShot(kPaintTimeoutMs, [] { EndChild("FAILED no paint within the time limit"); });
    QApplication::exec();
    EndChild("FAILED the event loop ended before the first paint");
}

int BareChild() {
    QWidget widget;
    widget.resize(800, 600);
    FirstPaint watcher([] { EndChild("PAINTED"); });
    widget.installEventFilter(&watcher);
    widget.show();
    WaitForPaint();
}

// "x.ini" in any case: the files the store reads at start-up and writes back at the close.
bool IsIniName(std::string_view name) {
    return name.size() > 4 && zam::platform::EqualNoCase(name.substr(name.size() - 4), ".ini");
}

// The bare widget after reading every INI file of the installation into memory that is kept, as
// the window's start-up must before it shows: no start-up can beat this on the same machine.
int FloorChild(const fs::path& installation) {
    std::vector<std::string> kept;
    for (const auto& entry : fs::recursive_directory_iterator(installation)) {
        if (!entry.is_regular_file() || !IsIniName(entry.path().filename().string())) continue;
        std::string bytes;
        bool exists = false;
        if (!zam::platform::Fs().ReadAllIfExists(zam::platform::LogicalFromNative(entry.path()),
                                                 bytes, exists) ||
            !exists)
            EndChild("FAILED cannot read " + entry.path().string());
        kept.push_back(std::move(bytes));
    }
    return BareChild();
}

zam::frmZAM::Options WindowOptions(const fs::path& runFolder, int exitChoice) {
    zam::frmZAM::Options options;
    options.programFolder = zam::platform::LogicalFromNative(runFolder / "prog") + "/";
    options.programName = "ZAMDeck";
    options.screenWidth = [] { return 1280; };
    options.askExitChoice = [exitChoice](QWidget*) { return exitChoice; };
    options.showAbout = [](QWidget*) {};
    options.random = [] { return 0.0; };
    return options;
}

// A change in every INI file the store read from disk, so that the close writes each of them
// back. Files the store holds without one on disk (a car's file in a folder the installation
// lacks) are left alone: writing them fails, and is told, as it should be.
int ChangeEveryIniFile(zam::clsGPL& gpl) {
    int changed = 0;
    const std::int32_t files = gpl.FileCount();
    for (std::int32_t f = 1; f <= files; ++f) {
        const std::string name = gpl.FileName(f);
        if (!IsIniName(name) || gpl.SectionCount(f) == 0 || !zam::platform::Fs().FileExists(name))
            continue;
        gpl.SetFullPathIniValue(name, gpl.SectionName(f, 1), "ZAMDeckBenchmark", "changed");
        ++changed;
    }
    return changed;
}

int WindowChild(const fs::path& runFolder, bool thenClose) {
    CountingUi ui;
    zam::frmZAM window(
        ui, WindowOptions(runFolder, thenClose ? zam::kSaveAndExit : zam::kExitWithoutSaving));
    ui.SetParentWindow(&window);
    const auto failed = [&ui](const char* what) {
        return std::string("FAILED ") + what + " (" + std::to_string(ui.messages) +
               " messages; first: " + ui.firstMessage + ")";
    };
    if (!window.Load()) EndChild(failed("start-up"));
    FirstPaint watcher([&] {
        if (ui.messages > 0) EndChild(failed("messages at start-up"));
        if (!thenClose) EndChild("PAINTED");
        // The close runs once the paint is over, as when the user closes the window.
        QTimer::singleShot(0, [&] {
            const int changed = ChangeEveryIniFile(*window.GPL());
            QElapsedTimer timer;
            timer.start();
            window.close();
            const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
            if (!window.Finished() || ui.messages > 0) EndChild(failed("close"));
            char line[96];
            std::snprintf(line, sizeof line, "CLOSED %.3f %d", ms, changed);
            EndChild(line);
        });
    });
    window.installEventFilter(&watcher);
    window.show();
    window.TellLoaderFailure();
    WaitForPaint();
}

// The offscreen platform cannot raise a window and says so each time the window asks; the rest
// of Qt's messages go through.
void QuietRaise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QStringLiteral("does not support raise()"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int RunChild(int argc, char** argv) {
    const std::string kind = argv[2];
    qInstallMessageHandler(QuietRaise);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    InertLauncher launcher;
    InertSystem system;
    zam::platform::ScopedProcessLauncher scopedLauncher(launcher);
    zam::platform::ScopedSystemServices scopedSystem(system);
    if (kind == "bare") return BareChild();
    if (argc == 4 && kind == "floor") return FloorChild(argv[3]);
    if (argc == 4 && (kind == "window" || kind == "close"))
        return WindowChild(argv[3], kind == "close");
    std::fprintf(stderr, "bench_startup: unknown child %s\n", kind.c_str());
    return 2;
}

// ---- parent side -------------------------------------------------------------------------

struct Options {
    int runs = 5;
    int tracks = 500;
    int players = 50;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const int value = i + 1 < argc ? std::atoi(argv[i + 1]) : 0;
        int* target = arg == "--runs"      ? &options.runs
                      : arg == "--tracks"  ? &options.tracks
                      : arg == "--players" ? &options.players
                                           : nullptr;
        if (target == nullptr || value < 1) {
            std::fprintf(stderr, "usage: bench_startup [--runs N] [--tracks N] [--players N]\n");
            std::exit(2);
        }
        *target = value;
        ++i;
    }
    return options;
}

void WriteFile(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

// A generated installation, and a fresh copy of it for each run: a start archives the
// screenshots it finds and a close writes files back, and every run must find the same.
class Installations {
public:
    explicit Installations(const Options& options)
        : root_(fs::temp_directory_path() / ("zam_bench_startup_" + std::to_string(getpid()))) {
        fs::remove_all(root_);
        zam::tools::DemoOptions demo;
        demo.tracks = options.tracks;
        demo.players = options.players;
        zam::tools::MakeDemoInstallation(root_ / "pristine", demo);
    }
    ~Installations() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    Installations(const Installations&) = delete;
    Installations& operator=(const Installations&) = delete;

    fs::path FreshRun() {
        const fs::path run = root_ / ("run" + std::to_string(++runs_));
        fs::create_directories(run);
        fs::copy(root_ / "pristine", run / "gpl", fs::copy_options::recursive);
        fs::create_directories(run / "prog");
        WriteFile(run / "prog" / "ZAMDeck", "stand-in for the executable");
        WriteFile(run / "prog" / "ZAM.Ini",
                  "[Paths]\r\nGPL=" + zam::platform::LogicalFromNative(run / "gpl") +
                      "/\r\nExeName=GPL.EXE\r\n");
        return run;
    }
    fs::path Pristine() const { return root_ / "pristine"; }
    void Remove(const fs::path& run) {
        std::error_code ignored;
        fs::remove_all(run, ignored);
    }

private:
    fs::path root_;
    int runs_ = 0;
};

struct Best {
    bool ok = true;
    std::string failure;
    double wallMs = -1;
    double cpuMs = -1;
    double closeMs = -1;
    int changedFiles = 0;

    void Add(const ChildProcess& child) {
        if (!ok) return;
        std::string failed = child.Failure(kChildTimeoutSeconds);
        const std::string output = child.output;
        if (failed.empty() && output.rfind("FAILED", 0) == 0) failed = output.substr(7);
        if (failed.empty() && output.rfind("PAINTED", 0) != 0 && output.rfind("CLOSED", 0) != 0)
            failed = "no result printed";
        if (!failed.empty()) {
            ok = false;
            failure = failed;
            return;
        }
        const double wall = child.wallSeconds * 1000, cpu = child.cpuSeconds * 1000;
        if (wallMs < 0 || wall < wallMs) wallMs = wall;
        if (cpuMs < 0 || cpu < cpuMs) cpuMs = cpu;
        double close = 0;
        if (std::sscanf(output.c_str(), "CLOSED %lf %d", &close, &changedFiles) == 2 &&
            (closeMs < 0 || close < closeMs))
            closeMs = close;
    }
};

void PrintProcess(const char* what, const Best& best) {
    if (!best.ok)
        std::printf("  %-48s failed: %s\n", what, best.failure.c_str());
    else
        std::printf("  %-48s %9.1f ms   (CPU %7.1f ms)\n", what, best.wallMs, best.cpuMs);
}

int RunParent(const Options& options) {
    // Both kinds of process on the same platform; offscreen needs no display.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Installations installations(options);
    Best bare, floor, window, close;
    for (int run = 0; run < options.runs; ++run) {
        bare.Add(zam::bench::RunSelf({"bench_startup", kChildFlag, "bare"}, kChildTimeoutSeconds));
        floor.Add(zam::bench::RunSelf(
            {"bench_startup", kChildFlag, "floor", installations.Pristine().string()},
            kChildTimeoutSeconds));
        for (auto [kind, best] : {std::pair{"window", &window}, std::pair{"close", &close}}) {
            const fs::path folder = installations.FreshRun();
            best->Add(zam::bench::RunSelf({"bench_startup", kChildFlag, kind, folder.string()},
                                          kChildTimeoutSeconds));
            installations.Remove(folder);
        }
    }

    std::printf(
        "bench_startup: %d tracks, %d players, Qt platform %s; best of %d processes "
        "each, wall-clock from start to exit (CPU time beside)\n",
        options.tracks, options.players, std::getenv("QT_QPA_PLATFORM"), options.runs);
    PrintProcess("(b) bare QWidget process to its first paint", bare);
    PrintProcess("(c) bare widget after reading all INI files", floor);
    PrintProcess("(a) ZAMDeck main window process to first paint", window);
    if (close.ok)
        std::printf("  %-48s %9.1f ms   (%d changed INI files written back)\n",
                    "close with changes, in its process", close.closeMs, close.changedFiles);
    else
        std::printf("  %-48s failed: %s\n", "close with changes", close.failure.c_str());
    std::printf("== goals\n");
    if (!bare.ok || !window.ok) {
        std::printf("  %-48s not measured\n", "(a) / (b)");
        return 1;
    }
    const double ratio = window.wallMs / bare.wallMs;
    std::printf("  %-48s %7.2f   goal <= %.1f  %-6s (CPU ratio %.2f)\n",
                "main window process / bare widget process", ratio, kMaxWindowOverBare,
                ratio <= kMaxWindowOverBare ? "met" : "MISSED", window.cpuMs / bare.cpuMs);
    if (floor.ok)
        std::printf("  %-48s %7.2f   (the least any start-up that reads them first can reach)\n",
                    "  floor: (c) / (b)", floor.wallMs / bare.wallMs);
    return close.ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc >= 3 && std::strcmp(argv[1], kChildFlag) == 0) return RunChild(argc, argv);
        return RunParent(ParseOptions(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_startup: %s\n", e.what());
        return 1;
    }
}
