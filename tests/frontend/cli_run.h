#pragma once
// Runs the command-line tool from the tests and reads back the files it writes.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
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

// A data and configuration folder of its own for each run of the tool, unless a test names one to
// share between runs (a saved last game that the next start offers).
inline std::string freshDataFolder() {
    static int runs = 0;
    return ::testing::TempDir() + "cli_xdg_" + std::to_string(::getpid()) + "_" + std::to_string(++runs);
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

// What `zarvik-cli replay` prints for the saved game at `path`.
inline std::string replay(const std::string& path) {
    const std::string log = path + ".replay";
    EXPECT_EQ(runCli("replay " + shellQuoted(path), log), 0) << path;
    return readFile(log);
}

}  // namespace zarvik::test
