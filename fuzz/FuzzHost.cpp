#include "FuzzHost.h"

namespace fuzz
{

namespace
{

VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

} // namespace

AEffect* createEffect()
{
    return createEffectInstance(hostCallback)->getAeffect();
}

void closeEffect(AEffect* effect)
{
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

template <class Sample>
Channels<Sample>::Channels(int frames)
    : storage(static_cast<size_t>(kInputs + kOutputs) * (frames > 0 ? frames : 1), Sample(0))
{
    const size_t length = storage.size() / (kInputs + kOutputs);
    for (int c = 0; c < kInputs; ++c)
        inputs[c] = storage.data() + c * length;
    for (int c = 0; c < kOutputs; ++c)
        outputs[c] = storage.data() + (kInputs + c) * length;
}

template <> void Channels<float>::process(AEffect* effect, int frames)
{
    effect->processReplacing(effect, inputs, outputs, frames);
}

template <> void Channels<double>::process(AEffect* effect, int frames)
{
    effect->processDoubleReplacing(effect, inputs, outputs, frames);
}

template struct Channels<float>;
template struct Channels<double>;

} // namespace fuzz
