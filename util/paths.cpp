#include "util/paths.h"

#include <utf8proc.h>

#include <cstdlib>

namespace zarvik {

namespace {

// The canonical precomposed form (NFC) of UTF-8 text; other bytes are kept as they are, since a
// file name need not be text.
std::string precomposed(const std::string& text) {
    utf8proc_uint8_t* composed = utf8proc_NFC(reinterpret_cast<const utf8proc_uint8_t*>(text.c_str()));
    if (composed == nullptr) {
        return text;
    }
    std::string result(reinterpret_cast<const char*>(composed));
    std::free(composed);
    return result;
}

}  // namespace

std::string filenameofpath(std::string_view path) {
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string filenamewithoutextension(std::string_view path) {
    std::string name = filenameofpath(path);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        name.resize(dot);
    }
    return name;
}

std::string fileurltopath(std::string_view url) {
    auto hexvalue = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        return -1;
    };
    std::string path;
    path.reserve(url.size());
    for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] == '%' && i + 2 < url.size() && hexvalue(url[i + 1]) >= 0 && hexvalue(url[i + 2]) >= 0) {
            path.push_back(static_cast<char>(hexvalue(url[i + 1]) * 16 + hexvalue(url[i + 2])));
            i += 2;
        } else {
            path.push_back(url[i]);
        }
    }
    constexpr std::string_view kScheme = "file://";
    if (path.starts_with(kScheme)) {
        path.erase(0, kScheme.size());
    }
    return precomposed(path);
}

bool pathhasextension(std::string_view path, std::string_view extension) {
    if (path.size() < extension.size()) {
        return false;
    }
    const std::string_view tail = path.substr(path.size() - extension.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char a = tail[i] >= 'A' && tail[i] <= 'Z' ? static_cast<char>(tail[i] - 'A' + 'a') : tail[i];
        const char b = extension[i] >= 'A' && extension[i] <= 'Z'
                           ? static_cast<char>(extension[i] - 'A' + 'a')
                           : extension[i];
        if (a != b) {
            return false;
        }
    }
    return true;
}

}  // namespace zarvik
