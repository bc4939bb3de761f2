#pragma once

#include <cstdint>
#include <string_view>

#include "fatal_stop.h"
#include "name_list.h"
#include "text.h"

// The people who have not won yet, in order, at positions 1 to count().
class NamePool final {
public:
    // A new pool holds one member, the empty text.
    explicit NamePool(RuntimeErrorStop& stop);

    std::int32_t count() const { return static_cast<std::int32_t>(m_members.size()); }

    // The member at `position`; a position outside 1..count() ends the program through the stop
    // (code 4 below 1, code 1 above count), and never returns.
    std::string_view at(std::int32_t position) const;

    // Frees the member at `position` and closes the gap; outside 1..count() it does nothing.
    void removeAt(std::int32_t position);

    // Frees the current members and takes `names` over as the pool, without copying them.
    void replaceAll(NameList&& names);

    // Every member, for writing the pool out in one pass.
    const NameList& names() const { return m_members; }

    // Frees every member; run once at the normal end.
    void release();

private:
    RuntimeErrorStop& m_stop;
    NameList m_members;
};
