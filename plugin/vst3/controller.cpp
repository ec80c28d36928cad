// SPDX-License-Identifier: GPL-3.0-or-later
// The edit controller's side: the parameters from the parameter table, the values the host
// and the editor see, and the editor's gestures on their way to the host.
#include "plugin/vst3/Encoder.h"

#include "plugin/vst3/View.h"

#include <algorithm>
#include <cstring>

namespace sferant::vst3
{

v3_result Encoder::parameterInfo(int32_t index, v3_param_info& info) const
{
    if (index < 0 || index >= kNumParams) return V3_INVALID_ARG;
    const Parameter& p = kParameters[index];
    info = {};
    info.param_id = static_cast<v3_param_id>(index);
    toUtf16(p.name, info.title, 128);
    toUtf16(p.name, info.short_title, 128);
    toUtf16(p.label, info.units, 128);
    info.step_count = p.positions ? p.positions - 1 : 0;
    info.default_normalised_value = defaultValue(edition, index);
    info.flags = V3_PARAM_CAN_AUTOMATE | (p.positions ? V3_PARAM_IS_LIST : 0) |
                 (p.circular ? V3_PARAM_WRAP_AROUND : 0);
    return V3_OK;
}

double Encoder::normalised(v3_param_id id) const
{
    return id < static_cast<v3_param_id>(kNumParams) ? automated[id].load() : 0.0;
}

// The host's own value (the processor hears of it through the next block's queues).
v3_result Encoder::setNormalised(v3_param_id id, double value)
{
    if (id >= static_cast<v3_param_id>(kNumParams) || !(value >= 0 && value <= 1))
        return V3_INVALID_ARG;
    automated[id].store(static_cast<float>(value));
    return V3_OK;
}

v3_result Encoder::setComponentHandler(v3_component_handler** newHandler)
{
    if (newHandler) v3_cpp_obj_ref(newHandler);
    if (handler) v3_cpp_obj_unref(handler);
    handler = newHandler;
    return V3_OK;
}

void Encoder::beginEdit(int index)
{
    if (handler) v3_cpp_obj(handler)->begin_edit(handler, v3_param_id(index));
}

void Encoder::performEdit(int index, float value)
{
    automated[index].store(value);
    if (handler) v3_cpp_obj(handler)->perform_edit(handler, v3_param_id(index), value);
}

void Encoder::endEdit(int index)
{
    if (handler) v3_cpp_obj(handler)->end_edit(handler, v3_param_id(index));
}

v3_plugin_view** Encoder::createView(const char* name)
{
    if (view || !name || std::strcmp(name, "editor")) return nullptr;
    view = View::create(*this);
    return view ? view->record() : nullptr;
}

void Encoder::viewClosed(View* closed)
{
    if (view == closed) view = nullptr;
}

} // namespace sferant::vst3
