#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

// Converts between UTF-8 and GBK, so tests can spell texts in UTF-8.
#ifdef _WIN32

// Code page 936 is GBK; named outright so that the tests never rest on the system's code page.
inline constexpr UINT kGbkCodePage = 936;

inline std::wstring utf16From(std::string_view in, UINT codePage) {
    if (in.empty()) {
        return {};
    }
    const int inLength = static_cast<int>(in.size());
    const int length =
        ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), inLength, nullptr, 0);
    if (length <= 0) {
        throw std::runtime_error("not convertible: " + std::string(in));
    }
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), inLength, out.data(), length);
    return out;
}

inline std::string utf16To(const std::wstring& in, UINT codePage) {
    if (in.empty()) {
        return {};
    }
    const int inLength = static_cast<int>(in.size());
    // Only UTF-8 reports unconvertible characters by flag; other code pages by a default char.
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : 0;
    const int length = ::WideCharToMultiByte(codePage, flags, in.data(), inLength, nullptr, 0,
                                             nullptr, usedDefaultOut);
    if (length <= 0 || usedDefault) {
        throw std::runtime_error("not convertible to code page " + std::to_string(codePage));
    }
    std::string out(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, flags, in.data(), inLength, out.data(), length, nullptr,
                          nullptr);
    return out;
}

inline std::string gbk(std::string_view utf8) {
    return utf16To(utf16From(utf8, CP_UTF8), kGbkCodePage);
}
inline std::string utf8FromGbk(std::string_view gbkBytes) {
    return utf16To(utf16From(gbkBytes, kGbkCodePage), CP_UTF8);
}

#else

// glibc's iconv.
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

#endif
