#pragma once
// Collects the log lines written while it lives (tests run on one thread).
#include <string>
#include <string_view>
#include <vector>

#include "util/log.h"

namespace zarvik::test {

class LogCapture {
  public:
    LogCapture() {
        setlogsink([this](std::string_view line) { lines.emplace_back(line); });
    }
    ~LogCapture() { setlogsink({}); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> lines;
};

}  // namespace zarvik::test
