#pragma once
// The commands of zarvik-cli. Each command lives in its own source file and registers itself with
// a file-scope `CommandRegistration`; main() looks the first argument up among them.
#include <string>
#include <string_view>
#include <vector>

namespace zarvik::cli {

struct Command {
    std::string_view name;
    std::string_view usage;                            // arguments, e.g. "DEPTH [FEN]"
    std::string_view summary;                          // one line for --help
    int (*run)(const std::vector<std::string>& args);  // args after the command name; returns exit status
};

// Exit status of a command whose arguments or input are malformed.
inline constexpr int kUsageError = 2;

const std::vector<Command>& commands();

struct CommandRegistration {
    explicit CommandRegistration(const Command& command);
};

}  // namespace zarvik::cli
