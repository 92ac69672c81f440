#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "FailingFileSystem.h"
#include "FakeUi.h"
#include "FaultSweep.h"
#include "TempDir.h"
#include "TestText.h"
#include "zam/model/clsEngines.h"
#include "zam/platform/FileSystem.h"
#include "zam/tools/DemoInstallation.h"

namespace {

using zam::clsEngines;
using zam::platform::Status;
using zam::test::FsOp;

// Where the test executable puts its markers (0-based): just past the search starts.
constexpr std::size_t kRepco = 1'336'000;
constexpr std::size_t kHitHard = 1'413'000;
constexpr std::size_t kFirst = kRepco - 80;
constexpr std::size_t kSecond = kRepco - 40;
constexpr std::size_t kKeys = kHitHard - 36;

constexpr const auto& kFirst121 = zam::test::kFirstEngineTable;
constexpr const auto& kSecond121 = zam::test::kSecondEngineTable;
using zam::test::Bytes;
using zam::test::Hex;

std::string Third7(std::string hex) {
    hex[2] = '7';
    return hex;
}

// An executable laid out as the simulator's: pointer tables (slot order, so slot 5 holds Honda's
// engine and slot 6 Lotus') before "Repco", team keys before "hit_hard".
struct ExeImage {
    std::string bytes = std::string(1'425'000, 'x');
    explicit ExeImage(bool v122 = false) {
        for (int slot = 0; slot < 10; ++slot) {
            SetSlot(slot, v122 ? Third7(kFirst121[slot]) : kFirst121[slot],
                    v122 ? Third7(kSecond121[slot]) : kSecond121[slot]);
        }
        Put(kRepco, "Repco V8");
        Put(kKeys, std::string("bra\0brm\0cov\0eag\0fer\0mur\0lot\0f2f3\0\0\0\0", 36));
        Put(kHitHard, "hit_hard");
    }
    void Put(std::size_t offset, std::string_view b) { bytes.replace(offset, b.size(), b); }
    void SetSlot(int slot, std::string_view first, std::string_view second) {
        Put(kFirst + 4 * slot, Bytes(first));
        Put(kSecond + 4 * slot, Bytes(second));
    }
};

// The shared fault-injecting file system, plus failing reads chosen by where they read (the
// marker searches read the same file in chunks, so counting calls would be fragile).
class FaultyFs : public zam::test::FailingFileSystem {
public:
    std::function<bool(std::uint64_t offset, std::size_t count)> failRead;

    Status ReadAt(std::string_view p, std::uint64_t o, std::size_t n, std::string& b) override {
        if (failRead && failRead(o, n)) return Status::Error(zam::platform::kIoError);
        return FailingFileSystem::ReadAt(p, o, n, b);
    }
    int Writes() const { return Calls(FsOp::kWriteAt); }
};

class EnginesTest : public ::testing::Test {
protected:
    void Install(const ExeImage& image) {
        original = image.bytes;
        temp.write("GPL.EXE", image.bytes);
    }
    std::string Exe() const { return temp.read("GPL.EXE"); }
    std::string Path() const { return temp.logical() + "GPL.EXE"; }
    std::string SlotHex(std::size_t offset) const { return Hex(Exe().substr(offset, 4)); }
    std::string Key(int slot) const { return Exe().substr(kKeys + slot, 3); }

    static constexpr const char* kIntro =
        "ZAM Has Found an Inconsistency in your GPL.EXE which it cannot handle.\r";

