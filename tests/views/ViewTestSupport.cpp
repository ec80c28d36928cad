// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"

#include "gui/CDrawContext.h"

#include <algorithm>

int CountingView::destroyed = 0;

CountingView::CountingView(const CRect& size, CColor color) : CView(size), color(color) {}

CountingView::~CountingView()
{
    destroyed++;
}

void CountingView::draw(CDrawContext* context)
{
    draws++;
    if (drawLog) drawLog->push_back(name);
    context->setFillColor(color);
    context->fillRect(size);
    setDirty(false);
}

void CountingView::mouse(CDrawContext*, CPoint& where, long buttons)
{
    clicks++;
    lastWhere = where;
    lastButtons = buttons;
}

bool CountingView::onWheel(CDrawContext*, const CPoint& where, CMouseWheelAxis axis, float distance)
{
    wheels++;
    lastWhere = where;
    lastAxis = axis;
    lastDistance = distance;
    return takesWheel;
}

long CountingView::onKeyDown(VstKeyCode&)
{
    keys++;
    return keyAnswer;
}

void CountingView::looseFocus(CDrawContext*)
{
    focusLosses++;
}

void CountingView::redrawRect(CDrawContext* context, const CRect& rect)
{
    redrawRects.push_back(rect);
    CView::redrawRect(context, rect);
}

ScriptedInput::ScriptedInput(std::vector<Step> steps) : steps(std::move(steps))
{
    setPlatformInput(this);
}

ScriptedInput::~ScriptedInput()
{
    setPlatformInput(nullptr);
}

CPoint ScriptedInput::getMouseLocation(const CFrame*)
{
    if (steps.empty()) return CPoint();
    const CPoint where = steps[std::min(next, steps.size() - 1)].where;
    next++;
    return where;
}

long ScriptedInput::getMouseButtons(const CFrame*)
{
    if (steps.empty() || next > steps.size()) return 0;
    return steps[next == 0 ? 0 : next - 1].buttons;
}

namespace
{

uint32_t clockNow = 0;
uint32_t clockSlept = 0;

uint32_t manualTicks()
{
    return clockNow;
}

void manualSleep(uint32_t milliseconds)
{
    clockNow += milliseconds;
    clockSlept += milliseconds;
}

} // namespace

ManualClock::ManualClock(uint32_t start)
{
    clockNow = start;
    clockSlept = 0;
    setPlatformClock(manualTicks, manualSleep);
}

ManualClock::~ManualClock()
{
    setPlatformClock(nullptr, nullptr);
}

void ManualClock::advance(uint32_t milliseconds)
{
    clockNow += milliseconds;
}

uint32_t ManualClock::now()
{
    return clockNow;
}

uint32_t ManualClock::slept()
{
    return clockSlept;
}

RecordingEffect::RecordingEffect() : AudioEffectX(recording_host::callback, 1, 1)
{
    recording_host::reset();
}

TestPanel::TestPanel(EditorHost& host, long width, long height) : AEffGUIEditor(host)
{
    rect = {0, 0, int16_t(height), int16_t(width)};
}

bool TestPanel::open(void* parent)
{
    if (frame) return true;
    AEffEditor::open(parent);
    const long width = rect.right - rect.left;
    const long height = rect.bottom - rect.top;
    frame = new CFrame(CRect(0, 0, width, height), parent, this);
    left = new CountingView(CRect(10, 10, 60, 60), kRedCColor);
    right = new CountingView(CRect(100, 10, 150, 60), kBlueCColor);
    frame->addView(left);
    frame->addView(right);
    framesBuilt++;
    return true;
}

TestPanel::~TestPanel()
{
    close();
}

void TestPanel::close()
{
    if (frame) frame->forget();
    frame = nullptr;
    left = right = nullptr;
    AEffEditor::close();
}
