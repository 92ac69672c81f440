// A process that writes many files back is killed outright at varied moments, over and over;
// after every kill each file must be its complete old or its complete new text, and its backups
// complete copies of the old one. No timing is asserted: the moments only spread the kills over
// the whole write-back.
#include <gmock/gmock.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <thread>

#include "TempDir.h"

#ifndef _WIN32
extern char** environ;
#endif

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

void Lay(const stdfs::path& folder, const std::map<std::string, std::string>& files) {
    stdfs::create_directories(folder);
    for (const auto& [name, text] : files) {
        std::ofstream out(folder / name, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
}

// Under Windows the child is found beside this test program rather than by the build path,
// which names the build machine's file system.
std::string ChildProgram() {
#ifdef _WIN32
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    return (stdfs::path(self).parent_path() / "zam_write_back_child.exe").string();
#else
    return ZAM_WRITE_BACK_CHILD;
#endif
}

// The child process, started without a shell, killed outright (no chance to clean up) and
// waited for; `Finished` tells whether it ran to its end with exit code 0.
class Child {
public:
    explicit Child(const stdfs::path& folder) {
        std::string program = ChildProgram();
        std::string folderArg = folder.string();
        std::string value = "new";
#ifdef _WIN32
        std::string line = "\"" + program + "\" \"" + folderArg + "\" " + value;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (::CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &info)) {
            ::CloseHandle(info.hThread);
            process_ = info.hProcess;
        }
#else
        char* argv[] = {program.data(), folderArg.data(), value.data(), nullptr};
        if (::posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, environ) != 0) pid_ = -1;
#endif
    }
    ~Child() {
#ifdef _WIN32
        if (process_ != nullptr) ::CloseHandle(process_);
#endif
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Started() const {
#ifdef _WIN32
        return process_ != nullptr;
#else
        return pid_ > 0;
#endif
    }
    void Kill() {
#ifdef _WIN32
        ::TerminateProcess(process_, 9);
#else
        ::kill(pid_, SIGKILL);
#endif
    }
    bool Finished() {
#ifdef _WIN32
        ::WaitForSingleObject(process_, INFINITE);
        DWORD code = 1;
        return ::GetExitCodeProcess(process_, &code) && code == 0;
#else
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
#endif
    }

private:
#ifdef _WIN32
    HANDLE process_ = nullptr;
#else
    pid_t pid_ = -1;
#endif
};

TEST(KillDuringWrite, EveryFileIsWholeOldOrWholeNewAfterEveryKill) {
    TempDir dir;
    const auto oldFiles = OldFiles();

    // One run to the end gives the new texts and the span over which kills are spread.
    Lay(dir.path() / "whole", oldFiles);
    const auto started = Clock::now();
    Child whole(dir.path() / "whole");
    ASSERT_TRUE(whole.Started());
    ASSERT_TRUE(whole.Finished());
    const auto span = Clock::now() - started;
    std::map<std::string, std::string> newFiles;
    for (const auto& [name, text] : oldFiles) {
        newFiles[name] = ReadNative(dir.path() / "whole" / name);
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
        const stdfs::path folder = dir.path() / ("round" + std::to_string(rounds));
        Lay(folder, oldFiles);
        Child child(folder);
        ASSERT_TRUE(child.Started());
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        child.Kill();
        child.Finished();
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
