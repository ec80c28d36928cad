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

} // namespace

void FilterState::recoverFromNonFinite()
{
    zeroIfNonFinite(orderSignalL);
    zeroIfNonFinite(nfcStateL);
    zeroIfNonFinite(orderSignalR);
    zeroIfNonFinite(nfcStateR);
}

} // namespace sferant
