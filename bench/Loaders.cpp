#include "Loaders.h"

namespace zam::bench {

const std::vector<LoaderKind>& AvailableLoaders() {
    static const std::vector<LoaderKind> kinds = {
#ifdef ZAM_BENCH_HAVE_STORE
        {"store", "store (IniStore)", &MakeStoreLoader, true},
        {"store-sized", "store, index presized", &MakeSizedStoreLoader, true},
        {"zamini-stats", "zamini stats", &MakeStatsLoader, false},
#endif
#ifdef ZAM_BENCH_HAVE_INIH
        {"inih", "inih (ini_parse)", &MakeInihLoader, true},
#endif
        {"kept-bytes", "bytes read and kept only", &MakeKeptBytesLoader, false},
#ifdef ZAM_BENCH_HAVE_QT
        {"qsettings", "QSettings (IniFormat)", &MakeQSettingsLoader, false},
#endif
    };
    return kinds;
}

const LoaderKind* FindLoader(std::string_view name) {
    for (const LoaderKind& kind : AvailableLoaders()) {
        if (name == kind.name) return &kind;
    }
    return nullptr;
}

}  // namespace zam::bench
