#pragma once
// The upper-case table behind name folding, made by scripts/make-case-table.py.

#include <cstddef>
#include <cstdint>

namespace rilto {

// Code points first, first + stride, ... up to last map to themselves plus delta.
struct CaseRange {
    std::uint16_t first;
    std::uint16_t last;
    std::int32_t delta;
    std::uint8_t stride;
};

// Sorted by first; no two ranges overlap.
extern const CaseRange kUpperCaseRanges[];
extern const std::size_t kUpperCaseRangeCount;

}  // namespace rilto
