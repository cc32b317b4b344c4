#include "util/paths.h"

namespace zarvik {

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
    return path;
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