    zam::test::TempDir temp;
    zam::test::FakeUi ui;
    FaultyFs fs;
    zam::platform::ScopedFileSystem scoped{fs};
    std::string original;
};

TEST_F(EnginesTest, ReadsTheNativeEnginesOfVersion121AndRejectsNumbersAndAMissingFile) {
    Install(ExeImage());
    clsEngines engines(ui, Path());
    EXPECT_FALSE(engines.Status());
    EXPECT_EQ(engines.ExeVersion(), "1.2.1");
    EXPECT_TRUE(engines.KeyTableValid());
    for (int c = 0; c < 10; ++c) {
        EXPECT_EQ(engines.CarEngine(c), c);
        EXPECT_EQ(engines.FoundEngine(c), c);
    }
    EXPECT_EQ(engines.ExeEngine(5), "Ford DFV V8");
    EXPECT_EQ(engines.ExeEngine(6), "Honda V12");
    EXPECT_EQ(engines.Name(3), "Gurney-Weslake V12");
    EXPECT_TRUE(ui.messages.empty());
    // Numbers outside the tables are rejected.
    EXPECT_THROW(engines.CarEngine(10), std::out_of_range);
    EXPECT_THROW(engines.SetCarEngine(0, -1), std::out_of_range);
    EXPECT_THROW(engines.SetAllEngines(10), std::out_of_range);
    EXPECT_THROW(engines.Name(-1), std::out_of_range);
    EXPECT_EQ(engines.CarEngine(0), 0);
    // A missing executable is an inconsistency, not a crash.
    clsEngines missing(ui, temp.logical() + "NOPE.EXE");
    EXPECT_TRUE(missing.Status());
    EXPECT_FALSE(missing.KeyTableValid());
    EXPECT_FALSE(temp.exists("NOPE.EXE"));
}

TEST_F(EnginesTest, SevenAsThirdDigitOfTheFirstSlotMeansVersion122) {
    Install(ExeImage(true));
    {
        clsEngines engines(ui, Path());
        EXPECT_FALSE(engines.Status());
        EXPECT_EQ(engines.ExeVersion(), "1.2.2");
        for (int c = 0; c < 10; ++c) EXPECT_EQ(engines.FoundEngine(c), c);
        engines.SetCarEngine(0, 4);
    }
    EXPECT_EQ(SlotHex(kFirst), "247B5400");
    EXPECT_EQ(SlotHex(kSecond), "40785400");
    EXPECT_EQ(Key(0), "fer");
}

TEST_F(EnginesTest, LotusAndHondaUseEachOthersSlots) {
    ExeImage image;
    image.SetSlot(6, kFirst121[0], kSecond121[0]);  // slot 6: the Repco engine
    Install(image);
    {
        clsEngines engines(ui, Path());
        EXPECT_EQ(engines.FoundEngine(5), 0);  // Lotus reads slot 6
        EXPECT_EQ(engines.FoundEngine(6), 6);  // Honda reads slot 5
        engines.SetCarEngine(5, 4);
        engines.SetCarEngine(6, 1);
    }
    EXPECT_EQ(SlotHex(kFirst + 24), "248B5400");
    EXPECT_EQ(SlotHex(kSecond + 24), "40885400");
    EXPECT_EQ(Key(24), "fer");
    EXPECT_EQ(SlotHex(kFirst + 20), "0C8B5400");
    EXPECT_EQ(SlotHex(kSecond + 20), "08875400");
    EXPECT_EQ(Key(20), "brm");
}

TEST_F(EnginesTest, BrabhamWithTheFerrariEngineChangesOnlyItsSlotsAndKey) {
    Install(ExeImage());
    {
        clsEngines engines(ui, Path());
        engines.SetCarEngine(0, 4);
    }
    std::string expected = original;
    expected.replace(kFirst, 4, Bytes("248B5400"));
    expected.replace(kSecond, 4, Bytes("40885400"));
    expected.replace(kKeys, 3, "fer");
    EXPECT_EQ(Exe(), expected);
    EXPECT_TRUE(ui.messages.empty());

    // Read back: the chassis now holds engine 4; engine 8 brings back the chassis' own key.
    {
        clsEngines engines(ui, Path());
        EXPECT_EQ(engines.FoundEngine(0), 4);
        engines.SetCarEngine(0, 8);
    }
    EXPECT_EQ(SlotHex(kFirst), "4C8B5400");
    EXPECT_EQ(SlotHex(kSecond), "E0895400");
    EXPECT_EQ(Key(0), "bra");
}

TEST_F(EnginesTest, TrainerChassisGetPointersOnlyAndTheUnusedChassisNothing) {
    Install(ExeImage());
    {
        clsEngines engines(ui, Path());
        engines.SetAllEngines(3);
        engines.SetCarEngine(3, 7);  // Eagle with the street engine keeps "eag"
    }
    std::string expected = original;
    for (int c : {0, 1, 2, 4, 5, 6, 8, 9}) {
        const int slot = c == 5 ? 6 : c == 6 ? 5 : c;
        expected.replace(kFirst + 4 * slot, 4, Bytes(kFirst121[3]));
        expected.replace(kSecond + 4 * slot, 4, Bytes(kSecond121[3]));
    }
    expected.replace(kFirst + 12, 4, Bytes(kFirst121[7]));
    expected.replace(kSecond + 12, 4, Bytes(kSecond121[7]));
    for (int keySlot : {0, 4, 8, 16, 20, 24}) expected.replace(kKeys + keySlot, 3, "eag");
    EXPECT_EQ(Exe(), expected);  // slot 7 and the trainer key slot untouched
}

TEST_F(EnginesTest, SetDefaultsOnNativeTablesAndUnloadWithoutSavingWriteNothing) {
    Install(ExeImage());
    for (const bool unload : {false, true}) {
        SCOPED_TRACE(unload ? "unload without saving" : "set defaults");
        {
            clsEngines engines(ui, Path());
            engines.SetAllEngines(9);
            if (unload) {
                engines.UnloadWithoutSaving();
            } else {
                engines.SetDefaults();
                for (int c = 0; c < 10; ++c) EXPECT_EQ(engines.CarEngine(c), c);
            }
        }
        EXPECT_EQ(fs.Writes(), 0);
        EXPECT_EQ(Exe(), original);
    }
}

TEST_F(EnginesTest, MissingEngineTableIsReportedAndNothingIsWritten) {
    ExeImage image;
    image.Put(kRepco, "Rxpco");
    image.Put(1'000'000, "Repco");  // before the search start: does not count
    Install(image);
    {
        clsEngines engines(ui, Path());
        EXPECT_TRUE(engines.Status());
        engines.SetAllEngines(4);
    }
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, std::string(kIntro) + "Can't find Engine Table");
    EXPECT_EQ(ui.messages[0].title, "Error in GPL.EXE");
    EXPECT_EQ(fs.Writes(), 0);
    EXPECT_EQ(Exe(), original);
}

