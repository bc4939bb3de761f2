#include <gtest/gtest.h>

// Windows' own unreadable places and its memory stop: file_system_win32_test.cpp.
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>

#include "fake_fatal_stop_sink.h"
#include "name_list_file.h"
#include "temp_dir.h"

using Names = std::vector<Text>;

namespace {
unsigned long currentProcessId() {
#ifdef _WIN32
    return ::GetCurrentProcessId();
#else
    return static_cast<unsigned long>(::getpid());
#endif
}
}  // namespace
using namespace std::string_literals;

struct LoadCase {
    const char* what;
    std::string bytes;
    Names names;
};

void PrintTo(const LoadCase& c, std::ostream* out) { *out << c.what; }

class LoadFileTest : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadFileTest, SplitsTheFileIntoMembers) {
    const auto& c = GetParam();
    TempDir dir;
    writeBytes(dir.file("list.ini"), c.bytes);
    FakeFatalStopSink sink;
    RuntimeErrorStop stop(sink);
    EXPECT_EQ(loadFile(dir.file("list.ini"), stop), c.names);
    EXPECT_EQ(splitText(std::string_view(c.bytes).substr(0, c.bytes.find('\0'))), c.names);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LoadFileTest,
    testing::Values(LoadCase{"empty", "", {}}, LoadCase{"three", "X,Y,Z", {"X", "Y", "Z"}},
                    LoadCase{"trailing comma", "X,Y,Z,", {"X", "Y", "Z"}},
                    LoadCase{"leading comma", ",X", {"", "X"}},
                    LoadCase{"two commas in a row", "X,,Y", {"X", "", "Y"}},
                    LoadCase{"single comma", ",", {""}}, LoadCase{"two commas", ",,", {"", ""}},
                    LoadCase{"line break ends the last name", "X,Y\r\n", {"X", "Y\r\n"}},
                    LoadCase{"line break alone", "X,\r\n", {"X", "\r\n"}},
                    LoadCase{"lines without commas", "X\r\nY\r\n", {"X\r\nY\r\n"}},
                    LoadCase{"spaces are kept", "X , Y", {"X ", " Y"}},
                    LoadCase{"comma as a trail byte", "\x81,Y", {"\x81,Y"}},
                    LoadCase{"three-byte character", "\xE4\xB8\xAD,Y", {"\xE4\xB8\xAD,Y"}},
                    LoadCase{"zero byte ends the content", "X,\0,Y"s, {"X"}},
                    LoadCase{"sixteen-bit text stops at its first zero", "A\0B\0,\0"s, {"A"}},
                    LoadCase{"lone lead byte at the end", "X,\xC4", {"X", "\xC4"}},
                    LoadCase{"GBK names",
                             "\xD5\xC5\xC8\xFD,\xC0\xEE\xCB\xC4,",
                             {"\xD5\xC5\xC8\xFD", "\xC0\xEE\xCB\xC4"}}),
    [](const auto& info) {
        std::string name;
        for (char ch : std::string(info.param.what)) {
            name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        }
        return name;
    });

