#include "frontend/settings.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <sstream>
#include <vector>

#include "util/files.h"

namespace zarvik::frontend {
namespace {

// Settings are small; a larger file is not ours.
constexpr std::size_t kLimit = 64 * 1024;

std::mutex& settingsMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<std::string> settingLines() {
    const std::string path = settingsPath();
    std::vector<std::string> lines;
    if (path.empty() || pathkind(path) != 1) {
        return lines;
    }
    std::istringstream text(getstringfromfile(path, kLimit).value_or(""));
    for (std::string line; std::getline(text, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool isSettingLine(std::string_view line, std::string_view name) {
    return line.size() > name.size() && line.starts_with(name) && line[name.size()] == '=';
}

}  // namespace

std::string settingsPath() {
    std::string folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/') {
        folder = config;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        folder = std::string(home) + "/.config";
    } else {
        return {};
    }
    return folder + "/zarvik/einstellungen";
}

std::optional<std::string> readSetting(std::string_view name) {
    const std::lock_guard lock(settingsMutex());
    for (const std::string& line : settingLines()) {
        if (isSettingLine(line, name)) {
            return line.substr(name.size() + 1);
        }
    }
    return std::nullopt;
}

bool writeSetting(std::string_view name, std::string_view value) {
    const std::lock_guard lock(settingsMutex());
    const std::string path = settingsPath();
    if (path.empty()) {
        return false;
    }
    std::string text;
    for (const std::string& line : settingLines()) {
        if (!isSettingLine(line, name)) {
            text += line + "\n";
        }
    }
    text += std::string(name) + "=" + std::string(value) + "\n";
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return setstringtofile(path, text) == 0;
}

}  // namespace zarvik::frontend
