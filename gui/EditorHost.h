// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The editor's one way to its plug-in, whatever the plug-in format: each format implements
// it over its own host calls (plugin/vst2 over the effect, plugin/lv2 over the UI's ports).
// The plug-in in turn tells the editor of every parameter change (Sferant_Editor's
// parameterChanged). A key the editor does not use is handed back by answering false to the
// key call (AEffGUIEditor::onKeyDown) or, for window-system events, by the platform window.
class EditorHost
{
  public:
    // The current normalised value of parameter index (0 to kNumParams - 1).
    virtual float value(int index) const = 0;
    // A user gesture on the control of parameter index: its begin, each new value, its end.
    virtual void beginGesture(int index) = 0;
    virtual void setFromGesture(int index, float value) = 0;
    virtual void endGesture(int index) = 0;
    // Asks the host to give the editor's window this size; false when it cannot.
    virtual bool resizeWindow(int width, int height) = 0;
    // A control tracks the mouse in a loop of its own: the host may want to run its idle work.
    virtual void idleTick() = 0;

  protected:
    ~EditorHost() = default;
};
