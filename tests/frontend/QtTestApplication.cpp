// The one application of the front-end suite (and of the front-end half of the round trip).
#include "QtTestApplication.h"

namespace zam::test {

[[maybe_unused]] ::testing::Environment* const kQtApplication =
    ::testing::AddGlobalTestEnvironment(new QtTestApplication("frontend_tests"));

}  // namespace zam::test

// Read by LeakSanitizer in the sanitizer build: fontconfig, below Qt's text layout, keeps its
// configuration until the process ends; that is no leak of this program.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
