#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>

#include "program_directory.h"
#include "temp_dir.h"

TEST(ProgramDirectory, Utf8PathsSplitAtTheirLastSlash) {
    const struct {
        std::string_view path, directory;
    } rows[] = {
        {"/opt/lucky/luckydraw", "/opt/lucky"},
        // 中 is E4 B8 AD: pairing bytes would swallow the "/" after it.
        {"/tmp/\xE4\xB8\xAD/luckydraw", "/tmp/\xE4\xB8\xAD"},
        {"/luckydraw", ""},
        {"luckydraw", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(directoryOfUtf8Path(row.path), row.directory) << row.path;
    }
}

TEST(ProgramDirectory, WindowsPathsInUtf8SplitAtTheirLastBackslash) {
    const struct {
        std::string_view path, directory;
    } rows[] = {
        {"C:\\Lucky\\luckydraw.exe", "C:\\Lucky"},
        {"C:\\年会 抽奖\\luckydraw.exe", "C:\\年会 抽奖"},
        {"\\\\?\\C:\\Lucky\\luckydraw.exe", "\\\\?\\C:\\Lucky"},
        {"C:\\luckydraw.exe", "C:"},
        {"luckydraw.exe", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(directoryOfUtf8Path(row.path, '\\'), row.directory) << row.path;
    }
}

TEST(ProgramDirectory, CodePagePathsNeverSplitInsideATwoByteCharacter) {
    const struct {
        std::string_view path, directory;
    } rows[] = {
        {"C:\\Lucky\\draw.exe", "C:\\Lucky"},
        {"C:\\draw.exe", "C:"},
        // D5 5C is one character whose second byte looks like the separator.
        {"C:\\\xD5\\\\draw.exe", "C:\\\xD5\\"},
        {"C:\\dir\\\xD5\\draw.exe", "C:\\dir"},
        {"draw.exe", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(directoryOfCodePagePath(row.path, '\\'), row.directory) << row.path;
    }
}

TEST(ProgramDirectory, IsTheFolderOfTheRunningExecutableWithTheListsInside) {
    const Text directory = programDirectory();
#ifdef _WIN32
    std::wstring self(32768, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    EXPECT_EQ(pathFromUtf8(directory), std::filesystem::path(self).parent_path());
    EXPECT_EQ(poolFilePath("C:\\a"), "C:\\a\\未中名单.ini");
    EXPECT_EQ(fullListFilePath(""), "\\原始名单.ini");
#else
    EXPECT_EQ(std::filesystem::path(directory),
              std::filesystem::canonical("/proc/self/exe").parent_path());
    EXPECT_EQ(poolFilePath("/a"), "/a/未中名单.ini");
    EXPECT_EQ(fullListFilePath(""), "/原始名单.ini");
#endif
}
