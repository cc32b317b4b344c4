#pragma once
// Runs the command-line tool from the tests and reads back the files it writes.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace zarvik::test {

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// The lines of standard error that speak to the person: the dialogs and the command's own messages
// ("replay: ..."), without the program's log that runs beside them.
inline std::string toldLines(const std::string& errors, const std::string& command) {
    std::string told;
    std::istringstream lines(errors);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("dialog: ") || line.starts_with(command + ": ")) {
            told += line + "\n";
        }
    }
    return told;
}

// A data and configuration folder of its own for each run of the tool, unless a test names one to
// share between runs (a saved last game that the next start offers).
inline std::string freshDataFolder() {
    static int runs = 0;
    const std::string folder =
        ::testing::TempDir() + "cli_xdg_" + std::to_string(::getpid()) + "_" + std::to_string(++runs);
    // A process number comes round again: what an earlier process left there (its running game)
    // must not greet this run with "Letztes Spiel fortsetzen".
    std::filesystem::remove_all(folder);
    return folder;
}

inline std::string cliCommand(const std::string& arguments, const std::string& dataFolder) {
    const std::string folder = dataFolder.empty() ? freshDataFolder() : dataFolder;
    return "XDG_DATA_HOME=" + shellQuoted(folder + "/data") +
           " XDG_CONFIG_HOME=" + shellQuoted(folder + "/config") + " " + std::string(ZARVIK_CLI) + " " +
           arguments;
}

// zarvik-cli with the arguments (quoted for the shell), its output and errors into `logPath`; the exit
// status, or -1 when it did not exit normally.
inline int runCli(const std::string& arguments, const std::string& logPath,
                  const std::string& dataFolder = "") {
    const std::string command = cliCommand(arguments, dataFolder) + " > " + logPath + " 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// As runCli, with standard output and standard error in files of their own.
inline int runCliApart(const std::string& arguments, const std::string& outPath, const std::string& errPath,
                       const std::string& dataFolder = "") {
    const std::string command = cliCommand(arguments, dataFolder) + " > " + outPath + " 2> " + errPath;
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A scripted run of the program (zarvik-cli play --script): its exit status, the screen and the
// record at the end, and what it wrote to standard output and standard error.
struct Scripted {
    int status = -1;
    std::string screen;
    std::string record;
    std::string out;
    std::string err;
};

inline std::string temp(const std::string& name) {
    return ::testing::TempDir() + "frontend_script_" + name;
}

inline std::string writeTemp(const std::string& name, const std::string& text) {
    const std::string path = temp(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr) << path;
    if (file != nullptr) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    return path;
}

// Runs the steps; `dataFolder` shares the saved last game between runs.
inline Scripted script(const std::string& name, const std::string& steps,
                       const std::string& dataFolder = "") {
    const std::string base = temp(name);
    const std::string path = writeTemp(name + ".script", steps);
    Scripted run;
    run.status = runCliApart(
        "play --script " + shellQuoted(path) + " --screen " + base + ".screen --record " + base + ".record",
        base + ".out", base + ".err", dataFolder);
    run.screen = readFile(base + ".screen");
    run.record = readFile(base + ".record");
    run.out = readFile(base + ".out");
    run.err = toldLines(readFile(base + ".err"), "play");
    return run;
}

// What `zarvik-cli replay` prints for the saved game at `path`.
inline std::string replay(const std::string& path) {
    const std::string log = path + ".replay";
    EXPECT_EQ(runCli("replay " + shellQuoted(path), log), 0) << path;
    return readFile(log);
}

}  // namespace zarvik::test
