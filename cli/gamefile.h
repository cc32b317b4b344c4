#pragma once
// The arguments of the commands that read one game of a file: FILE and, for a file of several games
// of other chess programs, `--game N`.
#include <optional>
#include <string>
#include <vector>

namespace zarvik::cli {

struct GameFileArguments {
    std::string file;
    std::optional<int> game;  // from 1
    std::string error;        // why the arguments were refused; empty when they were read
};
GameFileArguments readGameFileArguments(const std::vector<std::string>& args);

}  // namespace zarvik::cli
