#pragma once
// The one headless host of a test, benchmark or fuzz program: installed at the first call, with
// the calling thread as the application's thread and the resources of the source tree, and alive
// for the process, as the toolkit's memory, window table and queues are.
#include "toolkit/headless/headlesshost.h"

namespace zarvik::test {

HeadlessHost& processHost();

}  // namespace zarvik::test
