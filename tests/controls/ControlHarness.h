// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Headless surroundings for controls: a scripted pointer, a clock that never sleeps, a host
// that records what the plug-in tells it, and a frame without a window.

#include "RecordingHost.h"
#include "gui/AEffGUIEditor.h"
#include "gui/CControl.h"
#include "gui/CFrame.h"
#include "gui/platform/PlatformInput.h"
#include "host/AudioEffectX.h"

#include <memory>
#include <vector>

// One step of a scripted gesture: where the pointer is and what is held.
struct PointerStep
{
    CPoint where;
    long buttons;
};

// Replays a gesture: each fetch of the pointer location moves to the next step; the
// buttons read are those of the step last fetched (the press before the first fetch),
// and everything is released one read after the last step.
class ScriptedPointer : public PlatformInput
{
  public:
    ScriptedPointer(long pressed, std::vector<PointerStep> steps);
    ~ScriptedPointer() override;

    CPoint getMouseLocation(const CFrame* frame) override;
    long getMouseButtons(const CFrame* frame) override;

  private:
    long pressed;
    std::vector<PointerStep> steps;
    size_t fetched = 0;
};

// A clock that advances one millisecond per reading and never sleeps.
void installSteppingClock();
void setClockTicks(uint32_t ticks);

// Records the gesture bracket and the values reported by controls.
class RecordingListener : public CControlListener
{
  public:
    void valueChanged(CDrawContext* context, CControl* control) override;
    long controlModifierClicked(CDrawContext* context, CControl* control, long buttons) override;

    std::vector<float> values;
    std::vector<long> modifierClicks;
    long modifierAnswer = 0;
};

// An effect with nothing but the recording host, an editor base and a frame with no window.
class ControlBench
{
  public:
    ControlBench();
    ~ControlBench();

    // Hands the control to the frame, which releases it (with the creator's reference)
    // when it goes.
    template <typename Control> Control* add(Control* control)
    {
        frame->addView(control);
        return control;
    }
    // Presses at `where` with `buttons` and replays `steps` until the release.
    void drag(CControl* control, CPoint where, long buttons, std::vector<PointerStep> steps = {});

    CDrawContext* context() const { return drawContext; }
    int beginEdits() const { return recording_host::count(audioMasterBeginEdit); }
    int endEdits() const { return recording_host::count(audioMasterEndEdit); }

    std::unique_ptr<AudioEffectX> effect;
    AEffGUIEditor* editor;
    CFrame* frame;
    CDrawContext* drawContext;
    RecordingListener listener;
};
