#include "name_list_file.h"

#include <cstring>

#include "file_system.h"

namespace {

// Calls `onName` with each name of `text` in order; shared by counting and splitting.
template <class OnName>
void forEachName(std::string_view text, char separator, OnName&& onName) {
    const std::size_t size = text.size();
    std::size_t fieldStart = 0;
    std::size_t scan = 0;
    while (scan < size) {
        const auto byte = static_cast<unsigned char>(text[scan]);
        if (byte == static_cast<unsigned char>(separator)) {
            onName(text.substr(fieldStart, scan - fieldStart));
            fieldStart = ++scan;
        } else if (byte >= 0x80) {
            if (scan + 1 == size) {
                break;  // a lone lead byte at the end belongs to the last name
            }
            scan += 2;
        } else {
            ++scan;
        }
    }
    if (fieldStart < size) {
        onName(text.substr(fieldStart));
    }
}

}  // namespace

std::vector<Text> splitText(std::string_view text, char separator) {
    std::size_t count = 0;
    forEachName(text, separator, [&count](std::string_view) { ++count; });
    std::vector<Text> names;
    names.reserve(count);
    forEachName(text, separator, [&names](std::string_view name) { names.emplace_back(name); });
    return names;
}

std::vector<Text> loadFile(const Text& path, RuntimeErrorStop& stop) {
    const fs_calls::FileBytes bytes = fs_calls::readRegularFile(path, stop);
    if (bytes.size == 0) {
        return {};
    }
    const char* zero = static_cast<const char*>(std::memchr(bytes.data.get(), 0, bytes.size));
    const std::string_view text(
        bytes.data.get(),
        zero != nullptr ? static_cast<std::size_t>(zero - bytes.data.get()) : bytes.size);
    // The names together need at most the file's bytes and one slot per name.
    return stop.guardAllocation(text.size(), [text] { return splitText(text); });
}

Text joinForSave(const NamePool& pool, RuntimeErrorStop& stop) {
    std::size_t size = 0;
    for (std::int32_t position = pool.count(); position >= 1; --position) {
        size += pool.at(position).size() + 1;
    }
    Text out;
    stop.guardAllocation(size, [&out, size] { out.reserve(size); });
    for (std::int32_t position = pool.count(); position >= 1; --position) {
        out.append(pool.at(position)).push_back(',');
    }
    return out;
}

bool saveFile(const Text& path, const NamePool& pool, RuntimeErrorStop& stop) {
    if (path.empty()) {
        return false;
    }
    return fs_calls::replaceFileAtomically(path, joinForSave(pool, stop));
}

bool fileExists(const Text& path) { return fs_calls::entryExists(path); }
