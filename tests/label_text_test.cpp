#include <gtest/gtest.h>

#include "label_text.h"

TEST(VisibleMiddle, ShortNamesStayWhole) {
    for (const std::string_view name : {"", "A", "\xD5\xC5\xC8\xFD", "R&D"}) {
        EXPECT_EQ(visibleMiddle(name), name);
    }
    const std::string exactly(kMostLabelBytes, 'x');
    EXPECT_EQ(visibleMiddle(exactly), exactly);
}

TEST(VisibleMiddle, LongNamesKeepTheirMiddleCutBetweenWholeCharacters) {
    // Single bytes: the cut lies exactly in the middle.
    std::string ascii;
    for (int i = 0; i < 100000; ++i) {
        ascii += static_cast<char>('a' + i % 26);
    }
    const std::string_view middle = visibleMiddle(ascii, 1000);
    EXPECT_EQ(middle.size(), 1000u);
    EXPECT_EQ(middle.data() - ascii.data(), (100000 - 1000) / 2);

    // Two-byte characters after one single byte: every cut falls after a whole character, so the
    // part starts on a lead byte and ends on a trail byte, even when the middle is odd.
    std::string gbk = "A";
    for (int i = 0; i < 50001; ++i) {
        gbk += "\xD5\xC5";
    }
    for (std::size_t most : {999u, 1000u, 4096u}) {
        const std::string_view part = visibleMiddle(gbk, most);
        const auto offset = static_cast<std::size_t>(part.data() - gbk.data());
        EXPECT_EQ(offset % 2, 1u) << most;
        EXPECT_EQ(part.size() % 2, 0u) << most;
        EXPECT_GE(part.size(), most - 1) << most;
        EXPECT_LE(part.size(), most + 1) << most;
        EXPECT_LE(std::abs(static_cast<long>(offset) -
                           static_cast<long>(gbk.size() - offset - part.size())),
                  3);
    }
}
