// The loader over the real platform, with small scripts made in a temporary folder standing in
// for the simulator and the front end. Nothing is started through a shell command line: the
// scripts are executed directly.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "zam/loader/Loader.h"
#include "zam/loader/NativeLoaderPlatform.h"

namespace zam::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Shell scripts stand in for the simulator and the front end: POSIX only (the Windows launcher
// starts a real program in tests/platform/Win32PlatformTest.cpp).
#ifndef _WIN32
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

fs::path WriteScript(const TempDir& dir, std::string_view name, std::string_view body) {
    fs::path p = dir.write(name, "#!/bin/sh\n" + std::string(body));
    fs::permissions(p, fs::perms::owner_all, fs::perm_options::add);
    return p;
}

TEST(NativeLoader, WaitsForTheProgramInItsFolderAndWritesTheElapsedTime) {
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
}

// The exit status comes from the real wait: a program that fails at once is recorded as a
// failure, whether or not a front end is there to tell it.
TEST(NativeLoader, QuickFailureIsRecordedAndAMissingFrontEndReported) {
    TempDir dir;
    ScopedCurrentDir restore(dir.path());
    dir.write("Rollout", "");
    fs::path program = WriteScript(dir, "quick.sh", "exit 3\n");
    dir.write("ZAM.int", "Run\r\n" + program.string() + "\r\n");
    RecordingPlatform platform(dir.logical(), "Rollout");

    EXPECT_EQ(loader::Loader(platform).Run(), 1);

    std::optional<platform::RunFailure> failure = platform::ParseRunFailure(dir.read("ZAM.int"));
    ASSERT_TRUE(failure.has_value()) << dir.read("ZAM.int");
    EXPECT_THAT(failure->reason, ::testing::EndsWith("with exit status 3."));
    EXPECT_EQ(failure->commandLine, program.string());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_THAT(platform.messages[0], ::testing::HasSubstr(dir.logical() + "ZAMDeck"));
}

#endif  // _WIN32

}  // namespace
}  // namespace zam::test
