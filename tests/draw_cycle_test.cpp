#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "draw_cycle.h"
#include "fake_clock.h"
#include "fake_fatal_stop_sink.h"
#include "fake_window.h"
#include "gbk.h"
#include "name_list_file.h"
#include "temp_dir.h"

using Names = std::vector<Text>;

namespace {

Text remainingTitle(std::int32_t count) {
    return gbk("还有" + std::to_string(count) + "人没有中过奖！");
}

Names membersOf(const NamePool& pool) {
    Names names;
    for (std::int32_t position = 1; position <= pool.count(); ++position) {
        names.emplace_back(pool.at(position));
    }
    return names;
}

}  // namespace

class DrawCycleTest : public testing::Test {
protected:
    void setPool(Names names) { pool.replaceAll(std::move(names)); }

    // Runs `ticks` ticks and returns the window calls of the last one.
    std::vector<WindowCall> tick(int ticks = 1) {
        std::size_t first = window.calls.size();
        for (int i = 0; i < ticks; ++i) {
            first = window.calls.size();
            cycle.onTimerTick();
        }
        return window.callsSince(first);
    }

    TempDir dir;
    const Text fullListPath = dir.file("full.ini");
    const Text poolPath = dir.file("pool.ini");
    FakeFatalStopSink sink;
    RuntimeErrorStop stop{sink};
    NamePool pool{stop};
    FakeWindow window;
    FakeClock clock;
    DrawCycle cycle{pool, window, clock, stop, fullListPath, poolPath};
};

struct DrawCase {
    const char* what;
    Names names;
    std::uint32_t clock;
};

void PrintTo(const DrawCase& c, std::ostream* out) { *out << c.what; }

class WholeDrawTest : public DrawCycleTest, public testing::WithParamInterface<DrawCase> {};

TEST_P(WholeDrawTest, RollsNineTimesThenDrawsRemovesAndSaves) {
    const DrawCase& c = GetParam();
    const Names before = c.names;
    const auto count = static_cast<std::int32_t>(before.size());
    setPool(before);
    clock.now = c.clock;

    for (int i = 1; i < DrawCycle::kTicksPerDraw; ++i) {
        const std::vector<WindowCall> calls = tick();
        ASSERT_EQ(calls.size(), 1u) << "tick " << i;
        EXPECT_EQ(calls[0], WindowCall::label(before[cycle.pickedPosition() - 1])) << "tick " << i;
        EXPECT_EQ(cycle.tickCount(), i);
        EXPECT_EQ(cycle.remainingCount(), count);
    }
    // Unseeded at start, the first rolling name is the same in every run.
    EXPECT_EQ(window.calls[0], WindowCall::label(before[41 % count]));
    EXPECT_EQ(membersOf(pool), before);
    EXPECT_FALSE(fileExists(poolPath));

    // The winner is drawn from every position after reseeding from the clock.
    FakeClock sameClock(c.clock);
    RandomSource reference(sameClock);
    reference.reseed();
    const std::int32_t winner = reference.randomInRange(1, count);

    const std::vector<WindowCall> last = tick();
    ASSERT_EQ(last.size(), 4u);
    EXPECT_EQ(last[0].kind, WindowCall::Kind::Label);
    EXPECT_EQ(last[1], WindowCall::title(remainingTitle(count - 1)));
    EXPECT_EQ(last[2], WindowCall::label(before[winner - 1]));
    EXPECT_EQ(last[3], WindowCall::period(0));

    Names after = before;
    after.erase(after.begin() + (winner - 1));
    EXPECT_EQ(cycle.pickedPosition(), winner);
    EXPECT_EQ(membersOf(pool), after);
    Text saved;
    for (auto it = after.rbegin(); it != after.rend(); ++it) {
        saved += *it + ",";
    }
    EXPECT_EQ(readBytes(poolPath), saved);
    EXPECT_EQ(cycle.tickCount(), 0);
    EXPECT_EQ(cycle.remainingCount(), count - 1);
    EXPECT_TRUE(sink.boxes.empty());
}

