// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// SIGINT and SIGTERM end a long run cleanly instead of killing the process: the loops poll
// stopRequested() and close the module (and remove a partial output) before exiting.
void catchStopSignals();
bool stopRequested();
