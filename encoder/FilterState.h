#pragma once

#include "encoder/parameters.h"

// The near-field filters' memory for the two virtual sources.

namespace sferant
{

// Per side: the latest signal of orders 1 to 5, then the states of the nine
// sections. State indices: 0-2 order 2; 3-5 order 3 pair 1; 6-8 order 4
// pair 2; 9-11 order 4 pair 1; 12-14 order 5 pair 2; 15-17 order 5 pair 1
// (each w, s1, s2); 18 and 19 the signals between the pair and the real root
// section of orders 3 and 5; 20-25 the real root sections of orders 1, 3, 5
// (each previous input, previous output).
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
};

} // namespace sferant
