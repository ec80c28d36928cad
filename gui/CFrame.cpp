// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CFrame.h"

#include "gui/CHostLink.h"
#include "gui/COffscreenContext.h"
#include "gui/VirtualKeys.h"
#include "gui/platform/PlatformDrawing.h"
#include "gui/platform/PlatformInput.h"
#include "gui/platform/PlatformWindow.h"

#include <algorithm>
#include <cmath>
#include <cstring>

CFrame::CFrame(const CRect& size, void* systemWindow, CHostLink* editor)
    : CViewContainer(size, nullptr, nullptr), editor(editor), systemWindow(systemWindow)
{
    parentFrame = this;
    initFrame(systemWindow);
}

CFrame::~CFrame()
{
    setModalView(nullptr);
    setCursor(kCursorDefault);
    setDropActive(false);
    // The children go while the frame is whole: they may still ask it for the focus view.
    removeAll(true);
    focusView = nullptr;
    dropBackBuffer();
    platformWindow.reset();
}

bool CFrame::initFrame(void* window)
{
    // Frame coordinates are window-content coordinates.
    size.moveTo(0, 0);
    setDropActive(true);
    if (editor) setScale(editor->getContentScale());
    if (!window) return false;
    const CRect pixels = toPixels(size);
    platformWindow = createPlatformWindow(*this, window, pixels.getWidth(), pixels.getHeight());
    return platformWindow != nullptr;
}

bool CFrame::open(CPoint*)
{
    return false;
}

bool CFrame::close()
{
    return false;
}

bool CFrame::isTypeOf(const char* type) const
{
    return std::strcmp(type, "CFrame") == 0 || CViewContainer::isTypeOf(type);
}

// ---- editor links

void CFrame::beginEdit(long index)
{
    if (editor) editor->beginEdit(index);
}

void CFrame::endEdit(long index)
{
    if (editor) editor->endEdit(index);
}

long CFrame::getKnobMode() const
{
    return editor ? editor->getKnobMode() : 0;
}

uint32_t CFrame::getTicks() const
{
    return editor ? platformTicks() : 0;
}

void CFrame::doIdleStuff()
{
    if (editor) editor->doIdleStuff();
}

// ---- drawing

COffscreenContext* CFrame::getBackBuffer()
{
    const double density = scale * (platformWindow ? platformWindow->surfaceDensity() : 1);
    if (!backBuffer)
        backBuffer =
            new COffscreenContext(this, size.getWidth(), size.getHeight(), kBlackCColor, density);
    return backBuffer;
}

void CFrame::surfaceChanged()
{
    dropBackBuffer();
    setDirty(true);
}

void CFrame::dropBackBuffer()
{
    if (backBuffer)
    {
        backBuffer->forget();
        backBuffer = nullptr;
    }
}

CDrawContext* CFrame::createDrawContext()
{
    if (liveContext)
    {
        liveContext->remember();
        return liveContext;
    }
    // Outside a paint a context serves mouse queries: everything that reaches the
    // window goes through the back buffer.
    return new CDrawContext(this, nullptr, platformWindow.get());
}

// Paints into the back buffer (the context handed out meanwhile) and, when the
// outermost paint is done, copies what was painted to the window in one go.
// Without a back buffer the paint goes to the given context.
template <class Paint> void CFrame::paint(CDrawContext* context, Paint paintInto)
{
    COffscreenContext* buffer = getBackBuffer();
    CDrawContext* target = buffer ? static_cast<CDrawContext*>(buffer) : context;
    if (!target) return;
    CDrawContext* previousLive = liveContext;
    liveContext = target;
    paintDepth++;
    const CRect painted = paintInto(target);
    paintDepth--;
    liveContext = previousLive;
    if (!buffer) return;
    unpresented.unite(CRect(painted).bound(localBounds()));
    if (paintDepth == 0 && !unpresented.isEmpty())
    {
        present(unpresented);
        unpresented = CRect();
    }
}

void CFrame::present(const CRect& rect)
{
    if (platformWindow && backBuffer && backBuffer->getImage())
        platformWindow->present(*backBuffer->getImage(), toPixels(rect));
}

void CFrame::idle()
{
    if (platformWindow) platformWindow->dispatchEvents();
    if (!openFlag || firstDraw || !isDirty()) return;
    CDrawContext* context = createDrawContext();
    update(context);
    context->forget();
}

