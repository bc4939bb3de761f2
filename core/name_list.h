#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "text.h"

// Names that share one buffer: the bytes of the list as they were read, each separator replaced
// by a zero byte in place, and one pointer per name. A million names cost the file's bytes and
// eight bytes each.
//
// The pointers lie in blocks of a few thousand, so taking a name out moves only the rest of its
// block: the first of a million leaves as fast as the first of a thousand, instead of dragging
// eight megabytes through the cache.
class NameList final {
public:
    NameList() = default;
    // Copies the names into a buffer of their own; for lists that were not read from a file.
    NameList(const std::vector<Text>& names);  // NOLINT: a list of texts is a name list
    NameList(std::initializer_list<std::string_view> names);

    // Takes `bytes` over and splits its first `size` bytes at every `separator` that is not the
    // second byte of a two-byte character. The text must hold no zero byte.
    static NameList split(std::unique_ptr<char[]> bytes, std::size_t size, char separator);

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    std::string_view operator[](std::size_t index) const;
    void erase(std::size_t index);

    // The room joinReversed needs: every byte of the list, a separator, and a little slack.
    std::size_t joinBufferSize() const {
        return static_cast<std::size_t>(m_end - m_bytes.get()) + 1 + kCopySlack;
    }
    // Writes every name from the last to the first, each followed by `separator`, into a buffer
    // of joinBufferSize() bytes; returns the bytes that count.
    std::size_t joinReversed(char* out, char separator) const;

    std::vector<Text> texts() const;
    friend bool operator==(const NameList& list, const std::vector<Text>& texts) {
        return list.texts() == texts;
    }

private:
    static constexpr std::size_t kBlockSize = 4096;
    static constexpr std::size_t kCopySlack = 16;
    struct Block {
        std::vector<const char*> names;
        // Nobody has left this block yet, so each name ends one byte before the next begins.
        bool contiguous = true;
    };

    void append(const char* name);
    std::string_view nameAt(const char* name) const;
    template <class Names>
    void copyFrom(const Names& names);

    std::unique_ptr<char[]> m_bytes;
    const char* m_end = nullptr;
    std::vector<Block> m_blocks;
    std::size_t m_size = 0;
};
