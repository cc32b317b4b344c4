#pragma once
// Scripted runs of the program on the headless host (zarvik-cli play --script): one step per line,
// a word and its argument, run in order, each after the program has settled. A new step is one more
// row in the table of script.cpp.
#include <string>
#include <string_view>
#include <vector>

namespace zarvik::cli {

struct ScriptStep {
    std::string_view word;
    std::string_view usage;  // the argument, for messages
    // Whether the step waits until the program waits for input.
    bool settles;
    // Whether the argument is acceptable; checked for every line before the first step runs.
    bool (*accepts)(std::string_view argument);
    // Carries the step out; an error text, empty on success.
    std::string (*run)(const std::string& argument);
};

const std::vector<ScriptStep>& scriptSteps();

struct ScriptLine {
    const ScriptStep* step = nullptr;
    std::string argument;
    int number = 0;  // line number in the file, from 1
};

// The steps of a script text; empty lines and lines starting with "#" are skipped. On a line that is
// no step, `error` names the line and the steps there are.
struct Script {
    std::vector<ScriptLine> lines;
    std::string error;
};
Script parseScript(std::string_view text);

// Runs the steps in order; the first error ("line N: ..."), empty when every step ran.
std::string runScript(const Script& script);

// The menus of the headless host during a scripted run: the application's titles and action tags.
void installScriptMenus();

}  // namespace zarvik::cli
