// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CHostLink.h"
#include "gui/EditorHost.h"
#include "host/AEffEditor.h"

#include <cstdint>

class CFrame;

// The editor base that binds the host's editor calls to a frame: the derived
// editor builds the frame in open and destroys it in close; this class forwards
// idle, keys, the wheel and the knob mode to it, and is the frame's link to the
// plug-in: it relays gestures and window sizes to the editor host and keeps the
// host served while a control tracks the mouse. It knows no plug-in format: the
// format that gives an effect this editor registers it there.
class AEffGUIEditor : public AEffEditor, public CHostLink
{
  public:
    // The host outlives the editor.
    explicit AEffGUIEditor(EditorHost& host);
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
    // False when the host cannot resize its window.
    bool sizeWindow(long width, long height) override;
    long getKnobMode() const override { return knobMode; }

    // Milliseconds of the platform clock.
    uint32_t getTicks();
    void wait(uint32_t milliseconds);

    // Screen pixels per editor unit: the host's (or a user's) choice, which overrides the
    // system's (the default). The editor keeps its layout and is drawn that much larger and
    // sharper; an open one is redrawn and the host asked for the new window size. A scale
    // outside 1 to 4 is clamped to them.
    void setContentScale(double scale);
    double getContentScale() const override;

    CFrame* getFrame() const { return frame; }
    // The editor's own window inside the host's while open (an X11 Window, an HWND); 0 when
    // closed or when no window could be made there.
    uintptr_t getWindowId() const;

    // Shared by every editor of the module; knobs read it through their frame.
    static VstInt32 knobMode;

  protected:
    EditorHost& host;
    ERect rect{};                    // in editor units, set by the derived editor
    ERect scaledRect{};              // rect in screen pixels, what getRect reports
    mutable double contentScale = 0; // 0 until given: the system's, asked at first use
    uint32_t lastTicks = 0;
    bool inIdleStuff = false;
    CFrame* frame = nullptr;
};
