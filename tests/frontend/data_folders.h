#pragma once
// Every run of the program in a test gets data and configuration folders of its own, so that no test
// sees another's saved last game and none writes into the real home.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace zarvik::test {

// A folder for this process and name below the test's temporary folder.
inline std::string ownFolder(const std::string& name) {
    return ::testing::TempDir() + name + "_" + std::to_string(::getpid());
}

// Points this process at its own folders, emptied first: a process number comes round again, and
// what an earlier process left there must not count.
inline void useOwnDataFolders(const std::string& name) {
    const std::string folder = ownFolder(name);
    std::filesystem::remove_all(folder);
    ::setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
}

}  // namespace zarvik::test
