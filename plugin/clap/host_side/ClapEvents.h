// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

#include <clap/events.h>

static_assert(sizeof(clap_event_param_mod_t) == sizeof(clap_event_param_value_t) &&
                  offsetof(clap_event_param_mod_t, amount) ==
                      offsetof(clap_event_param_value_t, value),
              "a modulation event is laid out as a value event");

// Parameter events for one call, in the order added (the host adds them by frame), as the
// input list a process or flush call reads; reserved ahead, so adding does not allocate.
class ClapEventList
{
  public:
    void reserve(size_t count) { fEvents.reserve(count); }
    // A value event; or a modulation event (CLAP_EVENT_PARAM_MOD), laid out alike with its
    // amount in the value's place.
    void add(uint32_t frame, clap_id id, double value, uint16_t type = CLAP_EVENT_PARAM_VALUE)
    {
        clap_event_param_value_t event{};
        event.header = {sizeof event, frame, CLAP_CORE_EVENT_SPACE_ID, type, 0};
        event.param_id = id;
        event.note_id = -1;
        event.port_index = event.channel = event.key = -1;
        event.value = value;
        fEvents.push_back(event);
    }
    void clear() { fEvents.clear(); }
    // The list points to this object, wherever it was copied.
    const clap_input_events_t* input() const
    {
        fList = {const_cast<ClapEventList*>(this), size, get};
        return &fList;
    }
    // What the plug-in sends back (its editor's gestures) goes nowhere: no host display.
    static clap_output_events_t ignoringOutput()
    {
        return {nullptr,
                [](const clap_output_events_t*, const clap_event_header_t*) { return true; }};
    }

  private:
    static uint32_t size(const clap_input_events_t* list)
    {
        return static_cast<uint32_t>(static_cast<const ClapEventList*>(list->ctx)->fEvents.size());
    }
    static const clap_event_header_t* get(const clap_input_events_t* list, uint32_t index)
    {
        const auto& events = static_cast<const ClapEventList*>(list->ctx)->fEvents;
        return index < events.size() ? &events[index].header : nullptr;
    }

    std::vector<clap_event_param_value_t> fEvents;
    mutable clap_input_events_t fList{};
};
