// SPDX-License-Identifier: GPL-3.0-or-later
// The plain editor interface the effect's dispatcher talks to. Every operation
// has a harmless default; a toolkit editor overrides what it needs.
#pragma once

#include "host/aeffect.h"

class AudioEffect;

class AEffEditor
{
  public:
    explicit AEffEditor(AudioEffect* effect) : effect(effect), systemWindow(nullptr) {}
    virtual ~AEffEditor() {}

    virtual AudioEffect* getEffect() { return effect; }
    virtual bool getRect(ERect** rect)
    {
        *rect = nullptr;
        return false;
    }
    virtual bool open(void* parent)
    {
        systemWindow = parent;
        return false;
    }
    virtual void close() { systemWindow = nullptr; }
    virtual bool isOpen() { return systemWindow != nullptr; }
    virtual void idle() {}

    virtual void __drawDeprecated(ERect* /*area*/) {}
    virtual VstInt32 __mouseDeprecated(VstInt32 /*x*/, VstInt32 /*y*/) { return 0; }
    virtual VstInt32 __keyDeprecated(VstInt32 /*value*/) { return 0; }
    virtual void __topDeprecated() {}
    virtual void __sleepDeprecated() {}

    virtual bool onKeyDown(VstKeyCode& /*key*/) { return false; }
    virtual bool onKeyUp(VstKeyCode& /*key*/) { return false; }
    virtual bool onWheel(float /*distance*/) { return false; }
    virtual bool setKnobMode(VstInt32 /*mode*/) { return false; }

  protected:
    AudioEffect* effect; // not owned: the effect owns its editor
    void* systemWindow;  // the host's parent window while open
};
