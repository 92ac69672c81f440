#include "zam/controls/SettingsCatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace zam::controls {
namespace {

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
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 19, 21,
                                22, 23, 24, 25, 26, 27, 28, 29}));
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
