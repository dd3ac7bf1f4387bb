#pragma once
// A small direct-mapped cache of computed values: N slots, each holding the
// last value computed for a key that maps to it.  A cache only saves work:
// a value is the same bit for bit whether it comes from the cache or is
// computed again, so no result depends on what was asked before.
#include <array>
#include <cstddef>

template <class Key, class Value, std::size_t N>
struct SlotCache {
    struct Slot {
        bool used = false;
        Key key{};
        Value value{};
    };
    std::array<Slot, N> slots{};

    // The value of `key`, kept in slot `index` (taken modulo N): `compute()`
    // when that slot holds another key or none.
    template <class Compute>
    const Value& get(const Key& key, std::size_t index, Compute compute) {
        Slot& s = slots[index % N];
        if (!s.used || !(s.key == key)) {
            s.value = compute();
            s.key = key;
            s.used = true;
        }
        return s.value;
    }
};
