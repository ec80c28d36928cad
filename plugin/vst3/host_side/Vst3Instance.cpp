// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/vst3/host_side/Vst3Instance.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace sferant::vst3
{

namespace
{

// The stream and parameter interfaces as C++ tables: FUnknown, then the interface.
struct StreamTable
{
    v3_funknown unknown;
    v3_bstream stream;
};
struct QueueTable
{
    v3_funknown unknown;
    v3_param_value_queue queue;
};
struct HandlerTable
{
    v3_funknown unknown;
    v3_component_handler handler;
};
struct ChangesTable
{
    v3_funknown unknown;
    v3_param_changes changes;
};

// The host's objects live as long as the instance: their references are not counted.
uint32_t V3_API keep(void*)
{
    return 1;
}
template <class Object> Object& of(void* self)
{
    return Face<Object>::of(self);
}

} // namespace

// Everything the host lends the plug-in: the component handler, the view's frame with its run
// loop, the blocks' parameter queues, and the state's stream.
struct Vst3Instance::Host
{
    struct Queue
    {
        Face<Queue> face;
        int index;
        std::vector<std::pair<int32_t, double>> points;
    };
    Face<Host> handlerFace, frameFace, loopFace, changesFace, streamFace;
    Vst3Instance* owner;
    std::vector<Queue> queues;
    std::vector<v3_timer_handler**> timers;
    std::vector<std::pair<v3_event_handler**, int>> watched;
    std::vector<unsigned char> bytes;
    std::size_t position = 0;
    int chunk = 1 << 20;

    explicit Host(Vst3Instance* owner);
    static v3_result V3_API query(void* self, const v3_tuid iid, void** object);
    void setPoints(const std::vector<HostPoint>& points);
};

namespace
{

using Host = Vst3Instance::Host;

v3_result V3_API beginEdit(void* self, v3_param_id id)
{
    of<Host>(self).owner->edits.push_back("begin " + std::to_string(id));
    return V3_OK;
}
v3_result V3_API performEdit(void* self, v3_param_id id, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "perform %u %.6g", unsigned(id), value);
    of<Host>(self).owner->edits.push_back(text);
    return V3_OK;
}
v3_result V3_API endEdit(void* self, v3_param_id id)
{
    of<Host>(self).owner->edits.push_back("end " + std::to_string(id));
    return V3_OK;
}
v3_result V3_API restart(void*, int32_t)
{
    return V3_OK;
}
v3_result V3_API resizeView(void* self, v3_plugin_view** view, v3_view_rect* rect)
{
    if (!view || !rect) return V3_INVALID_ARG;
    of<Host>(self).owner->resizes.push_back(*rect);
    return v3_cpp_obj(view)->on_size(view, rect);
}
v3_result V3_API registerHandler(void* self, v3_event_handler** handler, int fd)
{
    of<Host>(self).watched.emplace_back(handler, fd);
    return V3_OK;
}
v3_result V3_API unregisterHandler(void* self, v3_event_handler** handler)
{
    auto& watched = of<Host>(self).watched;
    watched.erase(std::remove_if(watched.begin(), watched.end(),
                                 [&](const auto& w) { return w.first == handler; }),
                  watched.end());
    return V3_OK;
}
v3_result V3_API registerTimer(void* self, v3_timer_handler** timer, uint64_t)
{
    of<Host>(self).timers.push_back(timer);
    return V3_OK;
}
v3_result V3_API unregisterTimer(void* self, v3_timer_handler** timer)
{
    auto& timers = of<Host>(self).timers;
    timers.erase(std::remove(timers.begin(), timers.end(), timer), timers.end());
    return V3_OK;
}
int32_t V3_API queueCount(void* self)
{
    return int32_t(of<Host>(self).queues.size());
}
v3_param_value_queue** V3_API queueAt(void* self, int32_t index)
{
    auto& queues = of<Host>(self).queues;
    return index >= 0 && index < int32_t(queues.size())
               ? reinterpret_cast<v3_param_value_queue**>(&queues[index].face)
               : nullptr;
}
v3_param_value_queue** V3_API addQueue(void*, v3_param_id*, int32_t*)
{
    return nullptr;
}
v3_param_id V3_API queueId(void* self)
{
    return v3_param_id(of<Host::Queue>(self).index);
}
int32_t V3_API pointCount(void* self)
{
    return int32_t(of<Host::Queue>(self).points.size());
}
v3_result V3_API pointAt(void* self, int32_t index, int32_t* frame, double* value)
{
    const auto& points = of<Host::Queue>(self).points;
    if (index < 0 || index >= int32_t(points.size()) || !frame || !value) return V3_INVALID_ARG;
    *frame = points[index].first;
    *value = points[index].second;
    return V3_OK;
}
v3_result V3_API addPoint(void*, int32_t, double, int32_t*)
{
    return V3_FALSE;
}
v3_result V3_API queueQuery(void* self, const v3_tuid, void** object)
{
    *object = self;
    return V3_OK;
}
v3_result V3_API read(void* self, void* buffer, int32_t size, int32_t* done)
{
    Host& host = of<Host>(self);
    const auto n = std::min<std::size_t>({std::size_t(std::max(size, 0)), std::size_t(host.chunk),
                                          host.bytes.size() - host.position});
    std::copy_n(host.bytes.begin() + host.position, n, static_cast<unsigned char*>(buffer));
    host.position += n;
    if (done) *done = int32_t(n);
    return n || !size ? V3_OK : V3_FALSE;
}
v3_result V3_API write(void* self, void* buffer, int32_t size, int32_t* done)
{
    auto* from = static_cast<unsigned char*>(buffer);
    of<Host>(self).bytes.insert(of<Host>(self).bytes.end(), from, from + std::max(size, 0));
    if (done) *done = size;
    return V3_OK;
}
v3_result V3_API seek(void*, int64_t, int32_t, int64_t*)
{
    return V3_NOT_IMPLEMENTED;
}
v3_result V3_API tell(void* self, int64_t* position)
{
    if (position) *position = int64_t(of<Host>(self).position);
    return V3_OK;
}

const HandlerTable kHandler = {{Host::query, keep, keep},
                               {beginEdit, performEdit, endEdit, restart}};
const v3_plugin_frame_cpp kFrame = {{Host::query, keep, keep}, {resizeView}};
const v3_run_loop_cpp kLoop = {
    {Host::query, keep, keep},
    {registerHandler, unregisterHandler, registerTimer, unregisterTimer}};
const ChangesTable kChanges = {{Host::query, keep, keep}, {queueCount, queueAt, addQueue}};
const QueueTable kQueue = {{queueQuery, keep, keep}, {queueId, pointCount, pointAt, addPoint}};
const StreamTable kStream = {{Host::query, keep, keep}, {read, write, seek, tell}};

} // namespace

