#include "program_directory.h"

#include "file_system.h"

namespace {
// The file names are the UTF-8 spellings of the lists' names: Windows too gets the program's
// paths in UTF-8, turned into UTF-16 only at its file calls.
#ifdef _WIN32
constexpr char kSeparator = '\\';
constexpr std::string_view kPoolFileName = "\\未中名单.ini";
constexpr std::string_view kFullListFileName = "\\原始名单.ini";
#else
constexpr char kSeparator = '/';
constexpr std::string_view kPoolFileName = "/未中名单.ini";
constexpr std::string_view kFullListFileName = "/原始名单.ini";
#endif
}  // namespace

Text directoryOfUtf8Path(std::string_view path, char separator) {
    const auto slash = path.rfind(separator);
    return slash == std::string_view::npos ? Text() : Text(path.substr(0, slash));
}

Text directoryOfCodePagePath(std::string_view path, char separator) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (static_cast<unsigned char>(path[i]) >= 0x80) {
            ++i;
        } else if (path[i] == separator) {
            last = i;
        }
    }
    return last == std::string_view::npos ? Text() : Text(path.substr(0, last));
}

Text programDirectory() { return directoryOfUtf8Path(fs_calls::executablePath(), kSeparator); }

Text poolFilePath(const Text& directory) { return directory + Text(kPoolFileName); }

Text fullListFilePath(const Text& directory) { return directory + Text(kFullListFileName); }
