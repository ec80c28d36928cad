// SPDX-License-Identifier: GPL-3.0-or-later
// The interface tables through which hosts reach an Encoder: the component, the audio
// processor, the edit controller and the process context requirements. Each entry forwards
// to the Encoder that the interface's record names.
#include "plugin/vst3/Encoder.h"

#include "core/parameters.h"

#include <algorithm>
#include <cmath>

namespace sferant::vst3
{

namespace
{

Encoder& encoder(void* self)
{
    return Face<Encoder>::of(self);
}

// FUnknown and the plug-in base, shared by every interface of the object.
v3_result V3_API query(void* self, const v3_tuid iid, void** object)
{
    return encoder(self).queryInterface(iid, object);
}
uint32_t V3_API ref(void* self)
{
    return encoder(self).ref();
}
uint32_t V3_API unref(void* self)
{
    return encoder(self).unref();
}
v3_result V3_API initialize(void* self, v3_funknown** context)
{
    return encoder(self).initialize(context);
}
v3_result V3_API terminate(void* self)
{
    return encoder(self).terminate();
}

// The component. It is its own controller: no separate controller class.
v3_result V3_API controllerClassId(void*, v3_tuid)
{
    return V3_NOT_IMPLEMENTED;
}
v3_result V3_API setIoMode(void*, int32_t)
{
    return V3_NOT_IMPLEMENTED;
}
int32_t V3_API busCount(void* self, int32_t type, int32_t direction)
{
    return encoder(self).busCount(type, direction);
}
v3_result V3_API busInfo(void* self, int32_t type, int32_t direction, int32_t index,
                         v3_bus_info* info)
{
    return info ? encoder(self).busInfo(type, direction, index, *info) : v3_result(V3_INVALID_ARG);
}
v3_result V3_API routingInfo(void*, v3_routing_info*, v3_routing_info*)
{
    return V3_NOT_IMPLEMENTED;
}
// The buses are always active; the processor writes what each call's buffers name.
v3_result V3_API activateBus(void*, int32_t type, int32_t, int32_t index, v3_bool)
{
    return type == V3_AUDIO && index == 0 ? V3_OK : V3_INVALID_ARG;
}
v3_result V3_API setActive(void* self, v3_bool state)
{
    return encoder(self).setActive(state != 0);
}
v3_result V3_API setState(void* self, v3_bstream** stream)
{
    return encoder(self).setState(stream);
}
v3_result V3_API getState(void* self, v3_bstream** stream)
{
    return encoder(self).getState(stream);
}

// The audio processor.
v3_result V3_API setArrangements(void* self, v3_speaker_arrangement* inputs, int32_t numInputs,
                                 v3_speaker_arrangement* outputs, int32_t numOutputs)
{
    return encoder(self).setArrangements(inputs, numInputs, outputs, numOutputs);
}
v3_result V3_API arrangement(void* self, int32_t direction, int32_t index,
                             v3_speaker_arrangement* out)
{
    return out ? encoder(self).arrangement(direction, index, *out) : v3_result(V3_INVALID_ARG);
}
v3_result V3_API canProcess(void*, int32_t size)
{
    return size == V3_SAMPLE_32 || size == V3_SAMPLE_64 ? V3_OK : V3_FALSE;
}
uint32_t V3_API noSamples(void*)
{
    return 0;
}
v3_result V3_API setupProcessing(void* self, v3_process_setup* setup)
{
    return setup ? encoder(self).setupProcessing(*setup) : v3_result(V3_INVALID_ARG);
}
v3_result V3_API setProcessing(void* self, v3_bool state)
{
    return encoder(self).setProcessing(state != 0);
}
v3_result V3_API process(void* self, v3_process_data* data)
{
    return data ? encoder(self).process(*data) : v3_result(V3_INVALID_ARG);
}
uint32_t V3_API tailSamples(void*)
{
    return 0;
}

// The edit controller. Its own state is empty: the component's holds every value.
v3_result V3_API setComponentState(void* self, v3_bstream** stream)
{
    return encoder(self).setState(stream);
}
v3_result V3_API emptyState(void*, v3_bstream**)
{
    return V3_OK;
}
int32_t V3_API parameterCount(void*)
{
    return kNumParams;
}
v3_result V3_API parameterInfo(void* self, int32_t index, v3_param_info* info)
{
    return info ? encoder(self).parameterInfo(index, *info) : v3_result(V3_INVALID_ARG);
}
v3_result V3_API stringForValue(void*, v3_param_id id, double value, v3_str_128 out)
{
    char text[64];
    if (id >= v3_param_id(kNumParams) || !out ||
        !displayText(int(id), static_cast<float>(value), text, sizeof text - 1))
        return V3_INVALID_ARG;
    toUtf16(text, out, 128);
    return V3_OK;
}
v3_result V3_API valueForString(void*, v3_param_id id, int16_t* input, double* out)
{
    char text[128];
    float x;
    if (id >= v3_param_id(kNumParams) || !input || !out) return V3_INVALID_ARG;
    fromUtf16(input, text, sizeof text);
    if (!parseText(int(id), text, x)) return V3_FALSE;
    *out = x;
    return V3_OK;
}
// Plain values: a switch's position number (0 to its step count), else the normalised value
// itself (the azimuth in degrees falls as its normalised value rises, which hosts do not
// expect of a range).
int steps(v3_param_id id)
{
    return id < v3_param_id(kNumParams) && kParameters[id].positions ? kParameters[id].positions - 1
                                                                     : 0;
}
double V3_API toPlain(void*, v3_param_id id, double value)
{
    return steps(id) ? std::floor(std::clamp(value, 0.0, 1.0) * steps(id)) : value;
}
double V3_API toNormalised(void*, v3_param_id id, double plain)
{
    return steps(id) ? std::clamp(std::round(plain), 0.0, double(steps(id))) / steps(id) : plain;
}
double V3_API getNormalised(void* self, v3_param_id id)
{
    return encoder(self).normalised(id);
}
v3_result V3_API setNormalised(void* self, v3_param_id id, double value)
{
    return encoder(self).setNormalised(id, value);
}
v3_result V3_API setHandler(void* self, v3_component_handler** handler)
{
    return encoder(self).setComponentHandler(handler);
}
v3_plugin_view** V3_API createView(void* self, const char* name)
{
    return encoder(self).createView(name);
}

uint32_t V3_API noContext(void*)
{
    return 0;
}

const v3_component_cpp kComponent = {
    {query, ref, unref},
    {initialize, terminate},
    {controllerClassId, setIoMode, busCount, busInfo, routingInfo, activateBus, setActive, setState,
     getState},
};
const v3_audio_processor_cpp kProcessor = {
    {query, ref, unref},
    {setArrangements, arrangement, canProcess, noSamples, setupProcessing, setProcessing, process,
     tailSamples},
};
const v3_edit_controller_cpp kController = {
    {query, ref, unref},
    {initialize, terminate},
    {setComponentState, emptyState, emptyState, parameterCount, parameterInfo, stringForValue,
     valueForString, toPlain, toNormalised, getNormalised, setNormalised, setHandler, createView},
};
const v3_process_context_requirements_cpp kRequirements = {{query, ref, unref}, {noContext}};

} // namespace

void Encoder::bindTables()
{
    componentFace = {&kComponent, this};
    processorFace = {&kProcessor, this};
    controllerFace = {&kController, this};
    requirementsFace = {&kRequirements, this};
}

v3_result Encoder::queryInterface(const v3_tuid iid, void** object)
{
    void* face = nullptr;
    if (sameId(iid, v3_funknown_iid) || sameId(iid, v3_plugin_base_iid) ||
        sameId(iid, v3_component_iid))
        face = &componentFace;
    else if (sameId(iid, v3_audio_processor_iid))
        face = &processorFace;
    else if (sameId(iid, v3_edit_controller_iid))
        face = &controllerFace;
    else if (sameId(iid, v3_process_context_requirements_iid))
        face = &requirementsFace;
    if (object) *object = face;
    if (!face) return V3_NO_INTERFACE;
    ref();
    return V3_OK;
}

} // namespace sferant::vst3
