#pragma once
// The one headless host of a toolkit test program and the capture of its log lines. The program's
// main (testhost.cpp) installs the host before any test runs: the toolkit's memory, window table
// and queues live for the process, as in the program.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/headless/headlesshost.h"

namespace zarvik::testing {

HeadlessHost& testHost();

// Brings the video memory back to its fresh state: re-initialising a window with an unsupported
// depth releases its blocks, so failing re-initialisations of all windows give the memory back.
// Every host window exists afterwards.
void releaseAllWindows();

// Lines written to standard output between construction and text() or lines().
class CapturedOutput {
  public:
    CapturedOutput() { ::testing::internal::CaptureStdout(); }
    // A failure reported while capturing would vanish with the rest; it is given back then.
    ~CapturedOutput() {
        if (!taken_) {
            const std::string swallowed = ::testing::internal::GetCapturedStdout();
            if (::testing::Test::HasFailure()) {
                std::fputs(swallowed.c_str(), stdout);
            }
        }
    }
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

    std::string text() {
        taken_ = true;
        return ::testing::internal::GetCapturedStdout();
    }
    std::vector<std::string> lines() {
        std::vector<std::string> result;
        const std::string all = text();
        std::size_t from = 0;
        for (std::size_t nl; (nl = all.find('\n', from)) != std::string::npos; from = nl + 1) {
            result.push_back(all.substr(from, nl - from));
        }
        if (from < all.size()) {
            result.push_back(all.substr(from));
        }
        return result;
    }

  private:
    bool taken_ = false;
};

}  // namespace zarvik::testing
