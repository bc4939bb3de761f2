#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "name_list.h"
#include "name_list_file.h"

namespace {

Text joinedReversed(const NameList& list) {
    Text out(list.joinBufferSize(), '\0');
    out.resize(list.joinReversed(out.data(), ','));
    return out;
}

Text joinedReversed(const std::vector<Text>& names) {
    Text out;
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        out += *name + ",";
    }
    return out;
}

}  // namespace

// A list long enough to span several blocks, checked against a plain vector while names leave
// from the front, the back, the middle and the edges of blocks, until none is left.
TEST(NameList, KeepsOrderAndBytesWhileNamesLeaveAnywhere) {
    std::vector<Text> model;
    Text text;
    for (int i = 0; i < 10000; ++i) {
        // Names of every length from empty to longer than the copy slack, two-byte ones too.
        model.push_back(i % 7 == 0 ? Text() : Text(static_cast<std::size_t>(i % 23), 'a' + i % 26));
        if (i % 5 == 0) {
            model.back() += "\xD5\xC5";
        }
        text += model.back() + ",";
    }
    text.pop_back();  // the last name runs to the end of the text
    NameList list = splitText(text);
    ASSERT_EQ(list, model);
    EXPECT_EQ(joinedReversed(list), joinedReversed(model));

    std::mt19937 random(7);
    const std::size_t fixed[] = {0, 4095, 4096, 1, 8190};
    for (std::size_t step = 0; !model.empty(); ++step) {
        const std::size_t index = step < std::size(fixed) ? fixed[step] : random() % model.size();
        list.erase(index);
        model.erase(model.begin() + static_cast<std::ptrdiff_t>(index));
        if (step % 997 == 0 || model.size() < 3) {
            ASSERT_EQ(list.size(), model.size());
            ASSERT_EQ(list, model);
            ASSERT_EQ(joinedReversed(list), joinedReversed(model));
            if (!model.empty()) {
                ASSERT_EQ(list[model.size() - 1], model.back());
            }
        }
    }
    EXPECT_TRUE(list.empty());
}
