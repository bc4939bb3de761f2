#include <algorithm>

#include "label_text.h"

namespace {

// The first character boundary at or after `at`, reading pairs from the start as the file
// reader does.
std::size_t boundaryFrom(std::string_view text, std::size_t scan, std::size_t at) {
    while (scan < at && scan < text.size()) {
        scan += static_cast<unsigned char>(text[scan]) >= 0x80 ? 2 : 1;
    }
    return std::min(scan, text.size());
}

}  // namespace

std::string_view visibleMiddle(std::string_view name, std::size_t mostBytes) {
    if (name.size() <= mostBytes) {
        return name;
    }
    const std::size_t begin = boundaryFrom(name, 0, (name.size() - mostBytes) / 2);
    const std::size_t end = boundaryFrom(name, begin, begin + mostBytes);
    return name.substr(begin, end - begin);
}
