#pragma once
// Every bound control of the program's windows as data: one row per control (array elements have
// their element number), and the fixed item lists of the drop-downs with the values they store.
#include <span>
#include <string_view>

namespace zam::controls {

enum class ControlKind { Spinner, CheckBox, DropDown, FilePath };

inline constexpr int kNoElement = -1;

struct CatalogueRow {
    const char* window;   // "frmZAM" or "frmEditSeasonEntry"
    const char* frame;    // frame that holds the control (FrameInfo), or the window's name
    const char* name;
    int element;          // element number in a control array, kNoElement otherwise
    ControlKind kind;
    const char* caption;  // with its access key ("C&lass")
    const char* file;     // "?" parts are filled in by the window at run time
    const char* section;
    const char* entry;
    double minimum = 0;   // spinners
    double maximum = 100;
    double increment = 1;
    int noDP = 0;
    double defaultValue = 0;  // spinners and check boxes
    const char* toolTip = "";
    bool useFullPath = false;  // check boxes and drop-downs
    int alignment = 0;         // check boxes: 1 puts the box right of the caption
    int labelWidth = 0;        // twips
    const char* path = "";     // file path: browse folder and patterns
    const char* pattern = "";
};

struct FrameInfo {
    const char* window;
    const char* name;     // "frmD3D"
    const char* caption;  // "Direct3D Options"
    const char* tab;      // caption of the main tab the frame is on, empty for none
};

struct ListItem {
    const char* text;
    const char* value;
};

struct FixedList {
    const char* control;
    std::span<const ListItem> items;
};

std::span<const CatalogueRow> Catalogue();
std::span<const FrameInfo> Frames();
// The lists the main window fills once at start-up, in its order (rasteriser and 3Dfx resolution
// lists are filled by the rasteriser profiles; players, tracks and the like by their owners).
std::span<const FixedList> FixedLists();

const CatalogueRow* FindRow(std::string_view name, int element = kNoElement);
const FrameInfo* FindFrame(std::string_view name);
std::span<const ListItem> ItemsOf(std::string_view control);

// Rasteriser libraries in the order the list offers them, and the 3Dfx patch's resolutions.
std::span<const ListItem> RasteriserItems();
std::span<const ListItem> GlideResolutionItems();
// Months for the season entry editor ("January": "1" ...).
std::span<const ListItem> MonthItems();

}  // namespace zam::controls
