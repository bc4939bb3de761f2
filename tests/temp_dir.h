#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

// The tests spell paths in UTF-8, as the program keeps them. A path built from plain chars would
// be read in the system's code page on Windows; one built from char8_t is UTF-8 everywhere.
inline std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A fresh directory for one test, removed with everything in it at the end.
class TempDir final {
public:
    TempDir() {
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        // create_directory is false only when the name is taken: then try another.
        do {
            m_path = base / ("luckydraw-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(m_path));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The UTF-8 path of `name` inside the directory.
    std::string file(std::string_view name) const { return (m_path / pathFromUtf8(name)).string(); }

private:
    std::filesystem::path m_path;
};

inline void writeBytes(const std::string& path, std::string_view bytes) {
    std::ofstream(pathFromUtf8(path), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(pathFromUtf8(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