Host::Host(Vst3Instance* owner)
    : handlerFace{&kHandler, this}, frameFace{&kFrame, this}, loopFace{&kLoop, this},
      changesFace{&kChanges, this}, streamFace{&kStream, this}, owner(owner)
{
}

v3_result V3_API Host::query(void* self, const v3_tuid iid, void** object)
{
    Host& host = of<Host>(self);
    void* face = sameId(iid, v3_component_handler_iid) ? &host.handlerFace
                 : sameId(iid, v3_plugin_frame_iid)    ? &host.frameFace
                 : sameId(iid, v3_run_loop_iid)        ? &host.loopFace
                 : sameId(iid, v3_param_changes_iid)   ? &host.changesFace
                 : sameId(iid, v3_bstream_iid)         ? &host.streamFace
                 : sameId(iid, v3_funknown_iid)        ? self
                                                       : nullptr;
    *object = face;
    return face ? V3_OK : V3_NO_INTERFACE;
}

// One queue per parameter, its points in the order given.
void Host::setPoints(const std::vector<HostPoint>& points)
{
    queues.clear();
    for (const HostPoint& p : points)
    {
        auto queue = std::find_if(queues.begin(), queues.end(),
                                  [&](const Queue& q) { return q.index == p.index; });
        if (queue == queues.end())
            queue = queues.insert(queues.end(), Queue{{&kQueue, nullptr}, p.index, {}});
        queue->points.emplace_back(p.frame, p.value);
    }
    for (Queue& queue : queues)
        queue.face.object = &queue;
}

