// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/stop_signal.h"

#include <csignal>

#include "tools/system.h"

namespace
{

volatile std::sig_atomic_t gStop = 0;

void onStopSignal(int)
{
    gStop = 1;
}

} // namespace

void catchStopSignals()
{
    onStopSignals(onStopSignal);
}

bool stopRequested()
{
    return gStop != 0;
}
