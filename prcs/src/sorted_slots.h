// The short sorted list behind the median and rank filters: only the lowest
// few values of a neighbourhood are kept.
#pragma once

#include "prcs_rules.h"

namespace qd::prcs {

// Slot k starts at (k + 1) x 1e300, above every supported grey value.
inline void seedSentinels(double* slots, int32_t n) noexcept {
    for (int32_t k = 0; k < n; ++k) slots[k] = double(k + 1) * kSentinel;
}

// Inserts v before the first slot greater than it (so after equal values);
// the slots behind move back and the last one drops out. A NaN is greater
// than nothing and so is never kept.
inline void insertSorted(double* slots, int32_t n, double v) noexcept {
    int32_t k = 0;
    while (k < n && !(slots[k] > v)) ++k;
    if (k == n) return;
    for (int32_t j = n - 1; j > k; --j) slots[j] = slots[j - 1];
    slots[k] = v;
}

} // namespace qd::prcs
