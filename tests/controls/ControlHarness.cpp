// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlHarness.h"
#include "core/parameters.h"

#include "gui/CDrawContext.h"
#include "plugin/vst2/VstEditorHost.h"

namespace
{

uint32_t clockTicks = 1000;

uint32_t steppingTicks()
{
    return clockTicks++;
}

void noSleep(uint32_t milliseconds)
{
    clockTicks += milliseconds;
}

class QuietEffect : public AudioEffectX
{
  public:
    QuietEffect() : AudioEffectX(recording_host::callback, 1, sferant::kNumParams) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

} // namespace

ScriptedPointer::ScriptedPointer(long pressed, std::vector<PointerStep> steps)
    : pressed(pressed), steps(std::move(steps))
{
    setPlatformInput(this);
}

ScriptedPointer::~ScriptedPointer()
{
    setPlatformInput(nullptr);
}

CPoint ScriptedPointer::getMouseLocation(const CFrame*)
{
    ++fetched;
    return steps.empty() ? CPoint() : steps[std::min(fetched, steps.size()) - 1].where;
}

long ScriptedPointer::getMouseButtons(const CFrame*)
{
    if (fetched == 0) return pressed;
    return fetched <= steps.size() ? steps[fetched - 1].buttons : 0;
}

void installSteppingClock()
{
    setPlatformClock(steppingTicks, noSleep);
}

void setClockTicks(uint32_t ticks)
{
    clockTicks = ticks;
}

void RecordingListener::valueChanged(CDrawContext*, CControl* control)
{
    values.push_back(control->getValue());
}

long RecordingListener::controlModifierClicked(CDrawContext*, CControl*, long buttons)
{
    modifierClicks.push_back(buttons);
    return modifierAnswer;
}

ControlBench::ControlBench()
{
    installSteppingClock();
    recording_host::reset();
    effect = std::make_unique<QuietEffect>();
    editor = new VstEditor<AEffGUIEditor>(*effect); // the effect owns it from here on
    frame = new CFrame(CRect(0, 0, 535, 275), nullptr, editor);
    drawContext = new CDrawContext(frame, nullptr, nullptr);
}

ControlBench::~ControlBench()
{
    drawContext->forget();
    frame->forget();
    effect.reset();
    setPlatformClock(nullptr, nullptr);
}

void ControlBench::drag(CControl* control, CPoint where, long buttons,
                        std::vector<PointerStep> steps)
{
    ScriptedPointer pointer(buttons, std::move(steps));
    control->mouse(drawContext, where, buttons);
}
