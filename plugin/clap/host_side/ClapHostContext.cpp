// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/clap/host_side/ClapHostContext.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include <clap/ext/params.h>
#include <clap/ext/thread-check.h>
#include <clap/ext/timer-support.h>

ClapHostContext::ClapHostContext(FILE* trace)
    : fHost{CLAP_VERSION,
            this,
            "sferant-host",
            "Sferant",
            "",
            "1",
            extension,
            [](const clap_host_t* h) { of(h).log("request_restart"); },
            [](const clap_host_t* h) { of(h).log("request_process"); },
            [](const clap_host_t* h)
            {
                of(h).log("request_callback");
                of(h).fCallbackRequested = true;
            }},
      fTrace(trace)
{
}

bool ClapHostContext::takeCallbackRequest()
{
    return std::exchange(fCallbackRequested, false);
}

ClapHostContext& ClapHostContext::of(const clap_host_t* host)
{
    return *static_cast<ClapHostContext*>(host->host_data);
}

void ClapHostContext::log(const char* call) const
{
    if (!fTrace) return;
    std::fprintf(fTrace, "host %s\n", call);
    std::fflush(fTrace);
}

const void* ClapHostContext::extension(const clap_host_t* host, const char* id)
{
    static const clap_host_thread_check_t threadCheck = {
        [](const clap_host_t* h) { return !of(h).fInProcess; },
        [](const clap_host_t* h) { return of(h).fInProcess; },
    };
    static const clap_host_timer_support_t timerSupport = {
        [](const clap_host_t* h, uint32_t, clap_id* id)
        {
            ClapHostContext& c = of(h);
            c.log("register_timer");
            *id = c.fNextTimer++;
            c.fTimers.push_back(*id);
            return true;
        },
        [](const clap_host_t* h, clap_id id)
        {
            ClapHostContext& c = of(h);
            c.log("unregister_timer");
            const auto at = std::find(c.fTimers.begin(), c.fTimers.end(), id);
            if (at == c.fTimers.end()) return false;
            c.fTimers.erase(at);
            return true;
        },
    };
    static const clap_host_params_t params = {
        [](const clap_host_t* h, clap_param_rescan_flags) { of(h).log("params.rescan"); },
        [](const clap_host_t* h, clap_id, clap_param_clear_flags) { of(h).log("params.clear"); },
        [](const clap_host_t* h) { of(h).log("params.request_flush"); },
    };
    of(host).log((std::string("get_extension ") + id).c_str());
    if (!std::strcmp(id, CLAP_EXT_THREAD_CHECK)) return &threadCheck;
    if (!std::strcmp(id, CLAP_EXT_TIMER_SUPPORT)) return &timerSupport;
    if (!std::strcmp(id, CLAP_EXT_PARAMS)) return &params;
    return nullptr;
}
