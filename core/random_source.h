#pragma once

#include <cstdint>

#include "tick_clock.h"

// The draw's random source: a linear congruential generator whose values are bits 16 to 30 of
// its state. It is not seeded at start, so the first rolling names after a start are the same in
// every run; the final tick of each draw reseeds it from the clock.
class RandomSource final {
public:
    explicit RandomSource(TickClock& clock) : m_clock(clock) {}

    // state := state * 214013 + 2531011 (mod 2^32); returns (state >> 16) & 0x7FFF.
    std::uint32_t next();

    // An integer from low to high, both included, every one equally likely. Bounds below 0 count
    // as 0, reversed bounds are swapped, equal bounds return that bound without advancing.
    std::int32_t randomInRange(std::int32_t low, std::int32_t high);

    // seed := clock + drift; drift += (seed & 0xFF) + 100; state := seed. The drift keeps two
    // reseeds within one millisecond apart.
    void reseed();

    std::uint32_t state() const { return m_state; }
    void setState(std::uint32_t state) { m_state = state; }

private:
    TickClock& m_clock;
    std::uint32_t m_state = 1;
    std::uint32_t m_drift = 0;
};