// At 4 ms the winner is position 4 of 4; at 5000 ms it is position 3 of 4, or 2 of 3.
INSTANTIATE_TEST_SUITE_P(
    Rows, WholeDrawTest,
    testing::Values(
        DrawCase{"gbk_names", {gbk("张三"), gbk("李四"), gbk("王五"), gbk("赵六")}, 5000},
        DrawCase{"last_of_four_wins", {"A", "B", "C", "D"}, 4},
        DrawCase{"duplicates_are_separate_members", {"A", "A", "B"}, 5000},
        DrawCase{"empty_names_show_as_empty_labels", {"", "", "X"}, 5000}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(DrawCycleTest, EitherOfTwoCanWin) {
    std::set<Text> winners;
    for (std::uint32_t step = 0; step < 16; ++step) {
        setPool({"A", "B"});
        clock.now = step * 37;
        tick(DrawCycle::kTicksPerDraw);
        ASSERT_EQ(pool.count(), 1);
        const Text& winner = window.calls[window.calls.size() - 2].text;
        EXPECT_NE(winner, pool.at(1)) << "the winner stayed in the pool";
        winners.insert(winner);
    }
    EXPECT_EQ(winners, (std::set<Text>{"A", "B"}));
}

struct RefillCase {
    const char* what;
    std::optional<std::string> fullList;  // nullopt: no file
    Names refilled;
    Text title;
};

void PrintTo(const RefillCase& c, std::ostream* out) { *out << c.what; }

class LastNameTest : public DrawCycleTest, public testing::WithParamInterface<RefillCase> {};

TEST_P(LastNameTest, StaysInTheLabelWhileThePoolStartsAgain) {
    const RefillCase& c = GetParam();
    if (c.fullList) {
        writeBytes(fullListPath, *c.fullList);
    }
    setPool({"Z"});

    const std::vector<WindowCall> last = tick(DrawCycle::kTicksPerDraw);
    EXPECT_EQ(last, (std::vector<WindowCall>{WindowCall::label("Z"), WindowCall::title(c.title),
                                             WindowCall::period(0)}));
    EXPECT_EQ(membersOf(pool), c.refilled);
    EXPECT_EQ(cycle.remainingCount(), static_cast<std::int32_t>(c.refilled.size()) - 1);
    EXPECT_EQ(loadFile(poolPath, stop), Names(c.refilled.rbegin(), c.refilled.rend()));
    EXPECT_TRUE(fileExists(poolPath));
    EXPECT_EQ(cycle.tickCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LastNameTest,
    testing::Values(RefillCase{"three", "A,B,C,", {"A", "B", "C"}, remainingTitle(2)},
                    RefillCase{"one", "Q", {"Q"}, remainingTitle(0)},
                    RefillCase{"empty_file", "", {}, Text(text::kEmptyListTitle)},
                    RefillCase{"no_file", std::nullopt, {}, Text(text::kEmptyListTitle)}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(DrawCycleTest, EmptyPoolStopsTheTimerUntilTheFullListHasNames) {
    setPool({"A", "B"});
    tick(3);
    for (const bool fileThere : {false, true}) {
        if (fileThere) {
            writeBytes(fullListPath, "");
        }
        setPool({});
        EXPECT_EQ(tick(),
                  (std::vector<WindowCall>{WindowCall::period(0),
                                           WindowCall::title(Text(text::kEmptyListTitle))}));
        EXPECT_EQ(cycle.tickCount(), 0);
        EXPECT_EQ(pool.count(), 0);
    }
    EXPECT_FALSE(fileExists(poolPath));
    EXPECT_TRUE(sink.boxes.empty());

    writeBytes(fullListPath, "X,Y,");
    const std::vector<WindowCall> rolled = tick();
    ASSERT_EQ(rolled.size(), 1u);
    EXPECT_EQ(rolled[0].kind, WindowCall::Kind::Label);
    EXPECT_EQ(membersOf(pool), (Names{"X", "Y"}));
    EXPECT_EQ(rolled[0].text, pool.at(cycle.pickedPosition()));
    EXPECT_EQ(cycle.tickCount(), 1);
    EXPECT_EQ(cycle.remainingCount(), 2);
}
