#pragma once

#include <cstdint>
#include <string>

// `count` GBK names of two to four characters, each followed by ",", the same in every run.
inline std::string makeNameList(std::int64_t count) {
    std::uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 16;
    };
    std::string list;
    list.reserve(static_cast<std::size_t>(count) * 8);
    for (std::int64_t i = 0; i < count; ++i) {
        const unsigned characters = 2 + next() % 3;
        for (unsigned c = 0; c < characters; ++c) {
            list.push_back(static_cast<char>(0xB0 + next() % 0x28));  // GB2312's common hanzi
            list.push_back(static_cast<char>(0xA1 + next() % 0x5E));
        }
        list.push_back(',');
    }
    return list;
}
