// The loader over the real platform, with small programs made in a temporary folder standing in
// for the simulator and the front end: shell scripts executed directly on Linux, the recording
// test program on Windows, where a command line may pass through the real command interpreter.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "ScopedEnv.h"
#include "TempDir.h"
#include "zam/loader/Loader.h"
#include "zam/loader/NativeLoaderPlatform.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"
#include "zam/platform/Text.h"

namespace zam::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The native platform with its messages and starts recorded instead of only shown.
class RecordingPlatform : public loader::NativeLoaderPlatform {
public:
    using NativeLoaderPlatform::NativeLoaderPlatform;

    platform::Status Start(std::string_view commandLine, platform::ProcessId& id) override {
        started.emplace_back(commandLine);
        return NativeLoaderPlatform::Start(commandLine, id);
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    std::vector<std::string> started;
    std::vector<std::string> messages;
};

#ifdef _WIN32
// A join password holding everything cmd reads as its own syntax, as the front end puts it on the
// simulator's command line, through the whole run path of the loader: started directly, and
// through the real command interpreter when the simulator's own folder is named AITW. Only the
// stand-in runs (it records its arguments), and it receives the password whole; a "%", which no
// caret keeps from every cmd, is refused where the interpreter would see it, and the front end
// is left the reason to tell.
TEST(NativeLoader, ATypedPasswordReachesTheSimulatorWholeAndNothingElseRuns) {
    const std::vector<std::string> passwords = {
        "x\"&echo pwned>pwned1.txt&\"aitw", "a&echo pwned>pwned2.txt",
        "|echo pwned>pwned3.txt",         "(echo pwned>pwned4.txt)",
        "x\\\"&echo pwned>pwned5.txt&\\\"", "<pwned6.txt",
        "x\" ^\"&echo pwned>pwned7.txt",    "!PATH! ^& (x) ^",
        "\"a b\" c ends\\",               "%COMSPEC% 100%",
    };
    for (const char* folder : {"Sierra\\", "Sierra\\aitw\\", "Sierra GPL\\AITW Tools\\"}) {
        for (const std::string& password : passwords) {
            SCOPED_TRACE(std::string(folder) + " " + password);
            TempDir dir;
            dir.write("Rollout.exe", "");
            fs::create_directories(dir.file(folder));
            fs::copy_file(platform::NativePath(platform::ProgramFolder() + "zam_test_child.exe"),
                          dir.file(std::string(folder) + "GPL.EXE"));
            ScopedEnv record("ZAM_TEST_RECORD", dir.file("record").string());
            const std::string commandLine = dir.logical() + folder + "GPL.EXE -ko\"0:SERVER:password:" +
                                            platform::EscapeInsideQuotes(password) + "\"";
            dir.write("ZAM.int", "Run\r\n" + commandLine + "\r\n");
            RecordingPlatform native(dir.logical(), "Rollout");

            loader::Loader(native).Run();

            const bool viaInterpreter = platform::FindNoCase(folder, "AITW") != std::string_view::npos;
            const bool refused = viaInterpreter && password.find('%') != std::string::npos;
            for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
                EXPECT_EQ(entry.path().filename().string().rfind("pwned", 0), std::string::npos)
                    << entry.path().string() << " was written by a command in the password";
            if (refused) {
                EXPECT_FALSE(dir.exists("record"));
                const auto failure = platform::ParseRunFailure(dir.read("ZAM.int"));
                ASSERT_TRUE(failure.has_value()) << dir.read("ZAM.int");
                EXPECT_THAT(failure->reason, ::testing::HasSubstr("command interpreter"));
                continue;
            }
            if (!dir.exists("record")) {
                ADD_FAILURE() << "the simulator did not run";
                continue;
            }
            EXPECT_EQ(dir.read("record"), std::string("-ko0:SERVER:password:") + password + '\0');
            EXPECT_TRUE(platform::ParseElapsedRecord(dir.read("ZAM.int")).has_value());
            ASSERT_FALSE(native.started.empty());
            EXPECT_EQ(native.started[0].find("cmd") != std::string::npos, viaInterpreter)
                << native.started[0];
        }
    }
}
#endif

#ifndef _WIN32
fs::path WriteScript(const TempDir& dir, std::string_view name, std::string_view body) {
    fs::path p = dir.write(name, "#!/bin/sh\n" + std::string(body));
    fs::permissions(p, fs::perms::owner_all, fs::perm_options::add);
    return p;
}

TEST(NativeLoader, WaitsInTheProgramsFolderWritesTheTimeAndRecordsAQuickFailure) {
    TempDir dir;
    ScopedCurrentDir restore(dir.path());
    dir.write("Rollout", "");
    WriteScript(dir, "ZAMDeck", "exit 0\n");
    // It writes its marker only after a second, so a loader that did not wait finds none.
    fs::path program = WriteScript(dir, "sim/gpl.exe.sh", "sleep 1\npwd > ran.txt\n");
    dir.write("ZAM.int", "Run\r\n" + program.string() + "\r\n");
    RecordingPlatform platform(dir.logical(), "Rollout");

    EXPECT_EQ(loader::Loader(platform).Run(), 0);

    ASSERT_TRUE(dir.exists("sim/ran.txt")) << "the loader did not wait for the program";
    std::string ranIn = dir.read("sim/ran.txt");
    EXPECT_TRUE(fs::equivalent(ranIn.substr(0, ranIn.find('\n')), dir.file("sim")));
    auto seconds = platform::ParseElapsedRecord(dir.read("ZAM.int"));
    ASSERT_TRUE(seconds.has_value()) << dir.read("ZAM.int");
    EXPECT_GE(*seconds, 1);
    EXPECT_FALSE(dir.exists("ZAM.int.new"));
    EXPECT_THAT(platform.started, ElementsAre(program.string(), dir.logical() + "ZAMDeck"));
    EXPECT_THAT(platform.messages, IsEmpty());

    // The exit status comes from the real wait: a program that fails at once is recorded as a
    // failure, whether or not a front end is there to tell it.
    fs::remove(dir.file("ZAMDeck"));
    fs::path quick = WriteScript(dir, "quick.sh", "exit 3\n");
    dir.write("ZAM.int", "Run\r\n" + quick.string() + "\r\n");
    RecordingPlatform alone(dir.logical(), "Rollout");

    EXPECT_EQ(loader::Loader(alone).Run(), 1);

    std::optional<platform::RunFailure> failure = platform::ParseRunFailure(dir.read("ZAM.int"));
    ASSERT_TRUE(failure.has_value()) << dir.read("ZAM.int");
    EXPECT_THAT(failure->reason, ::testing::EndsWith("with exit status 3."));
    EXPECT_EQ(failure->commandLine, quick.string());
    ASSERT_EQ(alone.messages.size(), 1u);
    EXPECT_THAT(alone.messages[0], ::testing::HasSubstr(dir.logical() + "ZAMDeck"));
}

#endif  // _WIN32

}  // namespace
}  // namespace zam::test
