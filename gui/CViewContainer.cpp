// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CViewContainer.h"

#include "gui/CBitmap.h"
#include "gui/COffscreenContext.h"
#include "gui/CFrame.h"

#include <cstring>

const char* const kMsgCheckIfViewContainer = "kMsgCheckIfViewContainer";

namespace
{

// Mouseable areas take clicks on all four edges.
bool insideInclusive(const CRect& area, const CPoint& p)
{
    return area.left <= p.h && p.h <= area.right && area.top <= p.v && p.v <= area.bottom;
}

bool hasArea(const CRect& r)
{
    return r.getWidth() > 0 && r.getHeight() > 0;
}

} // namespace

CViewContainer::CViewContainer(const CRect& size, CFrame* frame, CBitmap* background)
    : CView(size), backgroundColor(kBlackCColor)
{
    parentFrame = frame;
    this->background = background;
    if (background) background->remember();
    setDirty(true);
}

CViewContainer::~CViewContainer()
{
    removeAll(true);
    if (offscreen) offscreen->forget();
}

// ---- children

void CViewContainer::addView(CView* view)
{
    if (!view) return;
    view->remember();
    view->setFrame(parentFrame);
    view->setParentView(this);
    children.push_back(view);
    view->attached(this);
    view->setDirty(true);
}

void CViewContainer::addView(CView* view, CRect& mouseableArea, bool mouseEnabled)
{
    if (!view) return;
    view->setMouseEnabled(mouseEnabled);
    view->setMouseableArea(mouseableArea);
    addView(view);
}

void CViewContainer::removeView(CView* view, const bool& release)
{
    for (size_t i = 0; i < children.size(); i++)
    {
        if (children[i] == view)
        {
            detach(i, release);
            return;
        }
    }
}

void CViewContainer::removeAll(const bool& release)
{
    while (!children.empty())
        detach(0, release);
}

namespace
{

bool isWithin(const CView* view, const CView* ancestor)
{
    for (; view; view = view->getParentView())
        if (view == ancestor) return true;
    return false;
}

} // namespace

// Drops the list's reference and, with release, the creator's too.
void CViewContainer::detach(size_t index, bool release)
{
    CView* view = children[index];
    // A focus view inside a container that leaves must not outlive it either.
    if (parentFrame && isWithin(parentFrame->getFocusView(), view))
        parentFrame->setFocusView(nullptr);
    children.erase(children.begin() + long(index));
    view->removed(this);
    if (release) view->forget();
    view->forget();
}

bool CViewContainer::isChild(CView* view) const
{
    for (CView* child : children)
        if (child == view) return true;
    return false;
}

long CViewContainer::getNbViews() const
{
    return long(children.size());
}

CView* CViewContainer::getView(long index) const
{
    if (index < 0 || index >= getNbViews()) return nullptr;
    return children[size_t(index)];
}

// ---- appearance and type

void CViewContainer::setBackgroundColor(CColor color)
{
    backgroundColor = color;
    setDirty(true);
}

bool CViewContainer::isTypeOf(const char* type) const
{
    return std::strcmp(type, "CViewContainer") == 0 || CView::isTypeOf(type);
}

long CViewContainer::notify(CView*, const char* message)
{
    return message == kMsgCheckIfViewContainer ? 1 : 0;
}

CRect CViewContainer::localBounds() const
{
    return CRect(0, 0, size.getWidth(), size.getHeight());
}

CPoint& CViewContainer::frameToLocal(CPoint& where) const
{
    where.offset(-size.left, -size.top);
    return CView::frameToLocal(where);
}

CPoint& CViewContainer::localToFrame(CPoint& where) const
{
    where.offset(size.left, size.top);
    return CView::localToFrame(where);
}

// ---- offscreen drawing

void CViewContainer::useOffscreen(bool enable)
{
    offscreenEnabled = enable;
    if (!enable && offscreen)
    {
        offscreen->forget();
        offscreen = nullptr;
    }
}

void CViewContainer::ensureOffscreen()
{
    if (!offscreen && offscreenEnabled)
        offscreen =
            new COffscreenContext(parentFrame, size.getWidth(), size.getHeight(), kBlackCColor);
}

bool CViewContainer::attached(CView* parent)
{
    ensureOffscreen();
    return CView::attached(parent);
}

bool CViewContainer::removed(CView* parent)
{
    if (offscreen)
    {
        offscreen->forget();
        offscreen = nullptr;
    }
    return CView::removed(parent);
}

void CViewContainer::setViewSize(CRect& newSize)
{
    CView::setViewSize(newSize);
    if (offscreen && offscreenEnabled)
    {
        offscreen->forget();
        offscreen =
            new COffscreenContext(parentFrame, size.getWidth(), size.getHeight(), kBlackCColor);
    }
}

void CViewContainer::modifyDrawContext(long save[4], CDrawContext* context)
{
    const CPoint windowOffset = context->getWindowOffset();
    const CPoint offset = context->getOffset();
    save[0] = windowOffset.h;
    save[1] = windowOffset.v;
    save[2] = offset.h;
    save[3] = offset.v;
    context->setWindowOffset(CPoint(windowOffset).offset(size.left, size.top));
    context->setOffset(CPoint(offset).offset(size.left, size.top));
}

