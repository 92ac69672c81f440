// Walks every bound control of the catalogue: with its run-time parts filled in, each one shows
// its default over a missing entry, shows the value its INI file holds, and writes a user's change
// into exactly its own file, section and entry.
#include <QGridLayout>
#include <map>
#include <set>
#include <vector>

#include "ControlsFixture.h"
#include "zam/controls/ControlBuilder.h"
#include "zam/controls/NumberText.h"
#include "zam/controls/ucCheckBox.h"
#include "zam/controls/ucDropDown.h"
#include "zam/controls/ucFilePath.h"
#include "zam/controls/ucSpinner.h"

namespace zam::controls {
namespace {

struct Binding {
    std::string file, section, entry;
    bool fullPath = false;
};

// The "?" parts filled with test values; every control gets an entry of its own.
Binding Filled(const CatalogueRow& row) {
    auto fill = [&](const char* part, const std::string& value) {
        return std::string(part) == "?" ? value : std::string(part);
    };
    const std::string own = std::string(row.name) + std::to_string(row.element);
    Binding b{fill(row.file, "Players\\Test Driver\\Player.Ini"), fill(row.section, "Event1"),
              fill(row.entry, own), row.useFullPath || row.kind == ControlKind::FilePath};
    return b;
}

bool NoItems(const CatalogueRow& row) {
    return std::string_view(row.name) == "cbxEngine" && row.element == 7;
}

// Lists every drop-down with at least three items: its own fixed list where it has one.
void FillLists(const ControlRegistry& registry) {
    FillFixedLists(registry);
    for (const CatalogueRow& row : Catalogue()) {
        ucDropDown* list = registry.DropDown(row.name, row.element);
        if (!list || list->NoItems() > 0 || NoItems(row)) continue;
        const auto items = ItemsOf(row.name);
        if (!items.empty()) {
            FillList(*list, items);
        } else {
            list->AddItem("First", "a");
            list->AddItem("Second", "b");
            list->AddItem("Third", "c");
        }
    }
}

class CatalogueWalk : public test::ControlsTest {
protected:
    CatalogueWalk() { store->SetDirectory(dir.logical() + "GPL/"); }

    void Build() {
        auto* grid = new QGridLayout;
        int n = 0;
        for (const FrameInfo& frame : Frames()) {
            grid->addWidget(BuildFrameBox(frame.name, registry), n / 6, n % 6);
            ++n;
        }
        auto* host = new QWidget;
        host->setLayout(grid);
        Show(host);
        FillLists(registry);
        for (const CatalogueRow& row : Catalogue()) {
            BoundControl* control = registry.Bound(row.name, row.element);
            ASSERT_NE(control, nullptr) << row.name;
            const Binding b = Filled(row);
            control->Bind(b.file.c_str(), b.section.c_str(), b.entry.c_str());
            control->Refresh();
        }
    }

    std::string StoredOf(const CatalogueRow& row) {
        const Binding b = Filled(row);
        return store->FullPathIniValue(b.fullPath ? b.file : Sim() + b.file, b.section, b.entry);
    }

    // The value a control finds in its file in the reading walk.
    static std::string Planted(const CatalogueRow& row) {
        switch (row.kind) {
            case ControlKind::Spinner: return CompactNumber(PlantedNumber(row));
            case ControlKind::CheckBox: return row.defaultValue == 1 ? "0" : "1";
            case ControlKind::DropDown: return "";  // item 2, known once the list is filled
            case ControlKind::FilePath: return "C:\\GPL\\Tools\\Edit.exe";
        }
        return "";
    }
    static double PlantedNumber(const CatalogueRow& row) {
        const double v = row.minimum + row.increment;
        return v == row.defaultValue ? v + row.increment : v;
    }

    // Writes the planted values into INI files on disk and reads them into the store as the
    // program does at start-up (simulator files below the folder, its own by bare name).
    void PlantFiles(const ControlRegistry& lists) {
        std::map<std::pair<std::string, bool>, std::map<std::string, std::string>> files;
        for (const CatalogueRow& row : Catalogue()) {
            if (NoItems(row)) continue;
            const Binding b = Filled(row);
            std::string value = Planted(row);
            if (row.kind == ControlKind::DropDown)
                value = lists.DropDown(row.name, row.element)->ItemValue(2);
            files[{b.file, b.fullPath}][b.section] += b.entry + "=" + value + "\r\n";
        }
        for (const auto& [key, sections] : files) {
            std::string text;
            for (const auto& [section, lines] : sections) text += "[" + section + "]\r\n" + lines;
            dir.write((key.second ? "Program/" : "GPL/") + key.first, text);
            store->ReadIniFile(key.second ? key.first : Sim() + key.first);
        }
    }

