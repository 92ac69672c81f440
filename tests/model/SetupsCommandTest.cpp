// zamini setups, run through its command table as the dispatcher runs it.
#include <gtest/gtest.h>

#include "CommandRun.h"
#include "GplTestSupport.h"
#include "zam/model/SetupsDef.h"

namespace zam {
namespace {

using test::CommandRun;

CommandRun Setups(const std::vector<std::string>& args) {
    return test::RunCommand(tools::SetupCommands(), "setups", args);
}

class SetupsCommand : public testing::Test {
protected:
    std::string Def() const { return tmp.file("Setups.def").string(); }
    test::TempDir tmp;
};

TEST_F(SetupsCommand, PrintsEverySlotInFileOrderAndSetsEntriesKeepingTheOthers) {
    SetupNames names;
    names[17] = "Monza Fast.lo1";
    tmp.write("Setups.def", BuildSetupsDef(names));
    const CommandRun run = Setups({Def()});
    ASSERT_EQ(run.code, tools::kExitOk) << run.err;
    std::istringstream lines(run.out);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) all.push_back(line);
    ASSERT_EQ(all.size(), 42u);
    EXPECT_EQ(all[0], "Race\tF3brabham\t");
    EXPECT_EQ(all[17], "Race\tF1lotus\tMonza Fast.lo1");
    EXPECT_EQ(all[41], "Current\tF1murasama\t");
    // Setting entries keeps the others and writes the whole format.
    names = {};
    names[0] = "keep.bb3";
    tmp.write("Setups.def", BuildSetupsDef(names) + "trailing bytes");
    const CommandRun set = Setups({Def(), "current", "F1lotus=new.lo1", "F2brm=a=b.br2"});
    ASSERT_EQ(set.code, tools::kExitOk) << set.err;
    names[38] = "new.lo1";
    names[static_cast<std::size_t>(SetupSlotIndex("Current", "F2brm"))] = "a=b.br2";
    EXPECT_EQ(tmp.read("Setups.def"), BuildSetupsDef(names));
}

TEST_F(SetupsCommand, WrongArgumentsGiveUsageAndChangeNothing) {
    tmp.write("Setups.def", BuildSetupsDef({}));
    for (const auto& args : std::vector<std::vector<std::string>>{
             {},
             {Def(), "Race"},
             {Def(), "Race", "F1lotus"},
             {Def(), "Practice", "F1lotus=x"},
             {Def(), "Race", "F1lotus=x", "FDlotus=y"},
         }) {
        const CommandRun run = Setups(args);
        EXPECT_EQ(run.code, tools::kExitUsage);
        EXPECT_NE(run.err.find("usage: zamini setups DEF"), std::string::npos) << run.err;
    }
    EXPECT_EQ(tmp.read("Setups.def"), BuildSetupsDef({}));
}

TEST_F(SetupsCommand, IoFailuresNameTheFileAndSettingCreatesAMissingIndex) {
    const CommandRun missing = Setups({Def()});
    EXPECT_EQ(missing.code, tools::kExitFailure);
    EXPECT_NE(missing.err.find(Def()), std::string::npos);
    // Setting an entry creates the missing index.
    const CommandRun run = Setups({Def(), "Race", "F3eagle=x.ea3"});
    ASSERT_EQ(run.code, tools::kExitOk) << run.err;
    const std::string bytes = tmp.read("Setups.def");
    EXPECT_EQ(bytes.size(), 14404u);
    EXPECT_EQ(ParseSetupsDef(bytes)[static_cast<std::size_t>(SetupSlotIndex("Race", "F3eagle"))],
              "x.ea3");

    const std::string inMissingFolder = tmp.file("none/Setups.def").string();
    const CommandRun unwritable = Setups({inMissingFolder, "Race", "F1lotus=x"});
    EXPECT_EQ(unwritable.code, tools::kExitFailure);
    EXPECT_NE(unwritable.err.find(inMissingFolder), std::string::npos);
}

}  // namespace
}  // namespace zam