class NameListFileTest : public testing::Test {
protected:
    NamePool poolOf(Names names) {
        NamePool pool(stop);
        pool.replaceAll(std::move(names));
        return pool;
    }
    // Every entry in the test directory, to catch a temporary file left behind.
    std::vector<std::string> entries() const {
        std::vector<std::string> out;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            out.push_back(entry.path().filename().string());
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    TempDir dir;
    FakeFatalStopSink sink;
    RuntimeErrorStop stop{sink};
    std::string path = dir.file("pool.ini");
};

TEST_F(NameListFileTest, SaveWritesLastToFirstEachFollowedByAComma) {
    const struct {
        Names pool;
        std::string bytes;
    } rows[] = {
        {{"X", "Y", "Z"}, "Z,Y,X,"},
        {{"X"}, "X,"},
        {{""}, ","},
        {{}, ""},
        {{"A", "", "A"}, "A,,A,"},
        {{"X\r\n", "\xD5\xC5"}, "\xD5\xC5,X\r\n,"},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(saveFile(path, poolOf(row.pool), stop));
        EXPECT_EQ(readBytes(path), row.bytes);
        EXPECT_TRUE(fileExists(path));
    }
}

TEST_F(NameListFileTest, RoundTripsReverseTheOrderAndKeepEveryMember) {
    for (const Names& names :
         {Names{"X", "Y", "Z"}, Names{"A", "A", "B"}, Names{""}, Names{"X"}, Names{}}) {
        ASSERT_TRUE(saveFile(path, poolOf(names), stop));
        const Names once = loadFile(path, stop).texts();
        EXPECT_EQ(once, Names(names.rbegin(), names.rend()));
        ASSERT_TRUE(saveFile(path, poolOf(once), stop));
        EXPECT_EQ(loadFile(path, stop), names);
    }
    EXPECT_EQ(entries(), std::vector<std::string>{"pool.ini"});
}

TEST_F(NameListFileTest, UnreadablePlacesGiveNoNames) {
    std::filesystem::create_directory(dir.file("a directory"));
    writeBytes(dir.file("empty"), "");
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    ::symlink("/dev/zero", dir.file("device").c_str());
#endif

    for (const char* name : {"missing", "a directory", "fifo", "empty", "device"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(loadFile(dir.file(name), stop), Names{});  // and the FIFO does not block
    }
    EXPECT_EQ(loadFile("", stop), Names{});
    EXPECT_TRUE(sink.boxes.empty());
}

TEST_F(NameListFileTest, ExistenceCountsAnyEntryButNeverTheEmptyPath) {
    std::filesystem::create_directory(dir.file("a directory"));
    writeBytes(dir.file("empty"), "");
    EXPECT_TRUE(fileExists(dir.file("a directory")));
    EXPECT_TRUE(fileExists(dir.file("empty")));
#ifndef _WIN32
    ::symlink(dir.file("nowhere").c_str(), dir.file("dangling").c_str());
    EXPECT_TRUE(fileExists(dir.file("dangling")));
#endif
    EXPECT_FALSE(fileExists(dir.file("missing")));
    EXPECT_FALSE(fileExists(""));
}

TEST_F(NameListFileTest, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
    writeBytes(path, "OLD,");
    // A directory that is not empty cannot be renamed over, not even by root.
    std::filesystem::create_directories(dir.file("busy") + "/inside");

    EXPECT_FALSE(saveFile(dir.file("busy"), poolOf({"NEW"}), stop));
    EXPECT_FALSE(saveFile(dir.file("no such directory/pool.ini"), poolOf({"NEW"}), stop));
    EXPECT_FALSE(saveFile("", poolOf({"NEW"}), stop));

    EXPECT_EQ(readBytes(path), "OLD,");
    EXPECT_EQ(entries(), (std::vector<std::string>{"busy", "pool.ini"}));
}

TEST_F(NameListFileTest, ASaveReplacesTheFileWholeAndKeepsOtherFilesApart) {
    writeBytes(path, std::string(100000, 'x') + ",");
    ASSERT_TRUE(saveFile(path, poolOf({"A"}), stop));
    EXPECT_EQ(readBytes(path), "A,");
    EXPECT_EQ(entries(), std::vector<std::string>{"pool.ini"});
}

// A writer killed between naming its new file and the rename leaves that file behind; the next
// save removes it, but never the file of a writer that is still running.
TEST_F(NameListFileTest, ASaveSweepsUpTheTemporaryFilesOfDeadWriters) {
    const std::string dead = "pool.ini.tmp-2147483646-0";  // no process has such an id
    const std::string alive = "pool.ini.tmp-" + std::to_string(currentProcessId()) + "-999";
    const std::string other = "other.ini.tmp-2147483646-0";
    for (const std::string& name : {dead, alive, other}) {
        writeBytes(dir.file(name), "HALF");
    }
    ASSERT_TRUE(saveFile(path, poolOf({"A"}), stop));
    EXPECT_EQ(entries(), (std::vector<std::string>{other, "pool.ini", alive}));
}

#ifndef _WIN32
// The load of a file larger than the memory it may use ends in the memory stop with the file's
// size. The address space is capped in a child process; the file is sparse, so nothing is used.
TEST(LoadFileMemory, AFileTooLargeForMemoryEndsInTheMemoryStop) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves address space of its own; a cap would break it";
#else
    TempDir dir;
    const std::string big = dir.file("big.ini");
    const std::string report = dir.file("report");
    constexpr off_t kSize = off_t{4} << 30;
    writeBytes(big, "");
    ASSERT_EQ(::truncate(big.c_str(), kSize), 0);

    class ReportingSink final : public FatalStopSink {
    public:
        explicit ReportingSink(std::string path) : m_path(std::move(path)) {}
        void showErrorBox(const Text& text, const Text&) override { writeBytes(m_path, text); }
        [[noreturn]] void exitProcess(int status) override { std::_Exit(status & 0xFF); }

    private:
        std::string m_path;
    };

    EXPECT_EXIT(
        {
            rlimit limit{};
            ::getrlimit(RLIMIT_AS, &limit);
            limit.rlim_cur = rlim_t{1} << 31;  // far more than the test needs, less than the file
            ::setrlimit(RLIMIT_AS, &limit);
            ReportingSink sink(report);
            RuntimeErrorStop stop(sink);
            (void)loadFile(big, stop);
            std::_Exit(0);
        },
        testing::ExitedWithCode(255), "");
    EXPECT_EQ(readBytes(report), runtimeErrorText(0, outOfMemoryMessage(std::size_t{4} << 30)));
#endif
}
#endif