    ControlRegistry registry;
};

TEST_F(CatalogueWalk, EveryControlShowsItsDefaultForAMissingEntry) {
    Build();
    for (const CatalogueRow& row : Catalogue()) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.element));
        switch (row.kind) {
            case ControlKind::Spinner:
                EXPECT_EQ(registry.Spinner(row.name)->TextBox()->text().toStdString(),
                          CompactNumber(row.defaultValue));
                EXPECT_EQ(StoredOf(row), "");
                break;
            case ControlKind::CheckBox:
                EXPECT_EQ(registry.CheckBox(row.name, row.element)->Shown(), row.defaultValue);
                EXPECT_EQ(StoredOf(row), row.defaultValue == 1 ? "1" : "");
                break;
            case ControlKind::DropDown: {
                ucDropDown* list = registry.DropDown(row.name, row.element);
                EXPECT_EQ(list->ListIndex(), NoItems(row) ? 0 : 1);
                if (!NoItems(row)) {
                    EXPECT_EQ(StoredOf(row), list->ItemValue(1));
                }
                break;
            }
            case ControlKind::FilePath:
                EXPECT_EQ(registry.FilePath(row.name)->Value(), "");
                break;
        }
    }
}

TEST_F(CatalogueWalk, EveryControlReadsItsEntryAndWritesAChangeToIt) {
    const test::ScopedCurrentDir programFolder(dir.write("Program/.keep", "").parent_path());
    {
        // The lists' item values are needed to plant the files.
        ControlRegistry lists;
        QWidget scratch;
        for (const CatalogueRow& row : Catalogue())
            if (row.kind == ControlKind::DropDown)
                lists.Add(row.name, row.element, BuildControl(row, &scratch));
        FillLists(lists);
        SetBoundStore(nullptr);  // planting must not see writes of these scratch lists
        PlantFiles(lists);
        SetBoundStore(store.get());
    }
    Build();
    for (int f = 1; f <= store->FileCount(); ++f)
        EXPECT_FALSE(store->FileChanged(f)) << "reading changed " << store->FileName(f);

    for (const CatalogueRow& row : Catalogue()) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.element));
        const Binding b = Filled(row);
        switch (row.kind) {
            case ControlKind::Spinner: {
                ucSpinner* s = registry.Spinner(row.name);
                EXPECT_EQ(s->TextBox()->text().toStdString(), Planted(row));
                QTest::mouseClick(s->UpSmallButton(), Qt::LeftButton);
                EXPECT_EQ(StoredOf(row), CompactNumber(PlantedNumber(row) + row.increment));
                break;
            }
            case ControlKind::CheckBox: {
                ucCheckBox* c = registry.CheckBox(row.name, row.element);
                EXPECT_EQ(c->Shown(), row.defaultValue == 1 ? 0 : 1);
                c->Box()->setFocus();
                QTest::keyClick(c->Box(), Qt::Key_Space);
                EXPECT_EQ(StoredOf(row), row.defaultValue == 1 ? "1" : "0");
                break;
            }
            case ControlKind::DropDown: {
                ucDropDown* list = registry.DropDown(row.name, row.element);
                if (NoItems(row)) {
                    EXPECT_EQ(list->ListIndex(), 0);
                    break;
                }
                EXPECT_EQ(list->ListIndex(), 2);
                const bool down = list->NoItems() >= 3;
                list->List()->setFocus();
                QTest::keyClick(list->List(), down ? Qt::Key_Down : Qt::Key_Up);
                EXPECT_EQ(StoredOf(row), list->ItemValue(down ? 3 : 1));
                break;
            }
            case ControlKind::FilePath: {
                ucFilePath* p = registry.FilePath(row.name);
                EXPECT_EQ(p->Value(), Planted(row));
                TypeInto(p->TextBox(), "D:\\x.exe");
                EXPECT_EQ(StoredOf(row), "D:\\x.exe");
                break;
            }
        }
        const std::string key = b.fullPath ? b.file : Sim() + b.file;
        EXPECT_TRUE(store->FileChanged(store->FileNumber(key)) || NoItems(row)) << key;
    }

    // On disk too: the files written back hold every change where the next start finds it.
    store->WriteIniFiles();
    IniStore next(ui);
    next.SetDirectory(Sim());
    for (const CatalogueRow& row : Catalogue()) {
        const Binding b = Filled(row);
        const std::string key = b.fullPath ? b.file : Sim() + b.file;
        if (next.FileNumber(key) == 0) next.ReadIniFile(key);
        EXPECT_EQ(next.FullPathIniValue(key, b.section, b.entry), StoredOf(row))
            << row.name << " " << row.element;
    }
    EXPECT_TRUE(ui.messages.empty());
}

