#include "terminal/dialogs.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "terminal/keydecoder.h"

namespace zarvik::terminal {
namespace {

t_HostKeyEvent key(char32_t c) {
    return t_HostKeyEvent{255, std::u32string(1, c), 0};
}

TEST(QuestionBox, AnsweredByKeys) {
    struct Row {
        const char* name;
        std::u32string keys;
        std::string answer;
    };
    const Row rows[] = {
        {"Return keeps the game", U"\r", "Abbrechen"},
        {"Escape cancels", U"\x1b", "Abbrechen"},
        {"first letter", U"n", "Nicht sichern"},
        {"first letter in capitals", U"S", "Sichern"},
        {"arrow left, then Return", std::u32string{kLeftKey, U'\r'}, "Nicht sichern"},
        {"Tab wraps around", U"\t\r", "Sichern"},
        {"keys typed after the answer", U"nx\r", "Nicht sichern"},
    };
    for (const Row& row : rows) {
        QuestionBox box("Vor dem Beenden sichern?", {"Sichern", "Nicht sichern", "Abbrechen"});
        for (char32_t c : row.keys) {
            box.key(key(c));
        }
        EXPECT_TRUE(box.finished()) << row.name;
        EXPECT_EQ(box.answer(), row.answer) << row.name;
    }
}

TEST(PathPrompt, EditsTheLineAndCancels) {
    PathPrompt typed("Sichern unter:", "/tmp/Spiel.zarvik");
    for (char32_t c :
         std::u32string{U'\x7f', U'\x7f', U'\x7f', U'\x7f', U'\x7f', U'\x7f', U'p', U'g', U'n', U'\r'}) {
        typed.key(key(c));
    }
    EXPECT_EQ(typed.answer(), "/tmp/Spiel.pgn");
    PathPrompt cancelled("Spiel öffnen:", "/tmp/");
    cancelled.key(key(U'a'));
    cancelled.key(key(27));
    EXPECT_TRUE(cancelled.finished());
    EXPECT_EQ(cancelled.answer(), "");
}

TEST(PathPrompt, TabCompletesFromTheFolder) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("zarvik-complete-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "Spielstand");
    for (const char* name : {"Spiel.zarvik", "Partie.pgn", "älter.zarvik", "ändern.pgn", ".versteckt"}) {
        std::ofstream(folder / name) << "x";
    }
    const std::string base = folder.string() + "/";
    struct Row {
        std::string typed;
        std::string completed;
    };
    const Row rows[] = {
        {"Sp", "Spiel"},            // two names agree this far
        {"Spiels", "Spielstand/"},  // a folder, the only match
        {"P", "Partie.pgn"},
        {"äl", "älter.zarvik"},
        {"ä", "ä"},  // "älter" and "ändern" part inside the letters that follow
        {"x", "x"},  // nothing matches
        {"", ""},    // hidden files stay hidden, the rest disagree at once
        {".v", ".versteckt"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(completePath(base + row.typed), base + row.completed) << row.typed;
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace zarvik::terminal
