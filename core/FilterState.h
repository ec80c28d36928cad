// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/parameters.h"

// The near-field filters' memory for the two virtual sources.

namespace sferant
{

// Where each section keeps its state in nfcStateL and nfcStateR.
// The second-order sections: three values each (w, s1, s2).
constexpr int kOrder2Pair = 0, kOrder3Pair1 = 3, kOrder4Pair2 = 6, kOrder4Pair1 = 9;
constexpr int kOrder5Pair2 = 12, kOrder5Pair1 = 15;
// The signals between the pair and the real root section of orders 3 and 5: one each.
constexpr int kOrder3Between = 18, kOrder5Between = 19;
// The real root sections: two values each (previous input, previous output).
constexpr int kOrder1Real = 20, kOrder3Real = 22, kOrder5Real = 24;

// Per side: the latest signal of orders 1 to 5, then the states of the nine
// sections at the offsets above.
struct FilterState
{
    static constexpr int kStates = 26;

    double orderSignalL[kMaxOrder];
    double nfcStateL[kStates];
    double orderSignalR[kMaxOrder];
    double nfcStateR[kStates];

    // Zeroes a side whose state is no longer finite (after non-finite input),
    // so that finite input gives finite output again.
    void recoverFromNonFinite();
    // Silences the filters of orders first to last (within 1 to 5) on both sides.
    void clearOrders(int first, int last);
};

} // namespace sferant
