#include "cli/script.h"

#include <charconv>
#include <chrono>
#include <optional>
#include <thread>

#include "frontend/driver.h"
#include "frontend/fileevents.h"
#include "frontend/record.h"
#include "toolkit/app/menus.h"
#include "toolkit/app/menutable.h"
#include "toolkit/headless/headlesshost.h"
#include "toolkit/text/textoutput.h"
#include "util/files.h"

namespace zarvik::cli {
namespace {

HeadlessHost* headless() {
    return dynamic_cast<HeadlessHost*>(&host());
}

bool anything(std::string_view) {
    return true;
}

bool something(std::string_view argument) {
    return !argument.empty();
}

bool isMilliseconds(std::string_view argument) {
    int value = 0;
    const auto [end, error] = std::from_chars(argument.data(), argument.data() + argument.size(), value);
    return error == std::errc() && end == argument.data() + argument.size() && value >= 0;
}

// "X Y" or "X Y right": a pixel of window 0's graphic and the button.
struct Click {
    int x = 0;
    int y = 0;
    bool right = false;
};
std::optional<Click> clickOf(std::string_view argument) {
    Click click;
    const char* const end = argument.data() + argument.size();
    const auto [afterX, xError] = std::from_chars(argument.data(), end, click.x);
    if (xError != std::errc() || afterX == end || *afterX != ' ') {
        return std::nullopt;
    }
    const auto [afterY, yError] = std::from_chars(afterX + 1, end, click.y);
    if (yError != std::errc() || click.x < 0 || click.y < 0) {
        return std::nullopt;
    }
    const std::string_view rest(afterY, std::size_t(end - afterY));
    if (!rest.empty() && rest != " right") {
        return std::nullopt;
    }
    click.right = !rest.empty();
    return click;
}

bool isClick(std::string_view argument) {
    return clickOf(argument).has_value();
}

// The item whose title the argument starts with (the longest such title), and what follows it.
struct MenuChoice {
    t_HostMenuChoice choice;
    std::string path;
};
std::optional<MenuChoice> menuChoiceOf(std::string_view argument) {
    std::optional<MenuChoice> best;
    for (const t_MenuRow& row : t_MenuTable()) {
        const std::string_view title = row.Title;
        if (title.empty()) {
            continue;
        }
        const bool whole = argument == title;
        if (!whole && !(argument.starts_with(title) && argument.substr(title.size()).starts_with(' '))) {
            continue;
        }
        if (best && best->choice.Item.title.size() >= title.size()) {
            continue;
        }
        best = MenuChoice{{std::string(row.Menu), t_HostMenuItemOf(row)},
                          whole ? std::string() : std::string(argument.substr(title.size() + 1))};
    }
    return best;
}

bool menuItem(std::string_view argument) {
    return menuChoiceOf(argument).has_value();
}

std::string typeKeys(const std::string& argument) {
    frontend::typeKeys(frontend::keysOf(argument));
    return {};
}

std::string chooseMenuItem(const std::string& argument) {
    const std::optional<MenuChoice> chosen = menuChoiceOf(argument);
    HeadlessHost* answering = headless();
    if (!chosen->path.empty() && answering != nullptr) {
        // Whichever dialog the item opens takes the path; the other answer is withdrawn below.
        answering->pushOpenAnswer({chosen->path});
        answering->pushSaveAnswer(chosen->path);
    }
    onMainThread([&] { t_MenuEventHandler(chosen->choice); });
    frontend::waitUntilQuiet();
    if (answering != nullptr) {
        answering->clearPanelAnswers();
    }
    return {};
}

// "BUTTON" or "Sichern PATH": the button that answers the next question dialog, and the path for
// the save dialog that "Sichern" opens.
struct Answer {
    std::string button;
    std::string path;
};
std::optional<Answer> answerOf(std::string_view argument) {
    for (const std::string_view button : {"Sichern", "Nicht sichern", "Abbrechen"}) {
        if (argument == button) {
            return Answer{std::string(button), {}};
        }
    }
    if (argument.starts_with("Sichern ") && argument.size() > 8) {
        return Answer{"Sichern", std::string(argument.substr(8))};
    }
    return std::nullopt;
}

bool isAnswer(std::string_view argument) {
    return answerOf(argument).has_value();
}

std::string answerQuestion(const std::string& argument) {
    const std::optional<Answer> answer = answerOf(argument);
    HeadlessHost* answering = headless();
    if (answering == nullptr) {
        return "no dialogs to answer";
    }
    answering->pushQuestionAnswer(answer->button);
    if (!answer->path.empty()) {
        answering->pushSaveAnswer(answer->path);
    }
    return {};
}

std::string clickAt(const std::string& argument) {
    const std::optional<Click> click = clickOf(argument);
    frontend::clickAt(click->x, click->y, click->right);
    frontend::waitUntilQuiet();
    return {};
}

std::string openDocument(const std::string& argument) {
    frontend::postFileEvent(argument);
    frontend::waitUntilQuiet();
    return {};
}

std::string writeScreen(const std::string& argument) {
    if (setstringtofile(argument, t_GetScreen(0, "\n")) != 0) {
        return "cannot write the screen to " + argument;
    }
    return {};
}

std::string writeRecord(const std::string& argument) {
    if (setstringtofile(argument, frontend::gameRecordSnapshot().text) != 0) {
        return "cannot write the record to " + argument;
    }
    return {};
}

std::string wait(const std::string& argument) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(argument)));
    return {};
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    return text;
}

}  // namespace

