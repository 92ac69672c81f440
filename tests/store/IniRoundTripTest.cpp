// INI files read and written back. Files nobody here wrote: every named entry survives with its
// value and comment, and a second write-back gives the same text as the first.
#include <gmock/gmock.h>

#include <filesystem>
#include <map>

#include "StoreFixture.h"

namespace zam::test {
namespace {

namespace fs = std::filesystem;

// (section, entry) in upper case -> "value|comment", over every named entry of file 1.
std::map<std::string, std::string> NamedEntries(const IniStore& store) {
    std::map<std::string, std::string> out;
    for (std::int32_t s = 1; s <= store.SectionCount(1); ++s)
        for (std::int32_t e = 1; e <= store.EntryCount(1, s); ++e) {
            IniEntryView v = store.Entry({1, s, e});
            if (v.name.empty() || v.name.find(';') != std::string::npos || v.deleted) continue;
            out[IniStore::BuildIniKey("", store.SectionName(1, s), v.name)] =
                v.value + "|" + v.comment;
        }
    return out;
}

// Reads `path`, writes it back and gives the named entries read before writing.
std::map<std::string, std::string> ReadAndWrite(UserInterface& ui, const std::string& path) {
    IniStore store(ui);
    store.ReadIniFile(path);
    auto entries = NamedEntries(store);
    if (store.FileCount() == 1) {
        EXPECT_TRUE(store.WriteIniFile(1)) << path;
    }
    return entries;
}

// The corpus lives outside the source tree: a clone without it skips these tests and says why; a
// run that names it (as CI does) fails when it is not there.
class CorpusRoundTripTest : public StoreTest {
protected:
    void SetUp() override {
        const Corpus corpus = CorpusDir();
        peers = corpus.folder / "ini-peers";
        if (fs::is_directory(peers)) return;
        if (corpus.required)
            FAIL() << "ZAM_CORPUS_DIR names " << corpus.folder
                   << ", which holds no ini-peers folder";
        GTEST_SKIP() << "no shared INI corpus at " << corpus.folder
                     << "; set ZAM_CORPUS_DIR to the folder that holds ini-peers to run these";
    }

    fs::path peers;
};

TEST_F(CorpusRoundTripTest, EveryPeerFileSurvivesNormalisationAndKeepsItsAlignedComments) {
    int files = 0;
    for (const auto& item : fs::directory_iterator(peers)) {
        if (item.path().extension() != ".ini") continue;
        ++files;
        const std::string name = item.path().filename().string();
        const std::string original = ReadNative(item.path());
        const std::string path = Write(name, original);

        auto before = ReadAndWrite(ui, path);
        const std::string first = dir.read(name);
        auto after = ReadAndWrite(ui, path);
        const std::string second = dir.read(name);
        ReadAndWrite(ui, path);
        const std::string third = dir.read(name);

        EXPECT_EQ(before, after) << name;
        EXPECT_EQ(second, third) << name;
        EXPECT_EQ(dir.read(name + ".bak"), original) << name;
        // A file of nothing but lines the store does not keep (no "=", no ";") is written empty
        // and then holds no records, so nothing writes it again.
        if (!second.empty()) {
            EXPECT_EQ(dir.read(name + ".prv"), second) << name;
        }
        EXPECT_EQ(first.empty(), before.empty() && second.empty()) << name;
    }
    EXPECT_GE(files, 10);
    EXPECT_THAT(ui.messages, ::testing::IsEmpty());

    // The lineage file keeps its aligned comments.
    const fs::path source = peers / "lineage-core.ini";
    const std::string path = Write("core.ini", ReadNative(source));
    store.ReadIniFile(path);
    std::string value = store.FullPathIniValue(path, "Communications", "connect_sockets");
    EXPECT_EQ(value, "0");
    IniPosition p = store.LocateIniEntry(path, "communications", "CONNECT_SOCKETS", false);
    EXPECT_EQ(store.Entry(p).comment, " connect() sockets?");
    ASSERT_TRUE(store.WriteIniFile(1));
    EXPECT_THAT(dir.read("core.ini"), ::testing::HasSubstr("connect_sockets = 0"));
}

// INI files nobody would write by hand: lines of several megabytes, 00 bytes in names, values
// and comments. They are read, written back and read again without losing what the store keeps.
class HostileIniTest : public StoreTest {
protected:
    // Blank and comment lines are held as entries named ";..." or without a name; the layout of
    // the written file decides how many of them there are, so only named entries are compared.
    static bool Named(const std::string& nameAndRest) {
        return !nameAndRest.empty() && nameAndRest[0] != ';' && nameAndRest[0] != '|';
    }
    // Reads `bytes` as a file, changes one value so the file is written back, and gives the
    // records of the file as a second store reads it from disk: the same named records as were
    // read. Written back again by that store, the file comes out byte for byte the same.
    std::vector<std::string> RoundTrip(const std::string& bytes) {
        const std::string path = Load("Hostile.ini", bytes);
        const std::vector<std::string> first = Kept(Records(1));
        store.SetFullPathIniValue(path, "Touch", "changed", "1");
        EXPECT_TRUE(store.WriteIniFile(1));
        const std::string once = dir.read("Hostile.ini");
        FakeUi otherUi;
        IniStore reread(otherUi);
        reread.ReadIniFile(path);
        const std::vector<std::string> records = Kept(Records(1, &reread));
        EXPECT_EQ(records, first);
        reread.SetFullPathIniValue(path, "Touch", "changed", "1");
        EXPECT_TRUE(reread.WriteIniFile(1));
        EXPECT_EQ(dir.read("Hostile.ini") == once, true) << "a second write-back changed the file";
        return records;
    }
    // The records of named entries outside the section "Touch".
    static std::vector<std::string> Kept(const std::vector<std::string>& records) {
        std::vector<std::string> kept;
        for (const auto& r : records)
            if (r.rfind("Touch|", 0) != 0 && Named(r.substr(r.find('|') + 1))) kept.push_back(r);
        return kept;
    }
};

TEST_F(HostileIniTest, LinesOfSeveralMegabytesAreKeptWhole) {
    const std::string huge(5 << 20, 'v');
    const std::string hugeComment(3 << 20, 'c');
    const std::string bytes = "[Big]\r\nvalue=" + huge + "\r\nnote=x ;" + hugeComment + "\r\n[" +
                              std::string(1 << 20, 'S') + "]\r\nk=1\r\n";
    const auto records = RoundTrip(bytes);
    EXPECT_EQ(store.FullPathIniValue(dir.logical() + "Hostile.ini", "Big", "value"), huge);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], "Big|value|" + huge + "|");
    EXPECT_EQ(records[1], "Big|note|x|" + hugeComment);
}

