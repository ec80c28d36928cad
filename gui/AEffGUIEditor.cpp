// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/AEffGUIEditor.h"

#include "gui/CDrawContext.h"
#include "gui/CFrame.h"
#include "gui/platform/PlatformInput.h"
#include "gui/platform/PlatformWindow.h"
#include "gui/platform/SystemServices.h"

#include <cmath>

VstInt32 AEffGUIEditor::knobMode = 0;

AEffGUIEditor::AEffGUIEditor(EditorHost& host) : AEffEditor(nullptr), host(host)
{
    lastTicks = getTicks();
}

// The derived editor's close has already destroyed the frame; nothing here is
// set up per editor on this platform.
AEffGUIEditor::~AEffGUIEditor() = default;

bool AEffGUIEditor::getRect(ERect** out)
{
    if (!out) return false;
    // An open frame's scale: a platform that draws only at 1 keeps 1.
    const double scale = frame ? frame->getScale() : getContentScale();
    auto scaled = [scale](int16_t units) { return int16_t(std::ceil(units * scale)); };
    scaledRect = {scaled(rect.top), scaled(rect.left), scaled(rect.bottom), scaled(rect.right)};
    *out = &scaledRect;
    return true;
}

// Asking the system may mean a round trip to the display: only when an editor is shown.
double AEffGUIEditor::getContentScale() const
{
    if (contentScale == 0) contentScale = CFrame::clampScale(systemScale());
    return contentScale;
}

void AEffGUIEditor::setContentScale(double scale)
{
    contentScale = CFrame::clampScale(scale);
    if (!frame) return;
    if (!frame->setScale(contentScale)) return;
    ERect* size = nullptr;
    getRect(&size);
    host.resizeWindow(size->right - size->left, size->bottom - size->top);
}

void AEffGUIEditor::idle()
{
    if (!inIdleStuff && frame) frame->idle();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode)
{
    return frame && frame->onKeyDown(keyCode) == 1;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode)
{
    return frame && frame->onKeyUp(keyCode) == 1;
}

bool AEffGUIEditor::onWheel(float distance)
{
    if (!frame) return false;
    CDrawContext* context = frame->createDrawContext();
    CPoint where;
    context->getMouseLocation(where);
    const bool result = frame->onWheel(context, where, distance);
    context->forget();
    return result;
}

bool AEffGUIEditor::setKnobMode(VstInt32 mode)
{
    knobMode = mode;
    return true;
}

void AEffGUIEditor::setParameter(VstInt32, float) {}

void AEffGUIEditor::beginEdit(long index)
{
    host.beginGesture(int(index));
}

void AEffGUIEditor::endEdit(long index)
{
    host.endGesture(int(index));
}

bool AEffGUIEditor::sizeWindow(long width, long height)
{
    return host.resizeWindow(int(width), int(height));
}

void AEffGUIEditor::__drawDeprecated(ERect* area)
{
    if (!frame) return;
    if (!area)
    {
        frame->draw(static_cast<CView*>(nullptr));
        return;
    }
    const CRect updateRect(area->left, area->top, area->right, area->bottom);
    CDrawContext* context = frame->createDrawContext();
    frame->drawRect(context, updateRect);
    context->forget();
}

VstInt32 AEffGUIEditor::__mouseDeprecated(VstInt32 x, VstInt32 y)
{
    if (frame)
    {
        CDrawContext* context = frame->createDrawContext();
        CPoint where(x, y);
        frame->mouse(context, where, -1);
        context->forget();
    }
    return 1;
}

void AEffGUIEditor::doIdleStuff()
{
    uint32_t now = getTicks();
    // Compared as a signed difference so that the clock may wrap.
    if (int32_t(lastTicks - now) > 0)
    {
        wait(4);
        now += 4;
        if (int32_t(lastTicks - now) > 50) return;
    }
    idle();
    if (frame && frame->getPlatformWindow()) frame->getPlatformWindow()->dispatchRepaint();
    lastTicks = now + 100;
    inIdleStuff = true;
    host.idleTick();
    inIdleStuff = false;
}

uintptr_t AEffGUIEditor::getWindowId() const
{
    return frame && frame->getPlatformWindow() ? frame->getPlatformWindow()->getWindowId() : 0;
}

uint32_t AEffGUIEditor::getTicks()
{
    return platformTicks();
}

void AEffGUIEditor::wait(uint32_t milliseconds)
{
    platformSleep(milliseconds);
}
