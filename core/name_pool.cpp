#include "name_pool.h"

#include <utility>

NamePool::NamePool(RuntimeErrorStop& stop) : m_stop(stop), m_members{std::string_view()} {}

std::string_view NamePool::at(std::int32_t position) const {
    // The lower bound is tested first, so position 0 gives code 4 even on an empty pool.
    if (position < 1) {
        m_stop.raise(4, text::kIndexBelowOne);
    }
    if (position > count()) {
        m_stop.raise(1, text::kIndexAboveCount);
    }
    return m_members[static_cast<std::size_t>(position - 1)];
}

void NamePool::removeAt(std::int32_t position) {
    if (position < 1 || position > count()) {
        return;
    }
    m_members.erase(static_cast<std::size_t>(position - 1));
}

void NamePool::replaceAll(NameList&& names) { m_members = std::move(names); }

void NamePool::release() { m_members = NameList(); }
