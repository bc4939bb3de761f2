#include "gbk_text.h"

#include <windows.h>

#include <climits>

namespace {
constexpr UINT kGbkCodePage = 936;
}

std::wstring fromGbk(std::string_view text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    const int inLength = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(kGbkCodePage, 0, text.data(), inLength, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(kGbkCodePage, 0, text.data(), inLength, out.data(), length);
    return out;
}