Vst3Instance::Vst3Instance(v3_plugin_factory** factory, int classIndex) : host(new Host(this))
{
    v3_class_info info{};
    if (!factory || v3_cpp_obj(factory)->get_class_info(factory, classIndex, &info) != V3_OK ||
        v3_cpp_obj(factory)->create_instance(factory, info.class_id, v3_component_iid,
                                             reinterpret_cast<void**>(&component)) != V3_OK)
    {
        delete host;
        throw std::runtime_error("the factory makes no class " + std::to_string(classIndex));
    }
    name = info.name;
    v3_cpp_obj_initialize(component, nullptr);
    v3_cpp_obj_query_interface(component, v3_audio_processor_iid, &processor);
    v3_cpp_obj_query_interface(component, v3_edit_controller_iid, &controller);
    if (!processor || !controller)
    {
        for (auto** object : {reinterpret_cast<v3_funknown**>(controller),
                              reinterpret_cast<v3_funknown**>(processor),
                              reinterpret_cast<v3_funknown**>(component)})
            if (object) v3_cpp_obj_unref(object);
        delete host;
        throw std::runtime_error("the class is no processor and controller: " + name);
    }
    auto* handler = reinterpret_cast<v3_component_handler**>(&host->handlerFace);
    v3_cpp_obj(controller)->set_component_handler(controller, handler);
}

Vst3Instance::~Vst3Instance()
{
    closeEditor();
    stop();
    if (controller) v3_cpp_obj(controller)->set_component_handler(controller, nullptr);
    terminate();
    for (auto** object :
         {reinterpret_cast<v3_funknown**>(controller), reinterpret_cast<v3_funknown**>(processor),
          reinterpret_cast<v3_funknown**>(component)})
        if (object) v3_cpp_obj_unref(object);
    controller = nullptr, processor = nullptr, component = nullptr;
    delete host;
}

v3_result Vst3Instance::terminate()
{
    return v3_cpp_obj_terminate(component);
}

v3_result Vst3Instance::setArrangement(int inputs, int outputs)
{
    v3_speaker_arrangement in = (1ull << inputs) - 1;
    v3_speaker_arrangement out = outputs >= 64 ? ~0ull : (1ull << outputs) - 1;
    return v3_cpp_obj(processor)->set_bus_arrangements(processor, &in, 1, &out, 1);
}

int Vst3Instance::channels(int direction) const
{
    v3_bus_info info{};
    return v3_cpp_obj(component)->get_bus_info(component, V3_AUDIO, direction, 0, &info) == V3_OK
               ? info.channel_count
               : 0;
}

v3_result Vst3Instance::start(double sampleRate, int maxBlock, bool wide)
{
    v3_process_setup setup{V3_REALTIME, wide ? V3_SAMPLE_64 : V3_SAMPLE_32, maxBlock, sampleRate};
    v3_result result = v3_cpp_obj(processor)->setup_processing(processor, &setup);
    if (result == V3_OK) result = v3_cpp_obj(component)->set_active(component, 1);
    if (result == V3_OK) result = v3_cpp_obj(processor)->set_processing(processor, 1);
    processing = result == V3_OK;
    return result;
}

void Vst3Instance::stop()
{
    if (!processing) return;
    v3_cpp_obj(processor)->set_processing(processor, 0);
    v3_cpp_obj(component)->set_active(component, 0);
    processing = false;
}

template <class Sample>
v3_result Vst3Instance::run(Sample** inputs, int numInputs, Sample** outputs, int numOutputs,
                            int frames, const std::vector<HostPoint>& points, int32_t sampleSize)
{
    v3_audio_bus_buffers in{}, out{};
    in.num_channels = numInputs;
    out.num_channels = numOutputs;
    if constexpr (sizeof(Sample) == 4)
        in.channel_buffers_32 = inputs, out.channel_buffers_32 = outputs;
    else
        in.channel_buffers_64 = inputs, out.channel_buffers_64 = outputs;
    host->setPoints(points);
    auto* changes = reinterpret_cast<v3_param_changes**>(&host->changesFace);
    v3_process_data data{V3_REALTIME, sampleSize, frames,  1,       1,       &in,
                         &out,        changes,    nullptr, nullptr, nullptr, nullptr};
    const v3_result result = v3_cpp_obj(processor)->process(processor, &data);
    silence = out.channel_silence_bitset;
    return result;
}

