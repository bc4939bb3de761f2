#include <gtest/gtest.h>

#include <map>

#include "gbk.h"
#include "text.h"

// Each of the program's texts, spelled out in UTF-8.
const std::map<std::string_view, std::string_view> kSpelling = {
    {"kInitialLabelText", "某某某"},
    {"kButtonCaption", "摇一摇"},
    {"kErrorBoxTitle", "错误"},
    {"kErrorBoxHeader", "运行时出错!"},
    {"kErrorCodeLabel", "错误代码："},
    {"kErrorMessageLabel", "错误信息："},
    {"kIndexAboveCount", "数组成员引用下标超出定义范围"},
    {"kIndexBelowOne", "数组成员引用下标必须大于等于1"},
    {"kOutOfMemoryBefore", "分配 "},
    {"kOutOfMemoryAfter", " 字节内存失败!"},
    {"kWindowCreationFailed", "载入启动窗口失败"},
    {"kLoadedPoolBefore", "已读入上次没中奖的人员名单,共计"},
    {"kLoadedPoolAfter", "人"},
    {"kLoadedFullList", " 未发现上次未中名单，已读入原始名单。"},
    {"kRemainingBefore", "还有"},
    {"kRemainingAfter", "人没有中过奖！"},
    {"kEmptyListTitle", "名单为空，请检查原始名单.ini"},
};

TEST(ProgramTexts, EveryLiteralDecodesFromGbkToItsSpelling) {
    ASSERT_EQ(text::kAll.size(), kSpelling.size());
    for (const auto& [name, bytes] : text::kAll) {
        SCOPED_TRACE(std::string(name));
        ASSERT_TRUE(kSpelling.contains(name));
        EXPECT_EQ(utf8FromGbk(bytes), kSpelling.at(name));
    }
}

TEST(ProgramTexts, SingleByteCommaAndSpaceStandWhereTheyShould) {
    // These two look alike in their wide forms; the file format and the titles depend on which.
    EXPECT_NE(text::kLoadedPoolBefore.find(','), std::string_view::npos);
    EXPECT_EQ(text::kLoadedFullList.front(), ' ');
}