TEST_F(EnginesTest, UnknownSlotValueNamesTheChassisAndStopsTheScan) {
    ExeImage image;
    image.SetSlot(6, "DEADBEEF", "00000000");
    Install(image);
    {
        clsEngines engines(ui, Path());
        EXPECT_TRUE(engines.Status());
        EXPECT_EQ(engines.FoundEngine(4), 4);
        for (int c = 5; c < 10; ++c) EXPECT_EQ(engines.FoundEngine(c), 0) << c;
    }
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, std::string(kIntro) + "Non-Standard Engine Found For Lotus");
    EXPECT_EQ(Exe(), original);
}

TEST_F(EnginesTest, ReadFailureWhileScanningIsAnUnknownError) {
    Install(ExeImage());
    fs.failRead = [](std::uint64_t offset, std::size_t count) {
        return count == 4 && offset == kFirst + 8;
    };
    clsEngines engines(ui, Path());
    EXPECT_TRUE(engines.Status());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, std::string(kIntro) + "Unknown Error");
}

TEST_F(EnginesTest, WithoutAValidKeyTableOnlyPointersAreWritten) {
    for (const std::string& marker : {std::string("hit_soft"), std::string("hit_hard")}) {
        SCOPED_TRACE(marker);
        ExeImage image;
        image.Put(kHitHard, marker);
        if (marker == "hit_hard") image.Put(kKeys, "xyz");  // marker found, but no known key
        Install(image);
        {
            clsEngines engines(ui, Path());
            EXPECT_FALSE(engines.Status());
            EXPECT_FALSE(engines.KeyTableValid());
            engines.SetCarEngine(0, 4);
        }
        EXPECT_EQ(SlotHex(kFirst), "248B5400");
        EXPECT_EQ(SlotHex(kSecond), "40885400");
        EXPECT_EQ(Exe().substr(kKeys, 36), original.substr(kKeys, 36));
    }
}

