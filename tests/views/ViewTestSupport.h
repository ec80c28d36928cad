// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Headless surroundings for view, container, frame and editor-base tests: views
// that count what reaches them, a scripted pointer, a clock that only moves when
// told to, and an effect whose host records every call.

#include "RecordingHost.h"
#include "gui/AEffGUIEditor.h"
#include "gui/CFrame.h"
#include "gui/platform/PlatformInput.h"
#include "host/AudioEffectX.h"
#include "plugin/vst2/VstEditorHost.h"

#include <string>
#include <vector>

// A view that fills its rectangle with its colour and records every call.
class CountingView : public CView
{
  public:
    explicit CountingView(const CRect& size, CColor color = kRedCColor);
    ~CountingView() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, long buttons) override;
    bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                 float distance) override;
    long onKeyDown(VstKeyCode& keyCode) override;
    void looseFocus(CDrawContext* context) override;
    void redrawRect(CDrawContext* context, const CRect& rect) override;

    CColor color;
    int draws = 0;
    int clicks = 0;
    int wheels = 0;
    int keys = 0;
    int focusLosses = 0;
    long keyAnswer = -1;
    bool takesWheel = true;
    CPoint lastWhere;
    long lastButtons = 0;
    CMouseWheelAxis lastAxis = kVerticalWheel;
    float lastDistance = 0;
    std::vector<CRect> redrawRects;
    std::vector<std::string>* drawLog = nullptr;
    std::string name;
    // Every CountingView destroyed so far.
    static int destroyed;
};

// Replays pointer positions and button states, one step per position read.
class ScriptedInput : public PlatformInput
{
  public:
    struct Step
    {
        CPoint where;
        long buttons;
    };
    explicit ScriptedInput(std::vector<Step> steps);
    ~ScriptedInput() override;

    CPoint getMouseLocation(const CFrame* frame) override;
    long getMouseButtons(const CFrame* frame) override;

  private:
    std::vector<Step> steps;
    size_t next = 0;
};

// A clock that stands still until a test or a sleep moves it.
class ManualClock
{
  public:
    explicit ManualClock(uint32_t start = 10000);
    ~ManualClock();
    static void advance(uint32_t milliseconds);
    static uint32_t now();
    static uint32_t slept();
};

// An effect whose host is the recording host, started afresh (recording_host::reset).
class RecordingEffect : public AudioEffectX
{
  public:
    RecordingEffect();
    void processReplacing(float**, float**, VstInt32) override {}
};

// A plug-in editor with a few counting views; its open builds the frame once.
class TestPanel : public AEffGUIEditor
{
  public:
    explicit TestPanel(EditorHost& host, long width = 200, long height = 100);
    ~TestPanel() override;

    bool open(void* parent) override;
    void close() override;

    CFrame* getFrameForTest() const { return frame; }
    CountingView* left = nullptr;
    CountingView* right = nullptr;
    int framesBuilt = 0;
};

// The test panel given to an effect, as the VST 2.4 module gives its editor.
using TestEditor = VstEditor<TestPanel>;
