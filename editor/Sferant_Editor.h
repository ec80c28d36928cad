// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PluginParameters.h"
#include "gui/AEffGUIEditor.h"
#include "gui/CControlListener.h"

#include <atomic>
#include <cstdint>

class CAnimKnob;
class CBitmap;
class CFrame;
class CParamDisplay;
class CVerticalSwitch;

// The plug-in's window: a fixed 535 x 275 panel with four film-strip knobs, five switches
// and four read-outs bound to the nine parameters. Whatever the plug-in format, the editor
// reaches them only through PluginParameters: controls report gestures to the editor, which
// forwards them there, and the plug-in tells it of every change (parameterChanged), which
// only marks it: controls repaint on the next idle.
class Sferant_Editor : public AEffGUIEditor,
                       public CControlListener,
                       public sferant::ParameterListener
{
  public:
    // The effect is the VST 2.4 effect whose editor this is, or null for another format;
    // either way, the parameters outlive the editor. The badge, if any, names the edition
    // beside the title.
    Sferant_Editor(AudioEffect* effect, sferant::PluginParameters& parameters,
                   const char* badge = nullptr);
    ~Sferant_Editor() override;

    // Builds the frame and the controls from the effect's current values; a second open
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
    // A gesture's begin and end go to the plug-in's parameters, not only to a VST host.
    void beginEdit(long index) override;
    void endEdit(long index) override;
    // Brings the controls of the changed parameters up to date, then repaints what is dirty.
    void idle() override;

    void valueChanged(CDrawContext* context, CControl* control) override;
    // Never handles a modified click itself: the control's own handling goes on.
    long controlModifierClicked(CDrawContext* context, CControl* control, long buttons) override;

  private:
    // Rows of the control table, in drawing order: switches and knobs, then the read-outs.
    void addControls(CFrame* target, CBitmap* const* bitmaps);
    void addDisplays(CFrame* target, CBitmap* readoutBox);
    // Sets the controls bound to the parameter to the effect's value.
    void showParameter(int index);

    sferant::PluginParameters& parameters;
    const char* const badge;
    // Owned by the frame while open; stale (and never followed) once closed.
    CAnimKnob* azimuthKnob = nullptr;
    CAnimKnob* elevationKnob = nullptr;
    CAnimKnob* distanceKnob = nullptr;
    CAnimKnob* widthKnob = nullptr;
    CVerticalSwitch* inputSwitch = nullptr;
    CVerticalSwitch* outputSwitch = nullptr;
    CVerticalSwitch* nfcSwitch = nullptr;
    CVerticalSwitch* orderSwitch = nullptr;
    CVerticalSwitch* weightSwitch = nullptr;
    CParamDisplay* azimuthDisplay = nullptr;
    CParamDisplay* elevationDisplay = nullptr;
    CParamDisplay* distanceDisplay = nullptr;
    CParamDisplay* widthDisplay = nullptr;
    // The panel; owned by the editor for its whole life.
    CBitmap* backgroundBitmap = nullptr;
    // One bit per parameter set since the last idle: the only state the host's threads touch.
    std::atomic<uint32_t> changedParameters{0};
};