void CFrame::update(CDrawContext* context)
{
    if (!openFlag || updatesOff) return;
    paint(context,
          [this](CDrawContext* target)
          {
              if (dirty)
              {
                  draw(target);
                  setDirty(false);
                  return localBounds();
              }
              CRect painted;
              CRect savedClip;
              target->getClipRect(savedClip);
              if (modalView && modalView->isDirty())
              {
                  painted.unite(modalView->getSize());
                  modalView->update(target);
              }
              for (size_t i = 0; i < children.size(); i++)
              {
                  CView* child = children[i];
                  if (child->isDirty()) painted.unite(child->getSize());
                  target->setClipRect(CRect(child->getSize()).bound(savedClip));
                  child->update(target);
              }
              target->setClipRect(savedClip);
              return painted;
          });
}

void CFrame::draw(CDrawContext* context)
{
    firstDraw = false;
    paint(context,
          [this](CDrawContext* target)
          {
              CViewContainer::draw(target);
              return localBounds();
          });
}

void CFrame::drawRect(CDrawContext* context, const CRect& updateRect)
{
    firstDraw = false;
    const bool wasDirty = dirty;
    paint(context,
          [&](CDrawContext* target)
          {
              CRect savedClip;
              target->getClipRect(savedClip);
              target->setClipRect(CRect(updateRect).bound(savedClip));
              if (updateRect.getWidth() > 0 && updateRect.getHeight() > 0)
                  CViewContainer::drawRect(target, updateRect);
              target->setClipRect(savedClip);
              return updateRect;
          });
    // A partial paint leaves the rest of a dirty frame to the next update.
    if (wasDirty && CRect(updateRect).bound(localBounds()) != localBounds()) setDirty(true);
}

void CFrame::draw(CView* view)
{
    CDrawContext* context = createDrawContext();
    if (view && isChild(view))
    {
        paint(context,
              [view](CDrawContext* target)
              {
                  view->draw(target);
                  return view->getSize();
              });
    }
    else
    {
        draw(context);
    }
    context->forget();
}

void CFrame::invalidate(const CRect& rect)
{
    for (CView* child : children)
        if (child->getSize().touches(rect)) child->setDirty(true);
}

bool CFrame::updatesDisabled(bool state)
{
    const bool previous = updatesOff;
    updatesOff = state;
    return previous;
}

// ---- mouse, keys, wheel

void CFrame::mouse(CDrawContext* context, CPoint& where, long buttons)
{
    if (focusView) setFocusView(nullptr);
    if (buttons == -1 && context) buttons = context->getMouseButtons();
    if (!modalView)
    {
        CViewContainer::mouse(context, where, buttons);
        return;
    }
    if (modalView->hitTest(where, buttons))
    {
        CView* view = modalView;
        view->remember();
        view->mouse(context, where, buttons);
        view->forget();
    }
}

long CFrame::onKeyDown(VstKeyCode& keyCode)
{
    long result = -1;
    if (focusView) result = focusView->onKeyDown(keyCode);
    if (result == -1 && modalView) result = modalView->onKeyDown(keyCode);
    if (result == -1 && keyCode.virt == kVirtKeyTab)
        return advanceNextFocusView(focusView, (keyCode.modifier & kModifierShift) != 0) ? 1 : -1;
    return result;
}

long CFrame::onKeyUp(VstKeyCode& keyCode)
{
    long result = -1;
    if (focusView) result = focusView->onKeyUp(keyCode);
    if (result == -1 && modalView) result = modalView->onKeyUp(keyCode);
    return result;
}

bool CFrame::onWheel(CDrawContext* context, const CPoint& where, float distance)
{
    return onWheel(context, where, kVerticalWheel, distance);
}

bool CFrame::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                     float distance)
{
    CView* view = modalView ? modalView : getViewAt(where, false);
    if (!view) return false;
    CDrawContext* used = context ? context : createDrawContext();
    const bool result = view->onWheel(used, where, axis, distance);
    if (!context) used->forget();
    return result;
}

bool CFrame::getCurrentLocation(CPoint& where)
{
    where = platformInput().getMouseLocation(this);
    return true;
}

CView* CFrame::getCurrentView() const
{
    return modalView ? modalView : CViewContainer::getCurrentView();
}

void CFrame::setCursor(CCursorType type)
{
    if (platformWindow) platformWindow->setCursor(int(type));
}

// ---- focus and modal view

