#include <gtest/gtest.h>

#include <filesystem>

#include "CommandRun.h"
#include "TempDir.h"

namespace {

namespace fs = std::filesystem;

zam::test::CommandRun MakeDemo(const std::vector<std::string>& args) {
    return zam::test::RunCommand(zam::tools::DemoCommands(), "make-demo", args);
}

TEST(MakeDemoCommand, WritesTheRequestedInstallation) {
    zam::test::TempDir temp;
    const fs::path dir = temp.path() / "demo";
    const auto r = MakeDemo({dir.string(), "--tracks", "20", "--players", "4", "--version",
                             "1.2.2", "--sim-seconds", "3"});
    ASSERT_EQ(r.code, zam::tools::kExitOk) << r.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "Tracks"), fs::directory_iterator()), 20);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "Players"), fs::directory_iterator()), 4);
    const std::string exe = zam::test::ReadNative(dir / "GPL.EXE");
    EXPECT_NE(exe.find("\nsleep 3\n"), std::string::npos);
    EXPECT_EQ(exe.find(std::string("\x00\x7B\x54\x00", 4)), 1'340'000u - 80);
}

TEST(MakeDemoCommand, NeverWritesIntoAFolderThatHoldsFiles) {
    zam::test::TempDir temp;
    temp.write("mine/Player.ini", "precious");
    const auto r = MakeDemo({(temp.path() / "mine").string()});
    EXPECT_EQ(r.code, zam::tools::kExitFailure);
    EXPECT_NE(r.err.find("not empty"), std::string::npos);
    EXPECT_EQ(temp.read("mine/Player.ini"), "precious");
    EXPECT_FALSE(temp.exists("mine/GPL.EXE"));
}

TEST(MakeDemoCommand, BadArgumentsGiveTheUsage) {
    zam::test::TempDir temp;
    const std::string dir = (temp.path() / "d").string();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {dir, "--tracks"}, {dir, "--tracks", "x"},
          {dir, "--players", "-1"}, {dir, "--version", "2.0"}, {dir, "--colour", "red"},
          {dir, dir + "2"}}) {
        const auto r = MakeDemo(args);
        EXPECT_EQ(r.code, zam::tools::kExitUsage) << args.size();
        EXPECT_NE(r.err.find("usage: zamini make-demo"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(dir));
}

}  // namespace
