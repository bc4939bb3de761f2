#include <gtest/gtest.h>

#include "fake_fatal_stop_sink.h"
#include "name_pool.h"

class NamePoolTest : public testing::Test {
protected:
    NamePool poolOf(std::vector<Text> names) {
        NamePool pool(stop);
        pool.replaceAll(std::move(names));
        return pool;
    }
    // The code of the stop that `read` raises, or -1 if it raises none.
    template <class Read>
    int stopCodeOf(Read&& read) {
        try {
            read();
        } catch (const ProcessExited&) {
            const Text& box = sink.boxes.back().text;
            return box.find(
                       "\xB4\xFA\xC2\xEB\xA3\xBA"
                       "4") != Text::npos
                       ? 4
                   : box.find(
                         "\xB4\xFA\xC2\xEB\xA3\xBA"
                         "1") != Text::npos
                       ? 1
                       : 0;
        }
        return -1;
    }

    FakeFatalStopSink sink;
    RuntimeErrorStop stop{sink};
};

TEST_F(NamePoolTest, StartsWithOneEmptyMember) {
    NamePool pool(stop);
    EXPECT_EQ(pool.count(), 1);
    EXPECT_EQ(pool.at(1), "");
}

TEST_F(NamePoolTest, AtOutsideThePoolStopsWithTheLowerBoundTestedFirst) {
    const NamePool three = poolOf({"X", "Y", "Z"});
    const NamePool empty = poolOf({});
    EXPECT_EQ(stopCodeOf([&] { (void)three.at(0); }), 4);
    EXPECT_EQ(stopCodeOf([&] { (void)three.at(-7); }), 4);
    EXPECT_EQ(stopCodeOf([&] { (void)three.at(4); }), 1);
    EXPECT_EQ(stopCodeOf([&] { (void)empty.at(0); }), 4);
    EXPECT_EQ(stopCodeOf([&] { (void)empty.at(1); }), 1);
    EXPECT_EQ(stopCodeOf([&] { EXPECT_EQ(three.at(3), "Z"); }), -1);
    EXPECT_EQ(
        sink.boxes.back().text,
        runtimeErrorText(1, text::kIndexAboveCount));  // the last stop was code 1, byte for byte
}

TEST_F(NamePoolTest, RemoveAtClosesTheGapAndIgnoresPositionsOutside) {
    NamePool pool = poolOf({"A", "B", "C", "D"});
    for (int outside : {0, -1, 5, 1000}) {
        pool.removeAt(outside);
    }
    ASSERT_EQ(pool.count(), 4);
    pool.removeAt(2);
    ASSERT_EQ(pool.count(), 3);
    EXPECT_EQ(pool.at(1), "A");
    EXPECT_EQ(pool.at(2), "C");
    EXPECT_EQ(pool.at(3), "D");

    NamePool one = poolOf({"X"});
    one.removeAt(1);
    EXPECT_EQ(one.count(), 0);
    EXPECT_TRUE(sink.boxes.empty());
}

TEST_F(NamePoolTest, ReplaceAllTakesTheListOverWithoutCopyingTheNames) {
    NameList names{Text(100, 'a'), "b", "b"};
    const char* storage = names[0].data();
    NamePool pool(stop);
    pool.replaceAll(std::move(names));
    ASSERT_EQ(pool.count(), 3);
    EXPECT_EQ(pool.at(1).data(), storage);
    EXPECT_EQ(pool.at(2), pool.at(3));  // duplicates stay separate members

    pool.release();
    EXPECT_EQ(pool.count(), 0);
}
