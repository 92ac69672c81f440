// A process that writes many files back is killed outright at varied moments, over and over;
// after every kill each file must be its complete old or its complete new text, and its backups
// complete copies of the old one. No timing is asserted: the moments only spread the kills over
// the whole write-back.
#include <gmock/gmock.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#endif

#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

#include "TempDir.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"

namespace zam::test {
namespace {

namespace stdfs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 8;
constexpr int kMaxRounds = 120;
constexpr auto kTimeBudget = std::chrono::seconds(15);

// Old texts: small and middling files and one of several megabytes, all in the written layout.
std::map<std::string, std::string> OldFiles() {
    std::map<std::string, std::string> files;
    for (int f = 0; f < kFiles; ++f) {
        const int lines = f == 0 ? 40000 : 100 + 200 * f;
        std::string text = "[ State ]\r\nvalue = old\r\n\r\n[ Data ]\r\n";
        for (int i = 0; i < lines; ++i)
            text += "key" + std::to_string(i) + " = " + std::string(40, char('a' + (i + f) % 26)) +
                    "\r\n";
        files["file" + std::to_string(f) + ".ini"] = text;
    }
    return files;
}

void Lay(const TempDir& dir, const std::string& folder,
         const std::map<std::string, std::string>& files) {
    for (const auto& [name, text] : files) dir.write(folder + "/" + name, text);
}

// The child sits beside this test program; its build path would name the build machine's file
// system, which a Windows run under another machine's drive letters does not see.
std::string ChildProgram() {
    return platform::ProgramFolder() + stdfs::path(ZAM_WRITE_BACK_CHILD).filename().string();
}

// The child, started through the program's own launcher (no shell), on `folder`.
platform::ProcessId StartChild(const stdfs::path& folder) {
    platform::ProcessId id;
    EXPECT_TRUE(platform::NativeProcesses()
                    .Start("\"" + ChildProgram() + "\" \"" + folder.string() + "\" new", id)
                    .ok());
    return id;
}

// Killed outright: no chance to clean up. The launcher keeps the process until it is waited
// for, so its number cannot name another one meanwhile.
void KillOutright(platform::ProcessId id) {
#ifdef _WIN32
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(id.value));
    if (process == nullptr) return;
    ::TerminateProcess(process, 9);
    ::CloseHandle(process);
#else
    ::kill(static_cast<pid_t>(id.value), SIGKILL);
#endif
}

// Whether it ran to its end with exit code 0.
bool Finished(platform::ProcessId id) {
    platform::ProcessExit exit;
    return platform::NativeProcesses().Wait(id, exit).ok() && exit.Clean();
}

TEST(KillDuringWrite, EveryFileIsWholeOldOrWholeNewAfterEveryKill) {
    TempDir dir;
    const auto oldFiles = OldFiles();

    // One run to the end gives the new texts and the span over which kills are spread.
    Lay(dir, "whole", oldFiles);
    const auto started = Clock::now();
    const platform::ProcessId whole = StartChild(dir.path() / "whole");
    ASSERT_GT(whole.value, 0);
    ASSERT_TRUE(Finished(whole));
    const auto span = Clock::now() - started;
    std::map<std::string, std::string> newFiles;
    for (const auto& [name, text] : oldFiles) {
        newFiles[name] = dir.read("whole/" + name);
        ASSERT_NE(newFiles[name], text) << name << " was not written";
    }

    std::mt19937 random(20261207);
    std::uniform_int_distribution<long long> moment(
        0, std::chrono::duration_cast<std::chrono::microseconds>(span).count() * 6 / 5);
    int rounds = 0, cutMidway = 0;
    const auto budgetStart = Clock::now();
    // A slow machine (or wine) runs few rounds in the budget: it gets more time until a kill has
    // landed between two files, which is what the rounds are for.
    auto goOn = [&] {
        const auto spent = Clock::now() - budgetStart;
        return rounds < kMaxRounds &&
               (spent < kTimeBudget || (cutMidway == 0 && spent < 3 * kTimeBudget));
    };
    while (goOn()) {
        const std::string round = "round" + std::to_string(rounds);
        const stdfs::path folder = dir.path() / round;
        Lay(dir, round, oldFiles);
        const platform::ProcessId child = StartChild(folder);
        ASSERT_GT(child.value, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        KillOutright(child);
        Finished(child);
        ++rounds;

        int written = 0;
        for (const auto& [name, oldText] : oldFiles) {
            SCOPED_TRACE("round " + std::to_string(rounds) + ", " + name);
            ASSERT_TRUE(stdfs::exists(folder / name)) << "the file was lost";
            const std::string now = ReadNative(folder / name);
            ASSERT_TRUE(now == oldText || now == newFiles[name])
                << "cut short: " << now.size() << " bytes, old " << oldText.size() << ", new "
                << newFiles[name].size();
            written += now == newFiles[name];
            for (const char* backup : {".bak", ".prv"}) {
                if (stdfs::exists(folder / (name + backup))) {
                    ASSERT_EQ(ReadNative(folder / (name + backup)), oldText) << backup;
                }
            }
        }
        cutMidway += written > 0 && written < kFiles;
        stdfs::remove_all(folder);
    }
    std::printf("[ kills    ] %d rounds, %d cut in the middle of the write-back\n", rounds,
                cutMidway);
    // Kills that all landed before the first file or after the last would prove nothing.
    EXPECT_GT(cutMidway, 0) << "no kill landed between two files of the write-back";
}

}  // namespace
}  // namespace zam::test
