// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CHostLink.h"
#include "host/AEffEditor.h"

#include <cstdint>

class AudioEffect;
class CFrame;

// The editor base that binds the host's editor calls to a frame: the derived
// editor builds the frame in open and destroys it in close; this class forwards
// idle, keys, the wheel and the knob mode to it, and is the frame's link to the
// host: it relays gestures and window sizes to the effect and keeps the host
// served while a control tracks the mouse.
class AEffGUIEditor : public AEffEditor, public CHostLink
{
  public:
    // Registers itself as the effect's editor.
    explicit AEffGUIEditor(AudioEffect* effect);
    ~AEffGUIEditor() override;

    bool getRect(ERect** out) override;
    void idle() override;
    void __drawDeprecated(ERect* area) override;
    VstInt32 __mouseDeprecated(VstInt32 x, VstInt32 y) override;
    bool onKeyDown(VstKeyCode& keyCode) override;
    bool onKeyUp(VstKeyCode& keyCode) override;
    bool onWheel(float distance) override;
    bool setKnobMode(VstInt32 mode) override;

    virtual void setParameter(VstInt32 index, float value);
    void beginEdit(long index) override;
    void endEdit(long index) override;
    // Called from mouse-tracking loops: repaints the frame and gives the host an
    // idle call at most every 100 ms, slowing the loop by at most about 4 ms.
    void doIdleStuff() override;
    // Only when the host says it can resize its window.
    bool sizeWindow(long width, long height) override;
    long getKnobMode() const override { return knobMode; }

    // Milliseconds of the platform clock.
    uint32_t getTicks();
    void wait(uint32_t milliseconds);

    CFrame* getFrame() const { return frame; }

    // Shared by every editor of the module; knobs read it through their frame.
    static VstInt32 knobMode;

  protected:
    ERect rect{};
    uint32_t lastTicks = 0;
    bool inIdleStuff = false;
    CFrame* frame = nullptr;
};
