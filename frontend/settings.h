#pragma once
// The settings kept between runs in "$XDG_CONFIG_HOME/zarvik/einstellungen" (default ~/.config):
// "name=value" lines. A missing or unreadable file gives no values; lines it does not know are kept.
#include <optional>
#include <string>
#include <string_view>

namespace zarvik::frontend {

// The settings file's path; empty when neither XDG_CONFIG_HOME nor HOME names a folder.
std::string settingsPath();
std::optional<std::string> readSetting(std::string_view name);
// Replaces or adds the line; false when the file could not be written (the old file stays).
bool writeSetting(std::string_view name, std::string_view value);

}  // namespace zarvik::frontend
