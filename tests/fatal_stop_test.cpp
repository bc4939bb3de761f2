#include <gtest/gtest.h>

#include "fake_fatal_stop_sink.h"
#include "fatal_stop.h"
#include "gbk.h"

struct ErrorTextCase {
    int code;
    std::string_view messageUtf8;
    std::string_view boxUtf8;
};

class RuntimeErrorTextTest : public testing::TestWithParam<ErrorTextCase> {};

TEST_P(RuntimeErrorTextTest, BuildsTheBoxTextByteForByte) {
    const auto& c = GetParam();
    EXPECT_EQ(runtimeErrorText(c.code, gbk(c.messageUtf8)), gbk(c.boxUtf8));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, RuntimeErrorTextTest,
    testing::Values(
        ErrorTextCase{
            1, "数组成员引用下标超出定义范围",
            "运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n"},
        ErrorTextCase{
            4, "数组成员引用下标必须大于等于1",
            "运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n"},
        ErrorTextCase{0, "分配 1024 字节内存失败!",
                      "运行时出错!\r\n\r\n错误信息：分配 1024 字节内存失败!\r\n"},
        ErrorTextCase{0, "载入启动窗口失败", "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n"},
        ErrorTextCase{-2, "", "运行时出错!\r\n\r\n错误代码：-2\r\n\r\n"},
        ErrorTextCase{0, "", "运行时出错!\r\n\r\n"}));

TEST(OutOfMemoryMessage, NamesTheBytesAskedForInFullDecimal) {
    EXPECT_EQ(outOfMemoryMessage(12), gbk("分配 12 字节内存失败!"));
    EXPECT_EQ(outOfMemoryMessage(8589934592ULL), gbk("分配 8589934592 字节内存失败!"));
}

TEST(RuntimeErrorStop, StopsHandlingFirstThenShowsTheBoxThenExitsWithMinusOne) {
    FakeFatalStopSink sink;
    RuntimeErrorStop stop(sink);
    sink.watch(stop);
    EXPECT_FALSE(stop.hasStarted());

    EXPECT_THROW(stop.raise(1, text::kIndexAboveCount), ProcessExited);

    EXPECT_TRUE(stop.hasStarted());
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_TRUE(sink.boxes[0].stopStartedWhenShown);
    EXPECT_EQ(sink.boxes[0].title, gbk("错误"));
    EXPECT_EQ(sink.boxes[0].text, runtimeErrorText(1, text::kIndexAboveCount));
    EXPECT_EQ(sink.events, (std::vector<std::string>{"box", "exit -1"}));
}

TEST(RuntimeErrorStop, AFailedAllocationEndsInTheMemoryStopWithItsSize) {
    FakeFatalStopSink sink;
    RuntimeErrorStop stop(sink);
    EXPECT_THROW(stop.guardAllocation(4096, []() -> int { throw std::bad_alloc(); }),
                 ProcessExited);
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].text, runtimeErrorText(0, outOfMemoryMessage(4096)));
    EXPECT_EQ(stop.guardAllocation(1, [] { return 7; }), 7);
}
