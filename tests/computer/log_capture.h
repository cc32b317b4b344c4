#pragma once
// Collects the log lines written while it lives.
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "util/log.h"

namespace zarvik::test {

class LogCapture {
  public:
    LogCapture() {
        setlogsink([this](std::string_view line) {
            std::lock_guard<std::mutex> lock(mutex_);
            lines_.emplace_back(line);
        });
    }
    ~LogCapture() { setlogsink({}); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> lines() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

}  // namespace zarvik::test
