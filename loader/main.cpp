// Rollout: runs the command the front end left in ZAM.int, waits for it, and brings the front end
// back. It has no window; it shows a message only when it cannot do its job.
#include "zam/loader/Loader.h"
#include "zam/loader/NativeLoaderPlatform.h"

int main() {
    zam::loader::NativeLoaderPlatform platform;
    return zam::loader::Loader(platform).Run();
}
