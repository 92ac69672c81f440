// The setup index: its format, its file, and zamini setups run through its command table as the
// dispatcher runs it.
#include <gtest/gtest.h>

#include <filesystem>

#include "CommandRun.h"
#include "FaultSweep.h"
#include "GplTestSupport.h"
#include "zam/model/SetupsDef.h"
#include "zam/platform/Paths.h"

namespace zam {
namespace {

using test::CommandRun;
using test::TempDir;

constexpr std::size_t SlotOffset(std::size_t fileSlot) {
    return kSetupsHeaderSize + fileSlot * kSetupsSlotSize;
}

// The name area of one slot: its bytes up to the first 00.
std::string NameAt(const std::string& bytes, std::size_t fileSlot) {
    const std::string slot = bytes.substr(SlotOffset(fileSlot), kSetupsSlotSize);
    return slot.substr(0, slot.find('\0'));
}

SetupNames DistinctNames() {
    SetupNames names;
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = "setup" + std::to_string(i) + ".lo1";
    return names;
}

TEST(SetupsDefFormat, AnEmptyIndexIsItsHeaderAndSlotsRunRaceThenCurrentCarsThenF3F2F1) {
    const auto& slots = SetupSlots();
    EXPECT_EQ(slots[0].section, "Race");
    EXPECT_EQ(slots[0].entry, "F3brabham");
    EXPECT_EQ(slots[2].entry, "F1brabham");
    EXPECT_EQ(slots[3].entry, "F3brm");
    EXPECT_EQ(slots[17].entry, "F1lotus");
    EXPECT_EQ(slots[21].section, "Current");
    EXPECT_EQ(slots[21].entry, "F3brabham");
    EXPECT_EQ(slots[41].entry, "F1murasama");

    const std::string bytes = BuildSetupsDef(DistinctNames());
    ASSERT_EQ(bytes.size(), 14404u);
    EXPECT_EQ(NameAt(bytes, 0), "setup0.lo1");
    EXPECT_EQ(NameAt(bytes, 2), "setup2.lo1");
    EXPECT_EQ(NameAt(bytes, 3), "");  // brabham's fourth slot
    EXPECT_EQ(NameAt(bytes, 4), "setup3.lo1");
    EXPECT_EQ(NameAt(bytes, 27), "");  // murasama's fourth slot in Race
    EXPECT_EQ(NameAt(bytes, 28), "setup21.lo1");
    EXPECT_EQ(NameAt(bytes, 54), "setup41.lo1");  // the last slot written
    // An empty index is the header and zero slots.
    const std::string empty = BuildSetupsDef({});
    ASSERT_EQ(empty.size(), 14404u);
    EXPECT_EQ(empty.substr(0, 10), std::string("PLSD\x01\x00\x00\x00"
                                               "88",
                                               10));
    EXPECT_EQ(empty.find_first_not_of('\0', 10), std::string::npos);
}

TEST(SetupsDefFormat, SlotIndexComparesWithoutCaseAndKnowsOnlyTheNamedSlots) {
    EXPECT_EQ(SetupSlotIndex("race", "f1LOTUS"), 17);
    EXPECT_EQ(SetupSlotIndex("Current", "F1lotus"), 38);
    EXPECT_EQ(SetupSlotIndex("Race", "FDlotus"), -1);
    EXPECT_EQ(SetupSlotIndex("Practice", "F1lotus"), -1);
    EXPECT_EQ(SetupSlotIndex("Race", ""), -1);
}

TEST(SetupsDefFormat,
     ReadingTrimsNamesAndIgnoresHeaderFourthSlotsAndBytesAfterTheNameWhichWritingClears) {
    std::string bytes = BuildSetupsDef(DistinctNames());
    bytes.replace(0, 4, "XXXX");
    bytes.replace(SlotOffset(3), 5, "junk!");      // a fourth slot
    bytes.replace(SlotOffset(0) + 20, 4, "tail");  // after the 00 of slot 0's name
    bytes += std::string(300, 'z');                // longer than the format
    const SetupNames names = ParseSetupsDef(bytes);
    EXPECT_EQ(names, DistinctNames());
    EXPECT_EQ(BuildSetupsDef(names), BuildSetupsDef(DistinctNames()));
    // Names are trimmed of spaces.
    std::string spaced = BuildSetupsDef({});
    spaced.replace(SlotOffset(4), 11, "  a b.br1  ");
    EXPECT_EQ(ParseSetupsDef(spaced)[3], "a b.br1");
}

TEST(SetupsDefFormat, ShortFilesReadMissingAndCutSlotsAsEmpty) {
    const std::string full = BuildSetupsDef(DistinctNames());
    EXPECT_EQ(ParseSetupsDef(""), SetupNames{});
    EXPECT_EQ(ParseSetupsDef(full.substr(0, 100)), SetupNames{});
    EXPECT_EQ(ParseSetupsDef(full.substr(0, kSetupsHeaderSize)), SetupNames{});

    // Cut inside slot 4's name ("setup3.lo1"): that half name must not be taken.
    SetupNames cutInName = ParseSetupsDef(full.substr(0, SlotOffset(4) + 5));
    EXPECT_EQ(cutInName[0], "setup0.lo1");
    EXPECT_EQ(cutInName[2], "setup2.lo1");
    EXPECT_EQ(cutInName[3], "");
    for (std::size_t i = 4; i < cutInName.size(); ++i) EXPECT_EQ(cutInName[i], "") << i;

    // Cut after the name's 00 but inside its padding: the name is whole.
    SetupNames cutInPadding = ParseSetupsDef(full.substr(0, SlotOffset(4) + 20));
    EXPECT_EQ(cutInPadding[3], "setup3.lo1");
    EXPECT_EQ(cutInPadding[4], "");

    // Without the unwritten last zero slot a file is complete.
    EXPECT_EQ(ParseSetupsDef(full), DistinctNames());
}

TEST(SetupsDefFormat, LongNamesAreCutToFitTheirSlotWithA00) {
    SetupNames names;
    names[0] = std::string(300, 'a');
    names[1] = std::string(256, 'b');
    const std::string bytes = BuildSetupsDef(names);
    ASSERT_EQ(bytes.size(), 14404u);
    EXPECT_EQ(NameAt(bytes, 0), std::string(256, 'a'));
    EXPECT_EQ(bytes[SlotOffset(1) - 1], '\0');
    EXPECT_EQ(NameAt(bytes, 1), std::string(256, 'b'));

    // A slot filled to its last byte reads whole and is written back with its 00.
    std::string full = BuildSetupsDef({});
    full.replace(SlotOffset(0), kSetupsSlotSize, std::string(kSetupsSlotSize, 'c'));
    const SetupNames read = ParseSetupsDef(full);
    EXPECT_EQ(read[0], std::string(257, 'c'));
    EXPECT_EQ(read[1], "");
    EXPECT_EQ(NameAt(BuildSetupsDef(read), 0), std::string(256, 'c'));
}

TEST(SetupsDefFile, WriteReplacesTheFileWholeAFailedOneLeavesItAndAMissingFileOrFolderIsNotFound) {
    TempDir tmp;
    const auto native = tmp.write("Setups.def", std::string(20000, 'q'));
    const std::string path = platform::LogicalFromNative(native);
    ASSERT_TRUE(WriteSetupsDefFile(path, DistinctNames()));
    EXPECT_EQ(tmp.read("Setups.def"), BuildSetupsDef(DistinctNames()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp.path()), {}), 1);

