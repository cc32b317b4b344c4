#pragma once
// Collects the log lines written while it lives, from any thread; for tests, benchmarks and fuzz
// targets that check what the log, a person or a stored file sees.
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
            const std::lock_guard lock(mutex_);
            lines_.emplace_back(line);
        });
    }
    ~LogCapture() { setlogsink({}); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> lines() const {
        const std::lock_guard lock(mutex_);
        return lines_;
    }
    void clear() {
        const std::lock_guard lock(mutex_);
        lines_.clear();
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

}  // namespace zarvik::test