void CFrame::setFocusView(CView* view)
{
    CView* previous = focusView;
    focusView = view;
    if (view && view->wantsFocus()) view->setDirty(true);
    if (previous)
    {
        previous->looseFocus(nullptr);
        if (previous->wantsFocus()) previous->setDirty(true);
    }
}

bool CFrame::advanceNextFocusView(CView* current, bool backwards)
{
    if (modalView) return false;
    if (!current) current = focusView;
    if (!current) return CViewContainer::advanceNextFocusView(nullptr, backwards);
    if (isChild(current))
    {
        if (CViewContainer::advanceNextFocusView(current, backwards)) return true;
        setFocusView(nullptr);
        return false;
    }
    // A nested focus view: each enclosing container, innermost first, continues
    // after the child that leads to it.
    CView* child = current;
    for (CView* parent = current->getParentView(); parent; parent = parent->getParentView())
    {
        if (!parent->isTypeOf("CViewContainer")) break;
        auto* container = static_cast<CViewContainer*>(parent);
        const bool moved = parent == this ? CViewContainer::advanceNextFocusView(child, backwards)
                                          : container->advanceNextFocusView(child, backwards);
        if (moved) return true;
        if (parent == this) break;
        child = parent;
    }
    return false;
}

bool CFrame::setModalView(CView* view)
{
    if (modalView && view) return false;
    if (modalView) removeView(modalView, false);
    modalView = view;
    if (view) addView(view);
    return true;
}

void CFrame::removeView(CView* view, const bool& release)
{
    if (view && view == modalView) modalView = nullptr;
    CViewContainer::removeView(view, release);
}

void CFrame::removeAll(const bool& release)
{
    modalView = nullptr;
    CViewContainer::removeAll(release);
}

bool CFrame::setDropActive(bool active)
{
    dropActive = active;
    return true;
}

// ---- size and position

bool CFrame::setSize(long width, long height)
{
    if (!openFlag || (width == size.getWidth() && height == size.getHeight())) return false;
    // The host resizes its own window when it can; ours follows either way.
    const CRect pixels = toPixels(CRect(0, 0, width, height));
    if (editor) editor->sizeWindow(pixels.getWidth(), pixels.getHeight());
    if (platformWindow) platformWindow->resize(pixels.getWidth(), pixels.getHeight());
    dropBackBuffer();
    CRect newSize(0, 0, width, height);
    CViewContainer::setViewSize(newSize);
    return true;
}

void CFrame::setViewSize(CRect& newSize)
{
    setSize(newSize.getWidth(), newSize.getHeight());
}

bool CFrame::getSize(CRect* out) const
{
    if (!openFlag || !platformWindow || !out) return false;
    return platformWindow->getGeometry(*out);
}

bool CFrame::getPosition(long& x, long& y) const
{
    CRect geometry;
    if (!getSize(&geometry)) return false;
    x = geometry.left;
    y = geometry.top;
    return true;
}

bool CFrame::setPosition(long x, long y)
{
    if (!openFlag || !platformWindow) return false;
    return platformWindow->move(x, y);
}

// ---- scale

double CFrame::clampScale(double value)
{
    if (std::isnan(value)) return 1;
    return std::min(4.0, std::max(1.0, value));
}

bool CFrame::setScale(double value)
{
    value = clampScale(value);
    // A platform that draws only at density 1 stays at 1.
    const std::unique_ptr<PlatformImage> probe = PlatformImage::create(1, 1);
    if (!probe || !probe->setDensity(value)) value = 1;
    if (value == scale) return false;
    scale = value;
    dropBackBuffer();
    const CRect pixels = toPixels(localBounds());
    if (platformWindow) platformWindow->resize(pixels.getWidth(), pixels.getHeight());
    setDirty(true);
    return true;
}

CRect CFrame::toPixels(const CRect& units) const
{
    return CRect(long(std::floor(units.left * scale)), long(std::floor(units.top * scale)),
                 long(std::ceil(units.right * scale)), long(std::ceil(units.bottom * scale)));
}

CRect CFrame::toUnits(const CRect& pixels) const
{
    return CRect(long(std::floor(pixels.left / scale)), long(std::floor(pixels.top / scale)),
                 long(std::ceil(pixels.right / scale)), long(std::ceil(pixels.bottom / scale)));
}

CPoint CFrame::toUnits(const CPoint& pixel) const
{
    return CPoint(long(std::floor(pixel.h / scale)), long(std::floor(pixel.v / scale)));
}
