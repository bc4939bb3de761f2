#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fake_fatal_stop_sink.h"
#include "name_list_file.h"
#include "temp_dir.h"

// The Windows file calls where they differ from POSIX: pipes and devices, sharing, folder names
// in any script, and what a terabyte does to the memory stop.

namespace {

using Names = std::vector<Text>;

class OwnedHandle final {
public:
    explicit OwnedHandle(HANDLE handle) : m_handle(handle) {}
    ~OwnedHandle() {
        if (valid()) {
            ::CloseHandle(m_handle);
        }
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

// Opens `path` the way another program might, with the given sharing.
OwnedHandle openElsewhere(const std::string& path, DWORD access, DWORD sharing) {
    return OwnedHandle(::CreateFileW(pathFromUtf8(path).c_str(), access, sharing, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

NamePool poolOf(RuntimeErrorStop& stop, Names names) {
    NamePool pool(stop);
    pool.replaceAll(std::move(names));
    return pool;
}

std::vector<std::string> entriesOf(const std::filesystem::path& directory) {
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        out.push_back(entry.path().filename().string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

class FileSystemWin32Test : public testing::Test {
protected:
    TempDir dir;
    FakeFatalStopSink sink;
    RuntimeErrorStop stop{sink};
};

TEST_F(FileSystemWin32Test, PipesDevicesAndFilesBeingWrittenGiveNoNames) {
    // A pipe whose server waits for a client: opening it succeeds at once, reading would block.
    const std::string pipe =
        "\\\\.\\pipe\\luckydraw-test-" + std::to_string(::GetCurrentProcessId());
    const OwnedHandle server(::CreateNamedPipeW(pathFromUtf8(pipe).c_str(), PIPE_ACCESS_DUPLEX,
                                                PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0, nullptr));
    ASSERT_TRUE(server.valid());
    // A writer that shares everything: only the load's own refusal of writers keeps it out.
    writeBytes(dir.file("being written"), "X,");
    const OwnedHandle writer =
        openElsewhere(dir.file("being written"), GENERIC_WRITE,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_TRUE(writer.valid());

    // The last is no UTF-8 at all, so no file can have that name.
    for (const std::string& place : {pipe, std::string("\\\\.\\NUL"), std::string("NUL"),
                                     dir.file("being written"), std::string("\xFF\xFE")}) {
        SCOPED_TRACE(place);
        EXPECT_EQ(loadFile(place, stop), Names{});
    }
    EXPECT_TRUE(fileExists(dir.file("being written")));
    EXPECT_FALSE(fileExists("\xFF\xFE"));
    EXPECT_TRUE(sink.boxes.empty());
}

TEST_F(FileSystemWin32Test, OthersMayReadTheFileWhileItLoads) {
    writeBytes(dir.file("list.ini"), "X,Y,");
    const OwnedHandle reader =
        openElsewhere(dir.file("list.ini"), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(reader.valid());
    EXPECT_EQ(loadFile(dir.file("list.ini"), stop), (Names{"X", "Y"}));
}

TEST_F(FileSystemWin32Test, ASaveOverAFileHeldOpenFailsAndLeavesItAsItWas) {
    const std::string path = dir.file("pool.ini");
    writeBytes(path, "OLD,");
    {
        // Without FILE_SHARE_DELETE nobody may rename over the file while it is open.
        const OwnedHandle reader = openElsewhere(path, GENERIC_READ, FILE_SHARE_READ);
        ASSERT_TRUE(reader.valid());
        EXPECT_FALSE(saveFile(path, poolOf(stop, {"NEW"}), stop));
    }
    EXPECT_EQ(readBytes(path), "OLD,");
    EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"pool.ini"});
    EXPECT_TRUE(saveFile(path, poolOf(stop, {"NEW"}), stop));
    EXPECT_EQ(readBytes(path), "NEW,");
}

TEST_F(FileSystemWin32Test, FoldersNamedInAnyScriptWork) {
    // Chinese, Greek and an emoji outside the Basic Multilingual Plane, with spaces: none of it
    // fits one 8-bit code page.
    for (const char* name : {"年会 抽奖", "Κλήρωση δώρων", "抽奖 \xF0\x9F\x8E\x81"}) {
        SCOPED_TRACE(name);
        const std::string folder = dir.file(name);
        ASSERT_TRUE(std::filesystem::create_directory(pathFromUtf8(folder)));
        const std::string path = folder + "\\未中名单.ini";
        EXPECT_FALSE(fileExists(path));
        ASSERT_TRUE(saveFile(path, poolOf(stop, {"A", "B"}), stop));
        EXPECT_TRUE(fileExists(path));
        EXPECT_EQ(loadFile(path, stop), (Names{"B", "A"}));
        EXPECT_EQ(entriesOf(pathFromUtf8(folder)), std::vector<std::string>{"未中名单.ini"});
    }
}

// A sparse terabyte: the disk holds nothing of it, and no Windows lets a process commit that
// much memory, so the load ends in the memory stop with the file's size.
TEST_F(FileSystemWin32Test, AFileTooLargeForMemoryEndsInTheMemoryStop) {
    const std::string big = dir.file("big.ini");
    constexpr LONGLONG kSize = LONGLONG{1} << 40;
    {
        const OwnedHandle file(::CreateFileW(pathFromUtf8(big).c_str(), GENERIC_WRITE, 0, nullptr,
                                             CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file.valid());
        DWORD ignored = 0;
        ASSERT_TRUE(::DeviceIoControl(file.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0,
                                      &ignored, nullptr));
        LARGE_INTEGER end{};
        end.QuadPart = kSize;
        ASSERT_TRUE(::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN));
        ASSERT_TRUE(::SetEndOfFile(file.get()));
    }
    EXPECT_THROW((void)loadFile(big, stop), ProcessExited);
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].text, runtimeErrorText(0, outOfMemoryMessage(std::size_t{1} << 40)));
}
