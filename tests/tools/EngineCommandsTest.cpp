#include <gtest/gtest.h>

#include <filesystem>

#include "CommandRun.h"
#include "TempDir.h"
#include "zam/tools/DemoInstallation.h"

namespace {

namespace fs = std::filesystem;

zam::test::CommandRun Engines(const std::vector<std::string>& args) {
    return zam::test::RunCommand(zam::tools::EngineCommands(), "engines", args);
}

constexpr const char* kNativeTable =
    "0\tBrabham\t0\tRepco V8\n"
    "1\tBRM\t1\tBRM H16\n"
    "2\tCooper\t2\tMaserati V12\n"
    "3\tEagle\t3\tGurney-Weslake V12\n"
    "4\tFerrari\t4\tFerrari V12\n"
    "5\tLotus\t5\tFord DFV V8\n"
    "6\tHonda\t6\tHonda V12\n"
    "7\tUnused\t7\t2.0l Street\n"
    "8\tF3\t8\t2.0l Race\n"
    "9\tF2\t9\t2.5l Race\n";

class EngineCommandsTest : public ::testing::Test {
protected:
    std::string MakeExe(const zam::tools::DemoOptions& options = {}) {
        const std::string name = "demo" + std::to_string(++made) + "/GPL.EXE";
        return temp.write(name, zam::tools::DemoExecutable(options)).string();
    }
    zam::test::TempDir temp;
    int made = 0;
};

// The generated executables are read by the real engine code: both versions, both heads. An
// inconsistent executable is reported and left alone, a missing one fails.
TEST_F(EngineCommandsTest, ListsTheNativeEnginesOfEveryGeneratedExecutableAndReportsOthers) {
    for (const char* version : {"1.2.1", "1.2.2"}) {
        for (bool script : {false, true}) {
            zam::tools::DemoOptions options;
            options.version = version;
            if (script) options.simSeconds = 5;
            const auto r = Engines({MakeExe(options)});
            EXPECT_EQ(r.code, zam::tools::kExitOk) << r.err;
            EXPECT_EQ(r.out, std::string("version\t") + version + "\n" + kNativeTable);
            EXPECT_EQ(r.err, "");
        }
    }
    temp.write("odd/GPL.EXE", std::string(1'500'000, 'x'));
    const auto r = Engines({(temp.path() / "odd" / "GPL.EXE").string()});
    EXPECT_EQ(r.code, zam::tools::kExitFailure);
    EXPECT_NE(r.err.find("Can't find Engine Table"), std::string::npos);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(temp.read("odd/GPL.EXE"), std::string(1'500'000, 'x'));
    const auto missing = Engines({(temp.path() / "none.exe").string()});
    EXPECT_EQ(missing.code, zam::tools::kExitFailure);
    EXPECT_NE(missing.err.find("not found"), std::string::npos);
}

TEST_F(EngineCommandsTest, BadChoicesGiveTheUsageAndWriteNothingAndChosenEnginesAreReadBack) {
    const std::string exe = MakeExe();
    const std::string before = zam::test::ReadNative(exe);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {exe, "7=1"}, {exe, "0=10"}, {exe, "10=0"}, {exe, "x"},
          {exe, "0="}, {exe, "=3"}, {exe, "0=4", "1=-1"}}) {
        const auto r = Engines(args);
        EXPECT_EQ(r.code, zam::tools::kExitUsage) << args.size();
        EXPECT_NE(r.err.find("usage: zamini engines"), std::string::npos);
    }
    EXPECT_EQ(zam::test::ReadNative(exe), before);

    const auto r = Engines({exe, "0=4", "5=8", "9=0"});
    ASSERT_EQ(r.code, zam::tools::kExitOk) << r.err;
    EXPECT_NE(r.out.find("0\tBrabham\t4\tFerrari V12\n"), std::string::npos);
    EXPECT_NE(r.out.find("5\tLotus\t8\t2.0l Race\n"), std::string::npos);
    EXPECT_NE(r.out.find("9\tF2\t0\tRepco V8\n"), std::string::npos);

    const auto again = Engines({exe});
    EXPECT_EQ(again.out, r.out);
    const std::string after = zam::test::ReadNative(exe);
    ASSERT_EQ(after.size(), before.size());
    const std::size_t key = zam::tools::kDemoKeyMarkerOffset - 36;
    EXPECT_EQ(after.substr(key, 3), "fer");
    EXPECT_EQ(after.substr(key + 24, 3), "lot");  // trainer engine: Lotus keeps its own key
    std::size_t differing = 0;
    for (std::size_t i = 0; i < after.size(); ++i) differing += after[i] != before[i] ? 1 : 0;
    EXPECT_LE(differing, 3u * 8 + 3);
}

}  // namespace
