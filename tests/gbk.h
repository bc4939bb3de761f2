#pragma once

#include <iconv.h>

#include <stdexcept>
#include <string>
#include <string_view>

// Converts between encodings with glibc's iconv, so tests can spell texts in UTF-8.
inline std::string convertText(std::string_view in, const char* from, const char* to) {
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("iconv_open failed");
    }
    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    ::iconv_close(cd);
    if (result == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("not convertible: " + std::string(in));
    }
    out.resize(out.size() - outLeft);
    return out;
}

inline std::string gbk(std::string_view utf8) { return convertText(utf8, "UTF-8", "GBK"); }
inline std::string utf8FromGbk(std::string_view gbkBytes) {
    return convertText(gbkBytes, "GBK", "UTF-8");
}
