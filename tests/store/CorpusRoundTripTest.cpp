// INI files nobody here wrote, read and written back: every named entry survives with its value
// and comment, and a second write-back gives the same text as the first.
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

}  // namespace
}  // namespace zam::test
