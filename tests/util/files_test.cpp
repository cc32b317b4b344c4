#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/support/logcapture.h"
#include "util/encoding.h"
#include "util/files.h"

namespace zarvik {
namespace {

namespace fs = std::filesystem;
using test::LogCapture;

class Files : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("zarvik_util_files_" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const char* name) const { return (folder_ / name).string(); }
    static void writeraw(const std::string& p, std::string_view bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::string readraw(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

TEST_F(Files, Utf8TextIsReadAsIs) {
    writeraw(path("a.zarvik"), "1. 12:00:00 Weiß E2-E4\r");
    LogCapture log;
    EXPECT_EQ(getstringfromfile(path("a.zarvik")), "1. 12:00:00 Weiß E2-E4\r");
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(Files, MacRomanTextWithUmlautsIsReadOnSecondAttempt) {
    writeraw(path("alt.zarvik"), "K\x9Anig L\212ufer \x80\x85\x86 \xA7 \xDB");
    LogCapture log;
    EXPECT_EQ(getstringfromfile(path("alt.zarvik")), "König Läufer ÄÖÜ ß €");
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].rfind("getstringfromfile: Error #", 0), 0u);
}

// Files of formats written in Latin-1 are read in it without complaint.
TEST_F(Files, Latin1FallbackIsNoError) {
    writeraw(path("partie.pgn"), "[White \"M\xFCller, J\xF6rg\"]\n[Site \"Stra\337e\"]\n");
    LogCapture log;
    EXPECT_EQ(getstringfromfile(path("partie.pgn"), kDecodeLimit, TextFallback::latin1),
              "[White \"Müller, Jörg\"]\n[Site \"Straße\"]\n");
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(getstringfromfile(path("fehlt"), kDecodeLimit, TextFallback::latin1), std::nullopt);
}

TEST_F(Files, MissingFiles) {
    LogCapture quiet;
    EXPECT_EQ(getstringfromfile(path("fehlt")), std::nullopt);
    EXPECT_TRUE(getbinaryfromfile(path("fehlt")).empty());
    EXPECT_TRUE(getbinaryfromfile(folder_.string()).empty());
}

TEST_F(Files, WritesReplaceTheTargetAndLeaveNoTemporaryFile) {
    const Bytes data = {0x71, 0x78, 0x67, 0x72, 0, 255};
    EXPECT_EQ(setbinarytofile(path("b.gr"), data), 0);
    EXPECT_EQ(getbinaryfromfile(path("b.gr")), data);
    EXPECT_EQ(setstringtofile(path("b.gr"), "Spiel"), 0);
    EXPECT_EQ(readraw(path("b.gr")), "Spiel");
    EXPECT_EQ(setstringtofile(path("b.gr"), ""), 0);
    EXPECT_EQ(readraw(path("b.gr")), "");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(Files, WriteKeepsModeAndFollowsLinks) {
    writeraw(path("ziel"), "alt");
    ::chmod(path("ziel").c_str(), 0640);
    fs::create_symlink(path("ziel"), path("link"));
    EXPECT_EQ(setstringtofile(path("link"), "neu"), 0);
    EXPECT_TRUE(fs::is_symlink(path("link")));
    EXPECT_EQ(readraw(path("ziel")), "neu");
    EXPECT_EQ(fs::status(path("ziel")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(Files, DanglingAndRelativeLinksStayLinks) {
    fs::create_directories(folder_ / "sub");
    fs::create_symlink("sub/neu.zarvik", path("dangling"));
    fs::create_symlink("dangling", path("chain"));
    EXPECT_EQ(setstringtofile(path("chain"), "Spiel"), 0);
    EXPECT_TRUE(fs::is_symlink(path("chain")));
    EXPECT_TRUE(fs::is_symlink(path("dangling")));
    EXPECT_EQ(readraw(path("sub/neu.zarvik")), "Spiel");
    EXPECT_EQ(entries(), 3u) << "no file beside the links";
}

// A file that may be written in a folder that takes no new files is written in place. Root may
// create files anywhere, so there the write runs as an unprivileged user.
TEST_F(Files, WritableFileInLockedFolderIsWrittenInPlace) {
    fs::create_directories(folder_ / "locked");
    const std::string file = path("locked/spiel.zarvik");
    writeraw(file, "vorher");
    ::chmod(file.c_str(), 0666);
    ::chmod(path("locked").c_str(), 0555);
    int code = -1;
    if (::geteuid() == 0) {
        const pid_t child = ::fork();
        if (child == 0) {
            const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
            ::_exit(dropped ? setstringtofile(file, "nachher") : 255);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    } else {
        code = setstringtofile(file, "nachher");
    }
    ::chmod(path("locked").c_str(), 0755);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readraw(file), "nachher");
}

// Runs `write` in a child under an alarm, so a write that blocks fails the test instead of
// holding it; the child's result, or -1 when it did not finish in time.
int writtenInTime(const std::function<int()>& write) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(5);
        ::_exit(write());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct SpecialTargetCase {
    const char* name;
    std::string path;
    int error;
};

// A pipe has no reader to take a save; a device that opens at once takes it as a stream.
TEST_F(Files, WritesToPipesAreRefusedAtOnce) {
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    fs::create_symlink(path("pipe"), path("pipelink"));
    const SpecialTargetCase cases[] = {{"pipe", path("pipe"), ENODEV},
                                       {"link to a pipe", path("pipelink"), ENODEV},
                                       {"character device", "/dev/null", 0}};
    for (const SpecialTargetCase& c : cases) {
        EXPECT_EQ(writtenInTime([&] { return setstringtofile(c.path, "Spiel"); }), c.error) << c.name;
        EXPECT_EQ(writtenInTime([&] { return setbinarytofile(c.path, Bytes{1, 2}); }), c.error) << c.name;
    }
    EXPECT_EQ(fs::status(path("pipe")).type(), fs::file_type::fifo);
}

TEST_F(Files, HardLinksStayOneFile) {
    writeraw(path("spiel.zarvik"), "vorher");
    fs::create_hard_link(path("spiel.zarvik"), path("kopie.zarvik"));
    EXPECT_EQ(setstringtofile(path("spiel.zarvik"), "nachher"), 0);
    EXPECT_EQ(readraw(path("kopie.zarvik")), "nachher");
    EXPECT_EQ(fs::hard_link_count(path("spiel.zarvik")), 2u);
    EXPECT_EQ(setstringtofile(path("kopie.zarvik"), "kurz"), 0);
    EXPECT_EQ(readraw(path("spiel.zarvik")), "kurz");
    EXPECT_EQ(entries(), 2u);
}

// Root replaces files of other users; the replacement must stay theirs.
TEST_F(Files, ReplacedFileKeepsOwnerAndGroup) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root may give a file to another user";
    }
    writeraw(path("fremd.zarvik"), "vorher");
    ASSERT_EQ(::chown(path("fremd.zarvik").c_str(), 65534, 65534), 0);
    ::chmod(path("fremd.zarvik").c_str(), 0640);
    EXPECT_EQ(setstringtofile(path("fremd.zarvik"), "nachher"), 0);
    struct stat info {};
    ASSERT_EQ(::stat(path("fremd.zarvik").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(Files, LinkLoopIsRefused) {
    fs::create_symlink("zwei", path("eins"));
    fs::create_symlink("eins", path("zwei"));
    LogCapture quiet;
    EXPECT_EQ(setstringtofile(path("eins"), "Spiel"), ELOOP);
    EXPECT_TRUE(fs::is_symlink(path("eins")));
    EXPECT_TRUE(fs::is_symlink(path("zwei")));
    EXPECT_EQ(entries(), 2u);
}

struct UnreadableCase {
    const char* name;
    std::string path;
    int error;
};

// Pipes and devices are not read (a pipe would block, /dev/zero never ends); neither is a file
// beyond the caller's limit.
TEST_F(Files, OnlyRegularFilesWithinTheLimitAreRead) {
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    writeraw(path("gross"), std::string(100, 'x'));
    fs::create_symlink(path("pipe"), path("pipelink"));
    const UnreadableCase cases[] = {{"pipe", path("pipe"), ENODEV},
                                    {"link to a pipe", path("pipelink"), ENODEV},
                                    {"endless device", "/dev/zero", ENODEV},
                                    {"larger than the limit", path("gross"), EFBIG}};
    for (const UnreadableCase& c : cases) {
        LogCapture log;
        EXPECT_TRUE(getbinaryfromfile(c.path, 99).empty()) << c.name;
        ASSERT_EQ(log.lines().size(), 1u) << c.name;
        EXPECT_EQ(log.lines()[0], "getbinaryfromfile: Error #" + std::to_string(c.error) + " " +
                                      (c.error == ENODEV ? "Not a regular file." : "File too large") + " (" +
                                      c.path + ")");
        log.clear();
        EXPECT_EQ(getstringfromfile(c.path, 99), std::nullopt) << c.name;
        EXPECT_EQ(log.lines().size(), 2u) << c.name;
    }
    EXPECT_EQ(getbinaryfromfile(path("gross"), 100).size(), 100u);
    EXPECT_EQ(getstringfromfile(path("gross"), 100), std::string(100, 'x'));
}

TEST_F(Files, FailedWritesReportTheErrorCode) {
    LogCapture quiet;
    EXPECT_EQ(setstringtofile(path("fehlt/x.zarvik"), "x"), ENOENT);
    EXPECT_EQ(setbinarytofile(folder_.string(), Bytes{1}), EISDIR);
}

// A write that fails half-way (here: the file size limit, as a full disk would) must leave the
// previous file whole, whether it is replaced or, having a second hard link, written in place.
TEST_F(Files, FailedWriteLeavesThePreviousFileIntact) {
    for (const bool linked : {false, true}) {
        writeraw(path("spiel.zarvik"), "vorher");
        if (linked) {
            fs::create_hard_link(path("spiel.zarvik"), path("kopie.zarvik"));
        }
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 1000;
        ::setrlimit(RLIMIT_FSIZE, &small);
        LogCapture quiet;
        const int code = setstringtofile(path("spiel.zarvik"), std::string(5000, 'x'));
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_EQ(code, EFBIG) << linked;
        EXPECT_EQ(readraw(path("spiel.zarvik")), "vorher") << linked;
        EXPECT_EQ(entries(), linked ? 2u : 1u);
    }
}

TEST_F(Files, PathKinds) {
    writeraw(path("datei"), "x");
    EXPECT_EQ(pathkind(""), -1);
    EXPECT_EQ(pathkind(path("fehlt")), 0);
    EXPECT_EQ(pathkind(path("datei")), 1);
    EXPECT_EQ(pathkind(folder_.string()), 2);
}

// Every malformed sequence reads as U+FFFD and moves one byte on, so what follows it survives.
TEST(Encoding, Utf8Decoding) {
    const struct {
        std::string_view bytes;
        std::u32string scalars;
        bool valid;
    } rows[] = {
        {"", U"", true},
        {"Wähle", U"Wähle", true},
        {"\xE2\x82\xAC", U"\u20AC", true},
        {"\xF0\x9F\x98\x80", U"\U0001F600", true},
        {"\xF4\x8F\xBF\xBF", U"\U0010FFFF", true},
        {"\xEF\xBF\xBD", U"\uFFFD", true},
        {"\xC0\xAF", U"\uFFFD\uFFFD", false},                      // overlong "/"
        {"\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD", false},            // overlong "/"
        {"\xF0\x80\x80\xAF", U"\uFFFD\uFFFD\uFFFD\uFFFD", false},  // overlong "/"
        {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD", false},            // surrogate U+D800
        {"\xED\xBF\xBFx", U"\uFFFD\uFFFD\uFFFDx", false},          // surrogate U+DFFF
        {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD", false},  // U+110000
        {"\xF5\x80\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD", false},
        {"\xFF", U"\uFFFD", false},
        {"\xC3", U"\uFFFD", false},  // truncated at the end
        {"\xE2\x82", U"\uFFFD\uFFFD", false},
        {"\xE2\x82x", U"\uFFFD\uFFFDx", false},  // truncated before a character
        {"\232a", U"\uFFFDa", false},            // stray continuation byte
        {"\xE2\x28\xA1", U"\uFFFD(\uFFFD", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::string(row.bytes)));
        std::u32string read;
        for (std::size_t i = 0; i < row.bytes.size();) {
            read += utf8next(row.bytes, i);
        }
        EXPECT_EQ(read, row.scalars);
        EXPECT_EQ(isvalidutf8(row.bytes), row.valid);
    }
}

TEST(Encoding, Utf8Encoding) {
    const struct {
        char32_t scalar;
        std::string_view bytes;
    } rows[] = {
        {U'\0', std::string_view("\0", 1)},
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
        {0xD800, "\xEF\xBF\xBD"},
        {0x110000, "\xEF\xBF\xBD"},
    };
    for (const auto& row : rows) {
        std::string out;
        utf8append(out, row.scalar);
        EXPECT_EQ(out, row.bytes) << std::hex << static_cast<std::uint32_t>(row.scalar);
    }
}

TEST(Encoding, MacRomanCoversEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::string text = macromantoutf8(all);
    EXPECT_TRUE(isvalidutf8(text));
    EXPECT_EQ(utf8length(text), 256u);
    EXPECT_EQ(macromantoutf8("\xA7\xD2\xD3\xF5\xFF"), "ß“”ıˇ");
}

}  // namespace
}  // namespace zarvik
