#pragma once
// A store, a recording user interface and a temporary folder for each test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeUi.h"
#include "TempDir.h"
#include "zam/store/Globals.h"
#include "zam/store/IniStore.h"

namespace zam::test {

class StoreTest : public ::testing::Test {
protected:
    StoreTest() { Initialising = false; }
    ~StoreTest() override { Initialising = false; }

    // Writes `bytes` as `name` in the temporary folder and gives its logical path.
    std::string Write(const std::string& name, const std::string& bytes) {
        dir.write(name, bytes);
        return dir.logical() + name;
    }
    std::string Load(const std::string& name, const std::string& bytes) {
        std::string path = Write(name, bytes);
        store.ReadIniFile(path);
        return path;
    }

    // Every entry record of a file: "section|name|value|comment", deleted ones marked "(deleted)".
    // Of another store when one is given.
    std::vector<std::string> Records(std::int32_t file, const IniStore* of = nullptr) const {
        const IniStore& from = of != nullptr ? *of : store;
        std::vector<std::string> out;
        for (std::int32_t s = 1; s <= from.SectionCount(file); ++s)
            for (std::int32_t e = 1; e <= from.EntryCount(file, s); ++e) {
                IniEntryView v = from.Entry({file, s, e});
                out.push_back(from.SectionName(file, s) + "|" + v.name + "|" + v.value + "|" +
                              v.comment + (v.deleted ? "(deleted)" : ""));
            }
        return out;
    }

    TempDir dir;
    FakeUi ui;
    IniStore store{ui};
};

}  // namespace zam::test
