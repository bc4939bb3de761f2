#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>

// A text is a run of bytes in the program's 8-bit code page (GBK for every text we ship), with no
// zero byte inside. Nothing in the core converts it; only a front-end decodes it, for display.
using Text = std::string;

namespace text {

// The program's own texts, as GBK bytes. The comment above each is its spelling; a test decodes
// every one of them and compares, so nobody has to trust the escapes.
// 某某某
inline constexpr std::string_view kInitialLabelText = "\xC4\xB3\xC4\xB3\xC4\xB3";
// 摇一摇
inline constexpr std::string_view kButtonCaption = "\xD2\xA1\xD2\xBB\xD2\xA1";
// 错误
inline constexpr std::string_view kErrorBoxTitle = "\xB4\xED\xCE\xF3";
// 运行时出错!
inline constexpr std::string_view kErrorBoxHeader = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!";
// 错误代码：
inline constexpr std::string_view kErrorCodeLabel = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";
// 错误信息：
inline constexpr std::string_view kErrorMessageLabel = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";
// 数组成员引用下标超出定义范围
inline constexpr std::string_view kIndexAboveCount =
    "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB3\xAC\xB3\xF6\xB6\xA8\xD2"
    "\xE5\xB7\xB6\xCE\xA7";
// 数组成员引用下标必须大于等于1
inline constexpr std::string_view kIndexBelowOne =
    "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB1\xD8\xD0\xEB\xB4\xF3\xD3"
    "\xDA\xB5\xC8\xD3\xDA"
    "1";
// 分配
inline constexpr std::string_view kOutOfMemoryBefore = "\xB7\xD6\xC5\xE4 ";
//  字节内存失败!
inline constexpr std::string_view kOutOfMemoryAfter =
    " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";
// 载入启动窗口失败
inline constexpr std::string_view kWindowCreationFailed =
    "\xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC";
// 已读入上次没中奖的人员名单,共计
inline constexpr std::string_view kLoadedPoolBefore =
    "\xD2\xD1\xB6\xC1\xC8\xEB\xC9\xCF\xB4\xCE\xC3\xBB\xD6\xD0\xBD\xB1\xB5\xC4\xC8\xCB\xD4\xB1\xC3"
    "\xFB\xB5\xA5,\xB9\xB2\xBC\xC6";
// 人
inline constexpr std::string_view kLoadedPoolAfter = "\xC8\xCB";
//  未发现上次未中名单，已读入原始名单。
inline constexpr std::string_view kLoadedFullList =
    " \xCE\xB4\xB7\xA2\xCF\xD6\xC9\xCF\xB4\xCE\xCE\xB4\xD6\xD0\xC3\xFB\xB5\xA5\xA3\xAC\xD2\xD1\xB6"
    "\xC1\xC8\xEB\xD4\xAD\xCA\xBC\xC3\xFB\xB5\xA5\xA1\xA3";
// 还有
inline constexpr std::string_view kRemainingBefore = "\xBB\xB9\xD3\xD0";
// 人没有中过奖！
inline constexpr std::string_view kRemainingAfter =
    "\xC8\xCB\xC3\xBB\xD3\xD0\xD6\xD0\xB9\xFD\xBD\xB1\xA3\xA1";
// 名单为空，请检查原始名单.ini
inline constexpr std::string_view kEmptyListTitle =
    "\xC3\xFB\xB5\xA5\xCE\xAA\xBF\xD5\xA3\xAC\xC7\xEB\xBC\xEC\xB2\xE9\xD4\xAD\xCA\xBC\xC3\xFB\xB5"
    "\xA5.ini";

// Every literal above by name, for that test.
inline constexpr std::array<std::pair<std::string_view, std::string_view>, 17> kAll = {{
    {"kInitialLabelText", kInitialLabelText},
    {"kButtonCaption", kButtonCaption},
    {"kErrorBoxTitle", kErrorBoxTitle},
    {"kErrorBoxHeader", kErrorBoxHeader},
    {"kErrorCodeLabel", kErrorCodeLabel},
    {"kErrorMessageLabel", kErrorMessageLabel},
    {"kIndexAboveCount", kIndexAboveCount},
    {"kIndexBelowOne", kIndexBelowOne},
    {"kOutOfMemoryBefore", kOutOfMemoryBefore},
    {"kOutOfMemoryAfter", kOutOfMemoryAfter},
    {"kWindowCreationFailed", kWindowCreationFailed},
    {"kLoadedPoolBefore", kLoadedPoolBefore},
    {"kLoadedPoolAfter", kLoadedPoolAfter},
    {"kLoadedFullList", kLoadedFullList},
    {"kRemainingBefore", kRemainingBefore},
    {"kRemainingAfter", kRemainingAfter},
    {"kEmptyListTitle", kEmptyListTitle},
}};

}  // namespace text
