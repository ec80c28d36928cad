// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ParameterListener.h"
#include "editor/layout.h"
#include "gui/AEffGUIEditor.h"
#include "gui/CControlListener.h"

#include <atomic>
#include <cstdint>

class CBitmap;
class CControl;
class CFrame;

// The plug-in's window: a fixed 535 x 275 panel with the controls of the control table
// (editor/layout.h), bound to the nine parameters. Whatever the plug-in format, the editor
// reaches the plug-in only through its EditorHost: controls report gestures to the editor,
// which forwards them there, and the plug-in tells it of every change (parameterChanged),
// which only marks it: controls repaint on the next idle.
class Sferant_Editor : public AEffGUIEditor,
                       public CControlListener,
                       public sferant::ParameterListener
{
  public:
    // The host outlives the editor. The badge, if any, names the edition beside the title.
    explicit Sferant_Editor(EditorHost& host, const char* badge = nullptr);
    ~Sferant_Editor() override;

    // Builds the frame and the controls from the host's current values; a second open
    // while open keeps the existing frame. Always true.
    bool open(void* parent) override;
    // Destroys the frame with every control in it.
    void close() override;
    // Marks the parameter changed; safe from any thread, as the host may call it from its
    // audio thread. The controls show the parameter's value at the next idle; nothing for an
    // index outside 0..8.
    void parameterChanged(int index) override;
    // The same, as the editor base names it (the value is read back at idle).
    void setParameter(VstInt32 index, float value) override;
    // Brings the controls of the changed parameters up to date, then repaints what is dirty.
    void idle() override;

    void valueChanged(CDrawContext* context, CControl* control) override;
    // Never handles a modified click itself: the control's own handling goes on.
    long controlModifierClicked(CDrawContext* context, CControl* control, long buttons) override;

  private:
    // The control of a row of the table, set to its parameter's value.
    CControl* makeControl(const sferant::layout::Control& row, CBitmap* bitmap);
    // Sets the controls bound to the parameter to the host's value.
    void showParameter(int index);

    const char* const badge;
    // The controls of the table's rows, owned by the frame while open; stale (and never
    // followed) once closed.
    CControl* controls[sferant::layout::kNumControls] = {};
    // The panel; owned by the editor for its whole life.
    CBitmap* backgroundBitmap = nullptr;
    // One bit per parameter set since the last idle: the only state the host's threads touch.
    std::atomic<uint32_t> changedParameters{0};
};
