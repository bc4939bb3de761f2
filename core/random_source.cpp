#include "random_source.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::uint64_t kValueRange = 32768;    // next() gives 0..32767
constexpr std::uint32_t kMaxSpan = 2147483646;  // so that span + 1 still fits an int32

}  // namespace

std::uint32_t RandomSource::next() {
    m_state = m_state * 214013u + 2531011u;
    return (m_state >> 16) & 0x7FFFu;
}

std::int32_t RandomSource::randomInRange(std::int32_t low, std::int32_t high) {
    low = std::max(low, 0);
    high = std::max(high, 0);
    if (low > high) {
        std::swap(low, high);
    }
    if (low == high) {
        return low;
    }
    const auto span = std::min(static_cast<std::uint32_t>(high - low), kMaxSpan);
    const std::uint64_t n = std::uint64_t{span} + 1;

    // Enough generator values, most significant first, to cover n; a draw in the incomplete top
    // band is thrown away, otherwise the low results would come up more often.
    std::uint64_t range = kValueRange;
    int digits = 1;
    while (range < n) {
        range *= kValueRange;
        ++digits;
    }
    const std::uint64_t limit = range - range % n;
    std::uint64_t r = 0;
    do {
        r = 0;
        for (int digit = 0; digit < digits; ++digit) {
            r = r * kValueRange + next();
        }
    } while (r >= limit);
    return low + static_cast<std::int32_t>(r % n);
}

void RandomSource::reseed() {
    const std::uint32_t seed = m_clock.milliseconds() + m_drift;
    m_drift += (seed & 0xFFu) + 100u;
    m_state = seed;
}
