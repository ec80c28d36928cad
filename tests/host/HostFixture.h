// SPDX-License-Identifier: GPL-3.0-or-later
// One test effect with a recording host callback, driven through its record
// as a host drives it.
#pragma once

#include <gtest/gtest.h>

#include "RecordingHost.h"
#include "host/AEffEditor.h"
#include "plugin/TestEffect.h"

// An editor that records what the dispatcher asks of it.
class FakeEditor : public AEffEditor
{
  public:
    explicit FakeEditor(AudioEffect* effect) : AEffEditor(effect) {}
    ~FakeEditor() override { ++destroyed; }

    bool getRect(ERect** out) override
    {
        *out = &rect;
        return true;
    }
    bool open(void* parent) override
    {
        AEffEditor::open(parent);
        return true;
    }
    void idle() override { ++idles; }
    bool onKeyDown(VstKeyCode& key) override
    {
        lastKey = key;
        return keyAnswer;
    }
    bool onKeyUp(VstKeyCode& key) override
    {
        lastKey = key;
        return keyAnswer;
    }
    bool setKnobMode(VstInt32 mode) override
    {
        knobMode = mode;
        return true;
    }
    void* window() const { return systemWindow; }

    inline static int destroyed = 0;
    ERect rect{0, 0, 275, 535};
    int idles = 0;
    bool keyAnswer = true;
    VstKeyCode lastKey{};
    VstInt32 knobMode = -1;
};

class HostFixture : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        recording_host::reset();
        effect = static_cast<TestEffect*>(createEffectInstance(recording_host::callback));
        record = effect->getAeffect();
    }
    void TearDown() override
    {
        if (record) dispatch(effClose);
    }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.f)
    {
        return record->dispatcher(record, opcode, index, value, ptr, opt);
    }
    FakeEditor* attachEditor()
    {
        auto* editor = new FakeEditor(effect);
        effect->setEditor(editor);
        return editor;
    }

    TestEffect* effect = nullptr;
    AEffect* record = nullptr;
};
