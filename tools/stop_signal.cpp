// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/stop_signal.h"

#include <csignal>

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
#ifdef _WIN32
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
#else
    // Without SA_RESTART, so that a signal also ends the wait for window events.
    struct sigaction action
    {
    };
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
#endif
}

bool stopRequested()
{
    return gStop != 0;
}