// Another program changes the file while the front end is open: a chassis' engine, a key slot,
// or cuts it short before the slots now to be written. The file is left as that program left it.
TEST_F(EnginesTest, ExecutableChangedUnderneathIsLeftAloneWithAMessage) {
    struct Change {
        int car, engine;
        std::function<std::string(std::string)> edit;
    };
    const Change changes[] = {
        {1, 4, [](std::string exe) { return exe.replace(kFirst + 4, 4, Bytes(kFirst121[3])); }},
        {2, 0, [](std::string exe) { return exe.replace(kKeys + 8, 3, "fer"); }},
        {9, 0, [](std::string exe) { return exe.substr(0, kFirst + 10); }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.car);
        Install(ExeImage());
        ui.messages.clear();
        const std::string changed = change.edit(original);
        {
            clsEngines engines(ui, Path());
            engines.SetCarEngine(change.car, change.engine);
            temp.write("GPL.EXE", changed);
        }
        EXPECT_EQ(Exe(), changed);
        EXPECT_EQ(fs.Writes(), 0);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].text.find("changed by another program"), std::string::npos);
        EXPECT_NE(ui.messages[0].text.find("has not been changed"), std::string::npos);
    }
}

TEST_F(EnginesTest, ExecutableThatCannotBeWrittenIsReportedAndUntouched) {
    Install(ExeImage());
    fs.Fail(FsOp::kCheckWritable, 0, zam::platform::kPermissionDenied);
    {
        clsEngines engines(ui, Path());
        engines.SetAllEngines(8);
    }
    EXPECT_EQ(fs.Writes(), 0);
    EXPECT_EQ(Exe(), original);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Error in GPL.EXE");
    EXPECT_NE(ui.messages[0].text.find("cannot be opened for writing"), std::string::npos);
    EXPECT_NE(ui.messages[0].text.find("GPL may be running"), std::string::npos);
}

TEST_F(EnginesTest, FailedWritePutsBackWhatWasAlreadyWritten) {
    Install(ExeImage());
    fs.Fail(FsOp::kWriteAt, 5, zam::platform::kDiskFull);
    clsEngines engines(ui, Path());
    engines.SetCarEngine(0, 4);
    engines.SetCarEngine(1, 2);
    EXPECT_FALSE(engines.WriteExeEngines());
    EXPECT_EQ(Exe(), original);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("has not been changed"), std::string::npos);
    engines.UnloadWithoutSaving();
}

TEST_F(EnginesTest, AWrittenChoiceIsNotWrittenAgain) {
    Install(ExeImage());
    // A file of the user's under the name the patched copy would first take stays as it is.
    temp.write("GPL.EXE.zamnew", "mine");
    clsEngines engines(ui, Path());
    engines.SetCarEngine(4, 0);
    EXPECT_TRUE(engines.WriteExeEngines());
    EXPECT_EQ(engines.FoundEngine(4), 0);
    const int writes = fs.Writes();
    EXPECT_EQ(writes, 3);
    EXPECT_TRUE(engines.WriteExeEngines());
    EXPECT_EQ(fs.Writes(), writes);
    EXPECT_EQ(temp.read("GPL.EXE.zamnew"), "mine");
    EXPECT_FALSE(temp.exists("GPL.EXE.2.zamnew"));
}

// Every changing step of the write failed in turn: the executable is always either wholly as
// before or wholly as chosen, and a failure is never reported as success.
TEST(FaultInjectionEngines, EveryFailedStepLeavesTheWholeOldOrNewExecutable) {
    using namespace zam::test;
    std::optional<FakeUi> ui;  // of the latest run
    const SweepResult sweep = SweepOneFileWriter(
        {"GPL.EXE", zam::tools::DemoExecutable({}), 1,
         [&](const std::string& path) {
             ui.emplace();
             clsEngines engines(*ui, path);
             EXPECT_FALSE(engines.Status());
             engines.SetCarEngine(0, 4);
             engines.SetCarEngine(5, 2);
             engines.SetCarEngine(9, 7);
             const bool written = engines.WriteExeEngines();
             engines.UnloadWithoutSaving();
             return written;
         },
         [&](bool faultFree, bool written) {
             EXPECT_TRUE(!faultFree || ui->messages.empty());
             EXPECT_TRUE(written || !ui->messages.empty()) << "the user was not told";
         }});
    TallyFaults("engine tables in GPL.EXE (model)", sweep.injected);
}

}  // namespace
