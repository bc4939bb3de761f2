#pragma once

#include <cstddef>
#include <string_view>

// The part of a name the label can possibly show: the label centres one line and cuts it at both
// edges, so of a name of millions of characters only the middle is ever seen. Keeping just the
// middle, cut between whole two-byte characters, lets a front-end decode and lay out a few
// thousand bytes per tick instead of the whole name.
inline constexpr std::size_t kMostLabelBytes = 4096;

std::string_view visibleMiddle(std::string_view name, std::size_t mostBytes = kMostLabelBytes);