void CViewContainer::restoreDrawContext(CDrawContext* context, long save[4])
{
    context->setWindowOffset(CPoint(save[0], save[1]));
    context->setOffset(CPoint(save[2], save[3]));
}

// ---- drawing

// Prepares the offscreen buffer and answers where the children are drawn: the
// buffer, or the context moved into this container's coordinates.
CDrawContext* CViewContainer::beginDrawing(CDrawContext* context, long save[4])
{
    if (offscreenEnabled)
    {
        ensureOffscreen();
        if (offscreen)
        {
            if (transparencyEnabled)
            {
                CRect under = size;
                offscreen->copyTo(context, under, CPoint());
            }
            return offscreen;
        }
    }
    modifyDrawContext(save, context);
    return context;
}

void CViewContainer::endDrawing(CDrawContext* context, CDrawContext* target, long save[4],
                                const CRect& area, const CPoint& source)
{
    if (target == offscreen)
        offscreen->copyFrom(context, area, source);
    else
        restoreDrawContext(context, save);
}

// The clip of the context as the children see it; an offscreen buffer starts at 0,0.
CRect CViewContainer::childClip(const CRect& clipAsRead, CDrawContext* target) const
{
    CRect clip = clipAsRead;
    if (target == offscreen && !isTypeOf("CFrame")) clip.moveTo(0, 0);
    return clip;
}

void CViewContainer::draw(CDrawContext* context)
{
    if (!context) return;
    long save[4];
    CDrawContext* target = beginDrawing(context, save);
    CRect clipAsRead;
    context->getClipRect(clipAsRead);
    const CRect old = childClip(clipAsRead, target);
    CRect all = localBounds();
    target->setClipRect(CRect(all).bound(old));

    if (background)
    {
        if (transparencyEnabled)
            background->drawTransparent(target, all, backgroundOffset);
        else
            background->draw(target, all, backgroundOffset);
    }
    else if (!transparencyEnabled)
    {
        target->setFillColor(backgroundColor);
        target->fillRect(all);
    }

    for (size_t i = 0; i < children.size(); i++)
    {
        CView* child = children[i];
        target->setClipRect(CRect(child->getSize()).bound(old));
        child->draw(target);
    }

    target->setClipRect(clipAsRead);
    endDrawing(context, target, save, size, CPoint());
    setDirty(false);
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect)
{
    if (!context) return;
    long save[4];
    CDrawContext* target = beginDrawing(context, save);
    const CRect update = CRect(updateRect).bound(size);
    CRect client = CRect(update).offset(-size.left, -size.top);
    CRect clipAsRead;
    context->getClipRect(clipAsRead);
    const CRect clip = CRect(client).bound(childClip(clipAsRead, target));
    target->setClipRect(clip);

    drawBackgroundRect(target, client);

    const bool keepsPartlyPaintedDirty = !isTypeOf("CScrollContainer");
    for (size_t i = 0; i < children.size(); i++)
    {
        CView* child = children[i];
        if (!child->checkUpdate(client)) continue;
        const CRect visible = CRect(child->getSize()).bound(clip);
        if (!hasArea(visible)) continue;
        target->setClipRect(visible);
        const bool wasDirty = child->isDirty();
        child->drawRect(target, client);
        // A child painted only in part stays dirty, so the next update paints it whole.
        if (wasDirty && visible != child->getSize() && keepsPartlyPaintedDirty)
            child->setDirty(true);
    }

    target->setClipRect(clipAsRead);
    endDrawing(context, target, save, update, client.getTopLeft());
    setDirty(false);
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, CRect& rect)
{
    if (background)
    {
        CRect oldClip;
        context->getClipRect(oldClip);
        context->setClipRect(CRect(rect).bound(oldClip));
        CRect whole(0, 0, background->getWidth(), background->getHeight());
        if (transparencyEnabled)
            background->drawTransparent(context, whole, backgroundOffset);
        else
            background->draw(context, whole, backgroundOffset);
        context->setClipRect(oldClip);
    }
    else if (!transparencyEnabled)
    {
        context->setFillColor(backgroundColor);
        context->fillRect(rect);
    }
}

void CViewContainer::redrawRect(CDrawContext* context, const CRect& rect)
{
    const CRect inParent = CRect(rect).offset(size.left, size.top);
    if (transparencyEnabled)
    {
        // Whatever lies below shows through, so it is painted too.
        if (parentView)
            parentView->redrawRect(context, inParent);
        else if (parentFrame)
            parentFrame->drawRect(context, inParent);
        return;
    }
    if (!parentView || !context)
    {
        drawRect(context, inParent);
        return;
    }
    CPoint parentOrigin;
    parentView->localToFrame(parentOrigin);
    const CPoint offset = context->getOffset();
    const CPoint windowOffset = context->getWindowOffset();
    context->setOffset(CPoint(offset).offset(parentOrigin));
    context->setWindowOffset(CPoint(windowOffset).offset(parentOrigin));
    drawRect(context, inParent);
    context->setOffset(offset);
    context->setWindowOffset(windowOffset);
}