std::vector<int> ElementsOf(std::string_view name) {
    std::vector<int> elements;
    for (const CatalogueRow& row : Catalogue())
        if (name == row.name) elements.push_back(row.element);
    return elements;
}

TEST(SettingsCatalogue, HoldsEveryBoundControlOnceWithItsElementsSettingsAndFixedLists) {
    int mainWindow = 0, editor = 0;
    std::set<std::pair<std::string, int>> seen;
    for (const CatalogueRow& row : Catalogue()) {
        (std::string_view(row.window) == "frmZAM" ? mainWindow : editor)++;
        EXPECT_TRUE(seen.insert({row.name, row.element}).second) << row.name << row.element;
        const FrameInfo* frame = FindFrame(row.frame);
        ASSERT_NE(frame, nullptr) << row.name << " in " << row.frame;
        EXPECT_STREQ(frame->window, row.window) << row.name;
    }
    EXPECT_EQ(mainWindow, 115);
    EXPECT_EQ(editor, 4);
    EXPECT_EQ(ElementsOf("chkTextures"),
              (std::vector<int>{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                14, 16, 17, 19, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
    EXPECT_EQ(ElementsOf("chkEffects"), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ElementsOf("cbxEngine"), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_STREQ(FindRow("chkTextures", 21)->entry, "driverMirror");
    EXPECT_STREQ(FindRow("chkTextures", 21)->frame, "frmMirrorTextures");
    EXPECT_STREQ(FindRow("cbxEngine", 7)->entry, "F2");
    EXPECT_EQ(FindRow("chkTextures", 15), nullptr);
    // Rows keep their settings.
    const CatalogueRow* lod = FindRow("spnLODBias");
    ASSERT_NE(lod, nullptr);
    EXPECT_EQ(lod->kind, ControlKind::Spinner);
    EXPECT_EQ(lod->minimum, -100);
    EXPECT_EQ(lod->maximum, 500);
    const CatalogueRow* latency = FindRow("spnFFLatency");
    EXPECT_EQ(latency->increment, 0.001);
    EXPECT_EQ(latency->noDP, 6);
    EXPECT_STREQ(FindRow("cbxClass")->caption, "C&lass");
    EXPECT_TRUE(FindRow("cbxConnectVia")->useFullPath);
    EXPECT_TRUE(FindRow("chkRandomBack")->useFullPath);
    EXPECT_FALSE(FindRow("chkWindow")->useFullPath);
    EXPECT_EQ(FindRow("chkAppendClass")->alignment, 1);
    EXPECT_EQ(FindRow("chkWindow")->defaultValue, 1);
    EXPECT_STREQ(FindRow("spnYear")->file, "Seasons\\67Season.Ini");
    EXPECT_STREQ(FindRow("spnSmileyMirrorWidthScale")->entry, "Mirror Height Scale");
    EXPECT_STREQ(FindRow("pthProgram")->path, "C:\\");
    // Fixed lists belong to drop-downs and start with their fallback.
    for (const FixedList& list : FixedLists()) {
        const CatalogueRow* row = FindRow(list.control);
        ASSERT_NE(row, nullptr) << list.control;
        EXPECT_EQ(row->kind, ControlKind::DropDown) << list.control;
        EXPECT_FALSE(list.items.empty());
    }
    EXPECT_STREQ(ItemsOf("cbxPlayerHelmet")[0].text, "Black");
    EXPECT_EQ(ItemsOf("cbxPlayerHelmet").size(), 16u);
    EXPECT_STREQ(ItemsOf("cbxDateFormat")[0].value, "1");
    EXPECT_STREQ(ItemsOf("cbxAnisotropicFiltering")[4].value, "16");
    EXPECT_STREQ(RasteriserItems()[4].value, "rastOGL.dll");
    EXPECT_EQ(ItemsOf("cbxRasteriser").size(), 5u);
    EXPECT_TRUE(ItemsOf("cbxPlayer").empty());
}

}  // namespace
}  // namespace zam::controls