const std::vector<ScriptStep>& scriptSteps() {
    // Every step but a plain wait runs once the program waits for input.
    static const std::vector<ScriptStep> steps{
        {"keys", "TEXT", true, &anything, &typeKeys},
        {"menu", "TITLE [PATH]", true, &menuItem, &chooseMenuItem},
        {"click", "X Y [right]", true, &isClick, &clickAt},
        // Answers are queued for the next question, so they come before the step that asks it.
        {"answer", "BUTTON [PATH]", false, &isAnswer, &answerQuestion},
        {"open", "PATH", true, &something, &openDocument},
        {"screen", "FILE", true, &something, &writeScreen},
        {"record", "FILE", true, &something, &writeRecord},
        {"wait", "MS", false, &isMilliseconds, &wait},
    };
    return steps;
}

Script parseScript(std::string_view text) {
    Script script;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::size_t blank = line.find(' ');
        const std::string_view word = line.substr(0, blank);
        const std::string_view argument =
            blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
        const ScriptStep* found = nullptr;
        for (const ScriptStep& step : scriptSteps()) {
            if (step.word == word) {
                found = &step;
            }
        }
        if (found == nullptr) {
            std::string words;
            for (const ScriptStep& step : scriptSteps()) {
                words += (words.empty() ? "" : ", ") + std::string(step.word);
            }
            script.error = "line " + std::to_string(number) + ": unknown step '" + std::string(word) +
                           "' (steps: " + words + ")";
            return script;
        }
        if (!found->accepts(argument)) {
            script.error = "line " + std::to_string(number) + ": '" + std::string(line) +
                           "' (usage: " + std::string(found->word) + " " + std::string(found->usage) + ")";
            return script;
        }
        script.lines.push_back({found, std::string(argument), number});
    }
    return script;
}

std::string runScript(const Script& script) {
    for (const ScriptLine& line : script.lines) {
        if (line.step->settles) {
            frontend::waitUntilQuiet();
        }
        const std::string error = line.step->run(line.argument);
        if (!error.empty()) {
            return "line " + std::to_string(line.number) + ": " + error;
        }
    }
    return {};
}

void installScriptMenus() {
    HeadlessHost* answering = headless();
    if (answering == nullptr) {
        return;
    }
    for (const std::string_view menu : t_MenuTitles()) {
        std::vector<HostMenuItem> items;
        for (const t_MenuRow& row : t_MenuRows(menu)) {
            items.push_back(t_HostMenuItemOf(row));
        }
        answering->setMenu(std::string(menu), std::move(items));
    }
}

}  // namespace zarvik::cli
