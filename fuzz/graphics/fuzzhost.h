#pragma once
// The headless host of a fuzz target: installed once per process, as the program has one host,
// with the calling thread as the application's thread.
#include "toolkit/headless/headlesshost.h"
#include "toolkit/threads.h"

namespace zarvik::fuzzing {

inline void installHost() {
    static const bool installed = [] {
        t_RegisterApplicationThread();
        (new HeadlessHost())->install();  // lives for the process, like the toolkit's state
        return true;
    }();
    (void)installed;
}

}  // namespace zarvik::fuzzing
