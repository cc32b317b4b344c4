#include "util/log.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>

namespace zarvik {
namespace {

std::mutex& logmutex() {
    static std::mutex m;
    return m;
}

std::FILE*& streamslot() {
    static std::FILE* stream = stdout;
    return stream;
}

std::shared_ptr<const std::function<void(std::string_view)>>& sinkslot() {
    static std::shared_ptr<const std::function<void(std::string_view)>> slot;
    return slot;
}

}  // namespace

void logline(std::string_view line) {
    std::string whole;
    whole.reserve(line.size() + 1);
    whole.append(line);
    whole.push_back('\n');
    std::shared_ptr<const std::function<void(std::string_view)>> sink;
    {
        std::lock_guard<std::mutex> lock(logmutex());
        if (std::FILE* stream = streamslot()) {
            std::fwrite(whole.data(), 1, whole.size(), stream);
            std::fflush(stream);
        }
        sink = sinkslot();
    }
    if (sink && *sink) {
        (*sink)(line);
    }
}

void setlogstream(std::FILE* stream) {
    std::lock_guard<std::mutex> lock(logmutex());
    streamslot() = stream;
}

void setlogsink(std::function<void(std::string_view)> sink) {
    auto slot =
        sink ? std::make_shared<const std::function<void(std::string_view)>>(std::move(sink)) : nullptr;
    std::lock_guard<std::mutex> lock(logmutex());
    sinkslot() = std::move(slot);
}

void fatal(std::string_view line) {
    logline(line);
    // The console window dies with the process: without a stream the reason goes to standard error.
    std::FILE* stream = nullptr;
    {
        std::lock_guard<std::mutex> lock(logmutex());
        stream = streamslot();
    }
    if (stream == nullptr) {
        std::fprintf(stderr, "%.*s\n", int(line.size()), line.data());
    }
    std::abort();
}

}  // namespace zarvik
