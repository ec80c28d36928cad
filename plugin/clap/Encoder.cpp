// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/clap/Encoder.h"

#include "core/gains.h"
#include "core/weights.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>
#include <new>

namespace sferant::clap
{

namespace
{

// The CLAP normalisation of each weight; the Fu-Ma weighting (W at 1/sqrt 2) is not MaxN.
constexpr int kNoNormalisation = -1;
constexpr int kClapNormalisation[] = {
    CLAP_AMBISONIC_NORMALIZATION_SN2D, CLAP_AMBISONIC_NORMALIZATION_N2D,
    CLAP_AMBISONIC_NORMALIZATION_SN3D, CLAP_AMBISONIC_NORMALIZATION_N3D, kNoNormalisation};

bool twoDimensional(int normalisation)
{
    return normalisation == kSN2D || normalisation == kN2D;
}

} // namespace

bool AmbisonicAnswer::operator!=(const AmbisonicAnswer& other) const
{
    return valid != other.valid || (valid && std::memcmp(&config, &other.config, sizeof config));
}

Encoder::Encoder(const Edition& edition, const clap_plugin_t& operations,
                 const clap_plugin_descriptor_t* descriptor, const clap_host_t* host)
    : edition(edition), host(host), record(operations)
{
    record.desc = descriptor;
    record.plugin_data = this;
    float defaults[kNumParams];
    for (int i = 0; i < kNumParams; ++i)
        defaults[i] = defaultValue(edition, i);
    setValues(defaults);
}

Encoder::~Encoder()
{
    destroyEditorWindow(*this, window);
}

const void* Encoder::hostExtension(const char* id) const
{
    return host->get_extension(host, id);
}

Encoder& Encoder::of(const clap_plugin_t* plugin)
{
    return *static_cast<Encoder*>(plugin->plugin_data);
}

bool Encoder::onMainThread() const
{
    return !threadCheck || threadCheck->is_main_thread(host);
}

bool Encoder::onAudioThread() const
{
    return !threadCheck || threadCheck->is_audio_thread(host);
}

// The host's extensions may be asked for from init on.
bool Encoder::init()
{
    threadCheck = static_cast<const clap_host_thread_check_t*>(
        host->get_extension(host, CLAP_EXT_THREAD_CHECK));
    hostParams = static_cast<const clap_host_params_t*>(host->get_extension(host, CLAP_EXT_PARAMS));
    for (const char* id : {CLAP_EXT_AMBISONIC, CLAP_EXT_AMBISONIC_DRAFT})
        if (!hostAmbisonic)
            hostAmbisonic =
                static_cast<const clap_host_ambisonic_t*>(host->get_extension(host, id));
    assert(onMainThread());
    points.reset(new (std::nothrow) ParameterPoints);
    processor.reset(new (std::nothrow) BlockProcessor(edition.channelOrder));
    return points && processor;
}

void Encoder::setValues(const float (&newValues)[kNumParams])
{
    for (int i = 0; i < kNumParams; ++i)
        automated[i].store(newValues[i], std::memory_order_relaxed);
    values.reset(newValues);
}

bool Encoder::activate(double sampleRate, uint32_t frames)
{
    assert(onMainThread());
    if (!(sampleRate > 0) || frames == 0) return false;
    maxFrames = static_cast<int>(std::min<uint32_t>(frames, 1u << 20));
    float current[kNumParams];
    for (int i = 0; i < kNumParams; ++i)
        current[i] = automated[i].load();
    values.reset(current);
    reloaded = false;
    processor->prepare(sampleRate, maxFrames);
    processor->reset();
    processor->setParameters(values.values());
    activeAnswer = currentAnswer();
    restartRequested = false;
    active = true;
    return true;
}

void Encoder::deactivate()
{
    assert(onMainThread());
    if (!active) return;
    active = false;
    tellHostOfNewAnswer(activeAnswer);
}

void Encoder::reset()
{
    assert(onAudioThread());
    processor->reset();
}

double Encoder::value(int index) const
{
    return userValue(index, automated[index].load(std::memory_order_relaxed));
}

AmbisonicAnswer Encoder::answerFor(float weight, float output) const
{
    const int normalisation = choiceOf(kWeight, weight);
    if (edition.channelOrder != ChannelOrder::kAcn || normalisation < 0 || normalisation > kFuMa)
        return {};
    const int clapNormalisation = kClapNormalisation[normalisation];
    if (clapNormalisation == kNoNormalisation ||
        (twoDimensional(normalisation) && choiceOf(kOutput, output) != k2D))
        return {};
    return {true, {CLAP_AMBISONIC_ORDERING_ACN, static_cast<uint32_t>(clapNormalisation)}};
}

AmbisonicAnswer Encoder::currentAnswer() const
{
    return answerFor(automated[kWeight].load(), automated[kOutput].load());
}

AmbisonicAnswer Encoder::ambisonicAnswer() const
{
    return active ? activeAnswer : currentAnswer();
}

// While deactivated, on the main thread: the host hears of a new declaration at once.
void Encoder::tellHostOfNewAnswer(const AmbisonicAnswer& before)
{
    if (hostAmbisonic && hostAmbisonic->changed && currentAnswer() != before)
        hostAmbisonic->changed(host);
}

clap_process_status Encoder::process(const clap_process_t& p)
{
    assert(onAudioThread());
    if (!active || !p.audio_inputs_count || !p.audio_outputs_count || !p.audio_inputs ||
        !p.audio_outputs)
        return CLAP_PROCESS_ERROR;
    const clap_audio_buffer_t& in = p.audio_inputs[0];
    const clap_audio_buffer_t& out = p.audio_outputs[0];
    if (out.channel_count < kNumOutputs || in.channel_count < 1) return CLAP_PROCESS_ERROR;
    return runIn<float>(p) || runIn<double>(p) ? CLAP_PROCESS_CONTINUE : CLAP_PROCESS_ERROR;
}

template <class Sample> Sample** channelsOf(const clap_audio_buffer_t& buffer);
template <> float** channelsOf(const clap_audio_buffer_t& buffer)
{
    return buffer.data32;
}
template <> double** channelsOf(const clap_audio_buffer_t& buffer)
{
    return buffer.data64;
}

// The block in one sample type, if both ports have it; a missing right channel reads the
// left one.
template <class Sample> bool Encoder::runIn(const clap_process_t& p)
{
    const clap_audio_buffer_t& in = p.audio_inputs[0];
    Sample** inputChannels = channelsOf<Sample>(in);
    Sample** outputChannels = channelsOf<Sample>(p.audio_outputs[0]);
    if (!inputChannels || !outputChannels) return false;
    const Sample* inputs[kNumInputs];
    Sample* outputs[kNumOutputs];
    for (int c = 0; c < kNumInputs; ++c)
        inputs[c] = inputChannels[std::min<uint32_t>(c, in.channel_count - 1)];
    std::copy_n(outputChannels, kNumOutputs, outputs);
    run(p, inputs, outputs);
    return true;
}

// A state loaded while active: the block glides to it, as to a VST 2.4 host's values.
void Encoder::takeReloadedValues()
{
    if (!reloaded.exchange(false)) return;
    for (int i = 0; i < kNumParams; ++i)
        values.setAutomated(i, automated[i].load());
}

void Encoder::edit(const Edit& edit)
{
    assert(onMainThread());
    if (edit.index >= kNumParams) return;
    if (edit.kind == Edit::kValue) automated[edit.index].store(edit.value);
    edits.push(edit);
    if (hostParams && hostParams->request_flush) hostParams->request_flush(host);
}

void Encoder::takeEdits(const clap_output_events_t* out)
{
    for (Edit edit; edits.pop(edit);)
    {
        const clap_event_header_t header{0, 0, CLAP_CORE_EVENT_SPACE_ID, 0, 0};
        if (edit.kind == Edit::kValue)
        {
            values.setAutomated(edit.index, edit.value);
            clap_event_param_value_t event{
                header, edit.index, nullptr, -1, -1, -1, -1, userValue(edit.index, edit.value)};
            event.header.size = sizeof event;
            event.header.type = CLAP_EVENT_PARAM_VALUE;
            if (out) out->try_push(out, &event.header);
        }
        else
        {
            clap_event_param_gesture_t event{header, edit.index};
            event.header.size = sizeof event;
            event.header.type = edit.kind == Edit::kBegin ? CLAP_EVENT_PARAM_GESTURE_BEGIN
                                                          : CLAP_EVENT_PARAM_GESTURE_END;
            if (out) out->try_push(out, &event.header);
        }
    }
}

// The block in pieces of at most the activated length, each with its points.
template <class Sample>
void Encoder::run(const clap_process_t& p, const Sample* const* inputs, Sample* const* outputs)
{
    const int frames = static_cast<int>(std::min<uint32_t>(p.frames_count, 1u << 30));
    assert(points->empty());
    EventCursor cursor{p.in_events, 0, p.in_events ? p.in_events->size(p.in_events) : 0, 0};
    takeReloadedValues();
    takeEdits(p.out_events);
    processor->setParameters(values.values());
    for (int start = 0; start < frames;)
    {
        int end = std::min(frames, start + maxFrames);
        gatherPoints(cursor, start, end, frames);
        const Sample* in[kNumInputs];
        Sample* out[kNumOutputs];
        for (int c = 0; c < kNumInputs; ++c)
            in[c] = inputs[c] ? inputs[c] + start : nullptr;
        for (int c = 0; c < kNumOutputs; ++c)
            out[c] = outputs[c] ? outputs[c] + start : nullptr;
        processor->process(in, out, end - start, *points);
        points->clear();
        start = end;
    }
    // The events of an empty block leave their values for the next one.
    for (; cursor.next < cursor.count; ++cursor.next)
        if (const clap_event_header_t* event = p.in_events->get(p.in_events, cursor.next))
            apply(*event, 0);
    points->clear();
    // Values whose points found no room are reached in the next block.
    processor->setParameters(values.values());
    requestRestartOnNewAnswer();
}

// A new declaration while active waits for the host to restart the plug-in.
void Encoder::requestRestartOnNewAnswer()
{
    if (!restartRequested && currentAnswer() != activeAnswer)
    {
        restartRequested = true;
        host->request_restart(host);
    }
}

// Events come in order of time; one out of order counts at the time of the one before (so
// that values and points agree on the last), one past the block's end at its last frame.
void Encoder::gatherPoints(EventCursor& cursor, int start, int& end, int frames)
{
    for (; cursor.next < cursor.count; ++cursor.next)
    {
        const clap_event_header_t* event = cursor.events->get(cursor.events, cursor.next);
        if (!event) continue;
        const int time =
            std::max(cursor.latest, static_cast<int>(std::min<uint32_t>(event->time, frames - 1)));
        if (time >= end && end < frames) break;
        cursor.latest = time;
        if (!apply(*event, time - start) && time > start)
        {
            end = time; // the event comes again as the next piece's first
            break;
        }
    }
}

bool Encoder::apply(const clap_event_header_t& event, int frame)
{
    if (event.space_id != CLAP_CORE_EVENT_SPACE_ID) return true;
    if (event.type == CLAP_EVENT_PARAM_VALUE && event.size >= sizeof(clap_event_param_value_t))
    {
        const auto& change = reinterpret_cast<const clap_event_param_value_t&>(event);
        const int index = static_cast<int>(std::min<clap_id>(change.param_id, kNumParams));
        if (index == kNumParams || !std::isfinite(change.value)) return true;
        const float x = normalisedValue(index, change.value);
        automated[index].store(x, std::memory_order_relaxed);
        return points->add(frame, index, values.setAutomated(index, x));
    }
    else if (event.type == CLAP_EVENT_PARAM_MOD && event.size >= sizeof(clap_event_param_mod_t))
    {
        const auto& mod = reinterpret_cast<const clap_event_param_mod_t&>(event);
        const int index = static_cast<int>(std::min<clap_id>(mod.param_id, kNumParams));
        if (index == kNumParams || kParameters[index].positions || !std::isfinite(mod.amount))
            return true;
        return points->add(frame, index, values.setOffset(index, mod.amount));
    }
    return true;
}

// Values without frames: while active on the audio thread between blocks (the next block
// glides to them), else on the main thread.
void Encoder::flush(const clap_input_events_t* events, const clap_output_events_t* out)
{
    assert(active ? onAudioThread() : onMainThread());
    const AmbisonicAnswer before = currentAnswer();
    const uint32_t count = events ? events->size(events) : 0;
    for (uint32_t i = 0; i < count; ++i)
        if (const clap_event_header_t* event = events->get(events, i))
        {
            apply(*event, 0);
            points->clear();
        }
    takeEdits(out);
    if (!active)
        tellHostOfNewAnswer(before);
    else
    {
        processor->setParameters(values.values());
        requestRestartOnNewAnswer();
    }
}

} // namespace sferant::clap
