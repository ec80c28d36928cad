// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FilterState.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace sferant
{

namespace
{

template <int N> void zeroIfNonFinite(double (&values)[N])
{
    const auto finite = [](double v) { return std::isfinite(v); };
    if (!std::all_of(std::begin(values), std::end(values), finite))
        std::fill(std::begin(values), std::end(values), 0.0);
}

// Each order's states: runs of (offset, length) in nfcStateL and nfcStateR;
// the unused runs are empty.
struct StateRun
{
    int at, length;
};

constexpr StateRun kOrderStates[kMaxOrder][4] = {
    {{kOrder1Real, 2}},
    {{kOrder2Pair, 3}},
    {{kOrder3Pair1, 3}, {kOrder3Between, 1}, {kOrder3Real, 2}},
    {{kOrder4Pair2, 3}, {kOrder4Pair1, 3}},
    {{kOrder5Pair2, 3}, {kOrder5Pair1, 3}, {kOrder5Between, 1}, {kOrder5Real, 2}},
};

} // namespace

void FilterState::clearOrders(int first, int last)
{
    for (int n = std::max(first, 1); n <= std::min(last, kMaxOrder); ++n)
        for (const StateRun& run : kOrderStates[n - 1])
        {
            std::fill_n(nfcStateL + run.at, run.length, 0.0);
            std::fill_n(nfcStateR + run.at, run.length, 0.0);
        }
}

void FilterState::recoverFromNonFinite()
{
    zeroIfNonFinite(orderSignalL);
    zeroIfNonFinite(nfcStateL);
    zeroIfNonFinite(orderSignalR);
    zeroIfNonFinite(nfcStateR);
}

} // namespace sferant