v3_result Vst3Instance::process(float** inputs, int numInputs, float** outputs, int numOutputs,
                                int frames, const std::vector<HostPoint>& points)
{
    return run(inputs, numInputs, outputs, numOutputs, frames, points, V3_SAMPLE_32);
}

v3_result Vst3Instance::process(double** inputs, int numInputs, double** outputs, int numOutputs,
                                int frames, const std::vector<HostPoint>& points)
{
    return run(inputs, numInputs, outputs, numOutputs, frames, points, V3_SAMPLE_64);
}

int Vst3Instance::parameterCount() const
{
    return v3_cpp_obj(controller)->get_parameter_count(controller);
}

v3_param_info Vst3Instance::parameter(int index) const
{
    v3_param_info info{};
    v3_cpp_obj(controller)->get_parameter_info(controller, index, &info);
    return info;
}

std::string Vst3Instance::text(int index, double value) const
{
    v3_str_128 wide{};
    char narrow[128];
    v3_cpp_obj(controller)
        ->get_parameter_string_for_value(controller, v3_param_id(index), value, wide);
    fromUtf16(wide, narrow, sizeof narrow);
    return narrow;
}

double Vst3Instance::normalised(int index) const
{
    return v3_cpp_obj(controller)->get_parameter_normalised(controller, v3_param_id(index));
}

void Vst3Instance::setNormalised(int index, double value)
{
    v3_cpp_obj(controller)->set_parameter_normalised(controller, v3_param_id(index), value);
}

std::vector<unsigned char> Vst3Instance::saveState() const
{
    host->bytes.clear();
    host->position = 0;
    v3_cpp_obj(component)->get_state(component, reinterpret_cast<v3_bstream**>(&host->streamFace));
    return host->bytes;
}

v3_result Vst3Instance::loadState(const std::vector<unsigned char>& bytes, int chunk)
{
    host->bytes = bytes;
    host->position = 0;
    host->chunk = std::max(chunk, 1);
    return v3_cpp_obj(component)->set_state(component,
                                            reinterpret_cast<v3_bstream**>(&host->streamFace));
}

bool Vst3Instance::openEditor(void* parent, float scale)
{
    if (!view) view = v3_cpp_obj(controller)->create_view(controller, "editor");
    if (!view) return false;
    if (scale > 0) setEditorScale(scale);
    v3_cpp_obj(view)->set_frame(view, reinterpret_cast<v3_plugin_frame**>(&host->frameFace));
    return v3_cpp_obj(view)->attached(view, parent, V3_VIEW_PLATFORM_TYPE_NATIVE) == V3_OK;
}

void Vst3Instance::idleEditor()
{
    for (const auto& [handler, fd] : decltype(host->watched)(host->watched))
        v3_cpp_obj(handler)->on_fd_is_set(handler, fd);
    for (v3_timer_handler** timer : std::vector<v3_timer_handler**>(host->timers))
        v3_cpp_obj(timer)->on_timer(timer);
}

void Vst3Instance::closeEditor()
{
    if (!view) return;
    v3_cpp_obj(view)->removed(view);
    v3_cpp_obj(view)->set_frame(view, nullptr);
    v3_cpp_obj_unref(view);
    view = nullptr;
}

int Vst3Instance::watchedDescriptors() const
{
    return int(host->watched.size());
}

v3_view_rect Vst3Instance::editorSize() const
{
    v3_view_rect rect{};
    if (view) v3_cpp_obj(view)->get_size(view, &rect);
    return rect;
}

v3_result Vst3Instance::setEditorScale(float factor)
{
    v3_plugin_view_content_scale** scale = nullptr;
    if (!view ||
        v3_cpp_obj_query_interface(view, v3_plugin_view_content_scale_iid, &scale) != V3_OK)
        return V3_NO_INTERFACE;
    const v3_result result = v3_cpp_obj(scale)->set_content_scale_factor(scale, factor);
    v3_cpp_obj_unref(scale);
    return result;
}

} // namespace sferant::vst3
