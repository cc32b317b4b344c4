#include "tests/support/processhost.h"

#include "toolkit/screen/threads.h"

namespace zarvik::test {

HeadlessHost& processHost() {
    static HeadlessHost* host = [] {
        t_RegisterApplicationThread();
        auto* h = new HeadlessHost();
        h->setResources(ZARVIK_SOURCE_RESOURCES);
        h->install();
        return h;
    }();
    return *host;
}

}  // namespace zarvik::test
