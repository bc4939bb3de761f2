#include "name_list_file.h"

#include <algorithm>
#include <cstring>

#include "file_system.h"

NameList splitText(std::string_view text, char separator) {
    auto bytes = std::make_unique_for_overwrite<char[]>(text.size());
    std::copy(text.begin(), text.end(), bytes.get());
    return NameList::split(std::move(bytes), text.size(), separator);
}

NameList loadFile(const Text& path, RuntimeErrorStop& stop) {
    fs_calls::FileBytes bytes = fs_calls::readRegularFile(path, stop);
    if (bytes.size == 0) {
        return {};
    }
    const void* zero = std::memchr(bytes.data.get(), 0, bytes.size);
    const std::size_t size =
        zero != nullptr
            ? static_cast<std::size_t>(static_cast<const char*>(zero) - bytes.data.get())
            : bytes.size;
    // The names keep the file's own buffer; what more they need is a pointer each.
    return stop.guardAllocation(
        size, [&bytes, size] { return NameList::split(std::move(bytes.data), size, ','); });
}

bool saveFile(const Text& path, const NamePool& pool, RuntimeErrorStop& stop) {
    if (path.empty()) {
        return false;
    }
    // The whole text is built before the file is touched, so the file is open only to write it.
    const NameList& names = pool.names();
    const std::size_t room = names.joinBufferSize();
    auto bytes =
        stop.guardAllocation(room, [room] { return std::make_unique_for_overwrite<char[]>(room); });
    const std::size_t size = names.joinReversed(bytes.get(), ',');
    return fs_calls::replaceFileAtomically(path, std::string_view(bytes.get(), size));
}

bool fileExists(const Text& path) { return fs_calls::entryExists(path); }
