#pragma once
// Collects the log lines written while it lives, so tests can check the exact messages.
#include <string>
#include <vector>

#include "util/log.h"

namespace zarvik::test {

class LogLines {
  public:
    LogLines() {
        setlogsink([this](std::string_view line) { lines.emplace_back(line); });
    }
    ~LogLines() { setlogsink({}); }
    LogLines(const LogLines&) = delete;
    LogLines& operator=(const LogLines&) = delete;

    std::vector<std::string> lines;
};

}  // namespace zarvik::test