TEST_F(HostileIniTest, NulBytesInNamesValuesAndCommentsSurviveTheRoundTrip) {
    const std::string bytes = std::string("[Se\0ction]\r\nna\0me=va\0lue ;com\0ment\r\n", 36) +
                              std::string("\0\0\0\r\n[\0]\r\n\0=\0\r\nplain=1\r\n", 22);
    const auto records = RoundTrip(bytes);
    EXPECT_EQ(records.size(), 2u);
    EXPECT_TRUE(ui.messages.empty());
}

// Control characters before a "[" count as the blanks they are turned into: the line is the
// header it looks like once they are gone, so what is written back reads back as the same records
// in the same sections.
TEST_F(HostileIniTest, ControlCharactersBeforeABracketKeepTheHeaderAHeader) {
    const std::string bytes =
        std::string("\x12\0[Moved]=\r\nkept=1\r\n\x01[ Second ] ;x\r\n", 36) + "in=2\r\nlast=3\r\n";
    const auto records = RoundTrip(bytes);
    EXPECT_EQ(records,
              (std::vector<std::string>{"Moved|kept|1|", "Second|in|2|", "Second|last|3|"}));
}

// Text from outside the files (typed, pasted, a folder name) cannot write lines of its own: line
// ends and other control characters in values and names are stored, and written, as the blanks
// the reader makes of them, so the file keeps its sections.
TEST_F(HostileIniTest, LineEndsFromOutsideWriteNoLinesOfTheirOwn) {
    const std::string path = Load("Hostile.ini", "[S]\r\nk=1\r\n");
    store.SetFullPathIniValue(path, "S", "k", "a\r\n[T]\r\nq=evil");
    store.SetFullPathIniValue(path, "S\nU", "n\r\x01x", "v\tw\n");
    store.DeleteIniEntry(path, "S", "gone\n[T]");
    EXPECT_EQ(store.FullPathIniValue(path, "S", "k"), "a  [T]  q=evil");
    EXPECT_EQ(store.FullPathIniValue(path, "S\nU", "n\r\x01x"), "v w ");
    ASSERT_TRUE(store.WriteIniFile(1));
    EXPECT_EQ(dir.read("Hostile.ini"),
              "[ S ]\r\nk = a  [T]  q=evil\r\n\r\n[ S U ]\r\nn  x = v w \r\n");
    FakeUi otherUi;
    IniStore reread(otherUi);
    reread.ReadIniFile(path);
    ASSERT_EQ(reread.SectionCount(1), 2);
    EXPECT_EQ(reread.FullPathIniValue(path, "S", "k"), "a  [T]  q=evil");
    EXPECT_EQ(reread.FullPathIniValue(path, "S U", "n  x"), "v w");
}

TEST_F(HostileIniTest, ABinaryFileReadAsIniNeitherCrashesNorLosesTheFile) {
    std::string bytes;
    for (int i = 0; i < 200000; ++i) bytes += static_cast<char>((i * 7919 + i / 13) & 0xff);
    const std::string path = Load("Binary.ini", bytes);
    store.SetFullPathIniValue(path, "Touch", "changed", "1");
    EXPECT_TRUE(store.WriteIniFile(1));
    EXPECT_EQ(dir.read("Binary.ini.bak"), bytes);
    EXPECT_EQ(dir.read("Binary.ini.prv"), bytes);
    EXPECT_NE(dir.read("Binary.ini").find("changed = 1"), std::string::npos);
}

}  // namespace
}  // namespace zam::test
