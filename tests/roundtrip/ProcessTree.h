#pragma once
// Waiting, with an upper bound, for every process a test started and for everything those
// started in turn. The test process becomes the reaper of its orphaned descendants, so the
// front end the loader starts (and the loader's program) are its children once the loader has
// ended, and "all children gone" means the whole round trip has finished.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace zam::test {

class ProcessTree {
public:
    // Makes this process the reaper of its orphaned descendants.
    ProcessTree();

    // Reaps every descendant until none is left, or until `limit` has passed: then the ones still
    // running (found by their parent, this process) are killed by their ids and false returned.
    bool WaitForAll(std::chrono::seconds limit);

private:
    void KillRemaining();
};

}  // namespace zam::test
