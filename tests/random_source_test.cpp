#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "fake_clock.h"
#include "random_source.h"

TEST(RandomSourceTest, IsNotSeededAtStart) {
    FakeClock clock(123456);
    RandomSource random(clock);
    EXPECT_EQ(random.state(), 1u);
    std::vector<std::uint32_t> values;
    for (int i = 0; i < 5; ++i) {
        values.push_back(random.next());
    }
    EXPECT_EQ(values, (std::vector<std::uint32_t>{41, 18467, 6334, 26500, 19169}));
}

TEST(RandomSourceTest, ReseedAddsADriftThatSeparatesReseedsInOneMillisecond) {
    FakeClock clock;
    RandomSource random(clock);
    struct Row {
        std::uint32_t clock;
        std::uint32_t seed;
    };
    // The drift goes 0, 332, 484, 812: each time by the seed's low byte plus 100.
    const Row rows[] = {
        {1000, 1000},
        {1000, 1332},
        {0xFFFFFF00, 228},  // 0xFFFFFF00 + 484 wraps
        {0, 812},
    };
    for (const Row& row : rows) {
        clock.now = row.clock;
        random.reseed();
        EXPECT_EQ(random.state(), row.seed) << "clock " << row.clock;
    }
}

struct RangeCase {
    const char* what;
    std::uint32_t state;
    std::int32_t low;
    std::int32_t high;
    std::int32_t result;
    int valuesUsed;
};

void PrintTo(const RangeCase& c, std::ostream* out) { *out << c.what; }

class RandomInRangeTest : public testing::TestWithParam<RangeCase> {};

TEST_P(RandomInRangeTest, GivesTheExpectedResultFromTheExpectedValues) {
    const RangeCase& c = GetParam();
    FakeClock clock;
    RandomSource random(clock);
    random.setState(c.state);
    RandomSource reference(clock);
    reference.setState(c.state);
    for (int i = 0; i < c.valuesUsed; ++i) {
        reference.next();
    }

    EXPECT_EQ(random.randomInRange(c.low, c.high), c.result);
    EXPECT_EQ(random.state(), reference.state());
}

// From state 1 the values are 41, 18467, 6334. The state 0xF01BF641 gives 32767, then 15401.
INSTANTIATE_TEST_SUITE_P(
    Rows, RandomInRangeTest,
    testing::Values(
        RangeCase{"equal_bounds_do_not_advance", 1, 7, 7, 7, 0},
        RangeCase{"both_bounds_negative_are_zero", 1, -5, -1, 0, 0},
        RangeCase{"first_value_accepted", 1, 1, 10, 1 + 41 % 10, 1},
        RangeCase{"reversed_bounds", 1, 5, 3, 3 + 41 % 3, 1},
        RangeCase{"negative_low_is_zero", 1, -5, 2, 41 % 3, 1},
        RangeCase{"negative_high_is_zero_then_swapped", 1, 3, -4, 41 % 4, 1},
        RangeCase{"whole_value_range", 1, 0, 32767, 41, 1},
        RangeCase{"top_band_is_drawn_again", 0xF01BF641, 1, 3, 1 + 15401 % 3, 2},
        RangeCase{"two_values_first_most_significant", 1, 1, 100000,
                  1 + (41 * 32768 + 18467) % 100000, 2},
        RangeCase{"widest_span_is_capped", 1, 0, std::numeric_limits<std::int32_t>::max(),
                  static_cast<std::int32_t>((41LL << 30 | 18467LL << 15 | 6334) % 2147483647), 3}),
    [](const auto& info) { return std::string(info.param.what); });

// The generous chi-square critical value for `dof` degrees of freedom at z standard deviations,
// by the Wilson-Hilferty approximation.
double chiSquareCritical(double dof, double z) {
    const double a = 2.0 / (9.0 * dof);
    return dof * std::pow(1.0 - a + z * std::sqrt(a), 3.0);
}

class FairnessTest : public testing::TestWithParam<std::int32_t> {};

TEST_P(FairnessTest, EveryPositionIsReachedAndEquallyLikely) {
    const std::int32_t n = GetParam();
    const std::int64_t draws = std::max<std::int64_t>(200000, std::int64_t{n} * 30);
    FakeClock clock;
    RandomSource random(clock);
    random.setState(20240601);

    std::vector<std::int64_t> hits(static_cast<std::size_t>(n) + 1);
    for (std::int64_t i = 0; i < draws; ++i) {
        const std::int32_t position = random.randomInRange(1, n);
        ASSERT_GE(position, 1);
        ASSERT_LE(position, n);
        ++hits[static_cast<std::size_t>(position)];
    }

    const double expected = static_cast<double>(draws) / n;
    double chiSquare = 0;
    std::int32_t missed = 0;
    for (std::int32_t position = 1; position <= n; ++position) {
        const double diff =
            static_cast<double>(hits[static_cast<std::size_t>(position)]) - expected;
        chiSquare += diff * diff / expected;
        missed += hits[static_cast<std::size_t>(position)] == 0 ? 1 : 0;
    }
    EXPECT_EQ(missed, 0);
    EXPECT_GT(hits[static_cast<std::size_t>(n)], 0) << "the last position";
    EXPECT_LT(chiSquare, chiSquareCritical(n - 1, 4.0));
}

INSTANTIATE_TEST_SUITE_P(Sizes, FairnessTest, testing::Values(2, 3, 10, 10000, 100000));
