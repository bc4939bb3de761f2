#include "name_list.h"

#include <algorithm>
#include <cstring>

NameList::NameList(const std::vector<Text>& names) { copyFrom(names); }

NameList::NameList(std::initializer_list<std::string_view> names) { copyFrom(names); }

template <class Names>
void NameList::copyFrom(const Names& names) {
    std::size_t total = 0;
    for (const auto& name : names) {
        total += name.size() + 1;
    }
    m_bytes = std::make_unique_for_overwrite<char[]>(total == 0 ? 1 : total);
    char* out = m_bytes.get();
    for (const auto& name : names) {
        append(out);
        out = std::copy(name.begin(), name.end(), out);
        *out++ = '\0';
    }
    m_end = out;
}

void NameList::append(const char* name) {
    if (m_blocks.empty() || m_blocks.back().names.size() == kBlockSize) {
        m_blocks.emplace_back().names.reserve(kBlockSize);
    }
    m_blocks.back().names.push_back(name);
    ++m_size;
}

NameList NameList::split(std::unique_ptr<char[]> bytes, std::size_t size, char separator) {
    NameList list;
    if (size == 0) {
        return list;
    }
    list.m_bytes = std::move(bytes);
    char* const text = list.m_bytes.get();
    list.m_end = text + size;
    list.m_blocks.reserve(size / kBlockSize + 1);

    const auto sep = static_cast<unsigned char>(separator);
    std::size_t fieldStart = 0;
    std::size_t scan = 0;
    while (scan < size) {
        const auto byte = static_cast<unsigned char>(text[scan]);
        if (byte == sep) {
            list.append(text + fieldStart);
            text[scan] = '\0';
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
    // A separator as the last byte ends the last name without starting another.
    if (fieldStart < size) {
        list.append(text + fieldStart);
    }
    return list;
}

std::string_view NameList::nameAt(const char* name) const {
    // Every name ends at its zero byte, except one that runs to the end of the text.
    const auto room = static_cast<std::size_t>(m_end - name);
    const void* zero = std::memchr(name, 0, room);
    return {name, zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - name)
                                  : room};
}

std::string_view NameList::operator[](std::size_t index) const {
    for (const Block& block : m_blocks) {
        if (index < block.names.size()) {
            return nameAt(block.names[index]);
        }
        index -= block.names.size();
    }
    return {};
}

void NameList::erase(std::size_t index) {
    for (auto block = m_blocks.begin(); block != m_blocks.end(); ++block) {
        if (index < block->names.size()) {
            block->names.erase(block->names.begin() + static_cast<std::ptrdiff_t>(index));
            block->contiguous = false;
            if (block->names.empty()) {
                m_blocks.erase(block);
            }
            --m_size;
            return;
        }
        index -= block->names.size();
    }
}

std::size_t NameList::joinReversed(char* out, char separator) const {
    char* const start = out;
    for (auto block = m_blocks.rbegin(); block != m_blocks.rend(); ++block) {
        const auto& names = block->names;
        for (std::size_t k = names.size(); k-- > 0;) {
            const char* name = names[k];
            const std::size_t length = block->contiguous && k + 1 < names.size()
                                           ? static_cast<std::size_t>(names[k + 1] - name - 1)
                                           : nameAt(name).size();
            // Most names are a few bytes: one fixed-size copy beats a call sized to each.
            if (length <= kCopySlack && m_end - name >= static_cast<std::ptrdiff_t>(kCopySlack)) {
                std::memcpy(out, name, kCopySlack);
            } else {
                std::memcpy(out, name, length);
            }
            out += length;
            *out++ = separator;
        }
    }
    return static_cast<std::size_t>(out - start);
}

std::vector<Text> NameList::texts() const {
    std::vector<Text> out;
    out.reserve(m_size);
    for (const Block& block : m_blocks) {
        for (const char* name : block.names) {
            out.emplace_back(nameAt(name));
        }
    }
    return out;
}
