// Menu artwork with two background sets, two screenshots waiting to be archived, and the empty
// archive folder.
#include <string>

#include "DemoParts.h"

namespace zam::tools::demo {

namespace {

std::string Placeholder(std::string_view what) {
    return "ZAMDeck demo " + std::string(what) + " - not a real picture\r\n";
}

}  // namespace

void WriteExtras(const DemoWriter& out) {
    for (std::string_view name : {"MainMenu.tga", "Options.tga"})
        out.File("Layout/" + std::string(name), Placeholder("menu artwork"));
    for (std::string_view set : {"Classic", "Night Race"})
        for (std::string_view name : {"MainMenu.tga", "Options.tga"})
            out.File("Layout/BackSets/" + std::string(set) + "/" + std::string(name),
                     Placeholder("background " + std::string(set)));
    out.File("GPL0001.PBF", Placeholder("screenshot 1"));
    out.File("GPL0002.PBF", Placeholder("screenshot 2"));
    out.Folder("Exports");
}

}  // namespace zam::tools::demo