bool CViewContainer::isDirty() const
{
    if (dirty) return true;
    const CRect bounds = localBounds();
    for (CView* child : children)
        if (child->isDirty() && hasArea(CRect(child->getSize()).bound(bounds))) return true;
    return false;
}

void CViewContainer::update(CDrawContext* context)
{
    CRect bounds = localBounds();
    if (mode == kNormalUpdate)
    {
        if (isDirty())
        {
            redrawRect(context, bounds);
            setDirty(false);
        }
        return;
    }
    if (mode != kOnlyDirtyUpdate) return;
    if (dirty)
    {
        redrawRect(context, bounds);
    }
    else
    {
        for (size_t i = 0; i < children.size(); i++)
        {
            CView* child = children[i];
            if (!child->isDirty() || !child->checkUpdate(bounds)) continue;
            if (child->notify(this, kMsgCheckIfViewContainer))
                child->update(context);
            else
                child->redrawRect(context, CRect(child->getSize()).bound(bounds));
        }
    }
    setDirty(false);
}

// ---- mouse, keys, wheel

bool CViewContainer::hitTestSubViews(const CPoint& where, long buttons)
{
    const CPoint local = CPoint(where).offset(-size.left, -size.top);
    for (size_t i = children.size(); i-- > 0;)
    {
        CView* child = children[i];
        if (child->getMouseEnabled() && child->hitTest(local, buttons)) return true;
    }
    return false;
}

void CViewContainer::mouse(CDrawContext* context, CPoint& where, long buttons)
{
    CPoint local = CPoint(where).offset(-size.left, -size.top);
    if (buttons == -1 && context) buttons = context->getMouseButtons();
    for (size_t i = children.size(); i-- > 0;)
    {
        CView* child = children[i];
        if (child->getMouseEnabled() && child->hitTest(local, buttons))
        {
            // The child may leave the tree while it tracks the mouse.
            child->remember();
            child->mouse(context, local, buttons);
            child->forget();
            return;
        }
    }
}

long CViewContainer::onKeyDown(VstKeyCode& keyCode)
{
    for (size_t i = children.size(); i-- > 0;)
    {
        const long result = children[i]->onKeyDown(keyCode);
        if (result != -1) return result;
    }
    return -1;
}

long CViewContainer::onKeyUp(VstKeyCode& keyCode)
{
    for (size_t i = children.size(); i-- > 0;)
    {
        const long result = children[i]->onKeyUp(keyCode);
        if (result != -1) return result;
    }
    return -1;
}

bool CViewContainer::onWheel(CDrawContext* context, const CPoint& where, float distance)
{
    return onWheel(context, where, kVerticalWheel, distance);
}

bool CViewContainer::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                             float distance)
{
    CView* view = getViewAt(where, false);
    if (!view) return false;
    const CPoint local = CPoint(where).offset(-size.left, -size.top);
    if (!context) return view->onWheel(context, local, axis, distance);
    long save[4];
    modifyDrawContext(save, context);
    const bool result = view->onWheel(context, local, axis, distance);
    restoreDrawContext(context, save);
    return result;
}

CView* CViewContainer::getViewAt(const CPoint& where, bool recursive) const
{
    if (!parentFrame) return nullptr;
    const CPoint local = CPoint(where).offset(-size.left, -size.top);
    for (size_t i = children.size(); i-- > 0;)
    {
        CView* child = children[i];
        CRect area;
        if (!insideInclusive(child->getMouseableArea(area), local)) continue;
        if (recursive && child->isTypeOf("CViewContainer"))
            return static_cast<CViewContainer*>(child)->getViewAt(local, true);
        return child;
    }
    return nullptr;
}

CView* CViewContainer::getCurrentView() const
{
    if (!parentFrame) return nullptr;
    CPoint where;
    parentFrame->getCurrentLocation(where);
    frameToLocal(where);
    for (size_t i = children.size(); i-- > 0;)
    {
        CRect area;
        if (insideInclusive(children[i]->getMouseableArea(area), where)) return children[i];
    }
    return nullptr;
}

// ---- focus

void CViewContainer::looseFocus(CDrawContext* context)
{
    for (size_t i = 0; i < children.size(); i++)
        children[i]->looseFocus(context);
}

void CViewContainer::takeFocus(CDrawContext* context)
{
    for (size_t i = 0; i < children.size(); i++)
        children[i]->takeFocus(context);
}

bool CViewContainer::advanceNextFocusView(CView* current, bool backwards)
{
    if (!parentFrame) return false;
    const long count = getNbViews();
    bool searching = current == nullptr;
    for (long step = 0; step < count; step++)
    {
        CView* child = children[size_t(backwards ? count - 1 - step : step)];
        if (!searching)
        {
            searching = child == current;
            continue;
        }
        if (child->isTypeOf("CViewContainer") &&
            static_cast<CViewContainer*>(child)->advanceNextFocusView(nullptr, backwards))
            return true;
        if (child->wantsFocus())
        {
            parentFrame->setFocusView(child);
            return true;
        }
    }
    return false;
}
