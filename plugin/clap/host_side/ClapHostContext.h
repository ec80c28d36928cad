// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <vector>

#include <clap/host.h>
#include <clap/id.h>

// What a plug-in loaded by sferant-host sees of its host: a name, thread-check (the host
// processes on the main thread, so "audio thread" means "inside process"), timer-support
// (the timers run from the editor's idle) and params (nothing to rescan: no host display).
class ClapHostContext
{
  public:
    explicit ClapHostContext(FILE* trace);
    ClapHostContext(const ClapHostContext&) = delete;
    ClapHostContext& operator=(const ClapHostContext&) = delete;

    const clap_host_t* host() const { return &fHost; }
    // The timers the plug-in registered, and whether it asked for on_main_thread.
    const std::vector<clap_id>& timers() const { return fTimers; }
    bool takeCallbackRequest();
    // Brackets the process call, for thread-check.
    void setProcessing(bool processing) { fInProcess = processing; }

  private:
    static ClapHostContext& of(const clap_host_t* host);
    static const void* extension(const clap_host_t* host, const char* id);
    void log(const char* call) const;

    clap_host_t fHost;
    FILE* fTrace;
    std::vector<clap_id> fTimers;
    clap_id fNextTimer = 1;
    bool fInProcess = false, fCallbackRequested = false;
};