    SetupNames names;
    ASSERT_TRUE(ReadSetupsDefFile(path, names));
    EXPECT_EQ(names, DistinctNames());

    // A failed write leaves the file just written.
    {
        test::FailingFileSystem failing;
        failing.FailPath(test::FsOp::kRename, "Setups.def", platform::kPermissionDenied);
        platform::ScopedFileSystem scoped(failing);
        EXPECT_FALSE(WriteSetupsDefFile(path, {}));
    }
    {
        test::FailingFileSystem failing;
        failing.FailPath(test::FsOp::kWriteNew, "Setups.def", platform::kDiskFull);
        platform::ScopedFileSystem scoped(failing);
        EXPECT_EQ(WriteSetupsDefFile(path, {}).code, platform::kDiskFull);
    }
    EXPECT_EQ(tmp.read("Setups.def"), BuildSetupsDef(DistinctNames()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp.path()), {}), 1);

    // A missing file reads as not found and empties the names read above.
    const platform::Status status = ReadSetupsDefFile(tmp.logical() + "Missing.def", names);
    EXPECT_EQ(status.code, platform::kFileNotFound);
    EXPECT_EQ(names, SetupNames{});
    // A write into a missing folder fails without creating it.
    EXPECT_FALSE(WriteSetupsDefFile(tmp.logical() + "nofolder/Setups.def", {}));
    EXPECT_FALSE(tmp.exists("nofolder"));
}

// Every changing step of the write failed in turn: the index is always either wholly as before or
// wholly as chosen, and no temporary file is left behind where it could be removed.
TEST(SetupsDefFile, EveryFailedStepLeavesTheWholeOldOrNewIndex) {
    const test::SweepResult sweep = test::SweepOneFileWriter(
        {"Setups.def", BuildSetupsDef(DistinctNames()), 2,
         [](const std::string& path) { return WriteSetupsDefFile(path, {}).ok(); }, {}});
    EXPECT_EQ(sweep.newBytes, BuildSetupsDef({}));
    test::TallyFaults("Setups.def (model)", sweep.injected);
}

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
