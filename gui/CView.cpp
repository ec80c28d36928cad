// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CView.h"

#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"
#include "gui/CFrame.h"

#include <cstring>

CView::CView(const CRect& size) : size(size), mouseableArea(size) {}

CView::~CView()
{
    if (background) background->forget();
}

void CView::draw(CDrawContext* context)
{
    if (background && context)
    {
        CRect where = size;
        if (transparencyEnabled)
            background->drawTransparent(context, where, CPoint());
        else
            background->draw(context, where, CPoint());
    }
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&)
{
    draw(context);
}

bool CView::checkUpdate(CRect& updateRect) const
{
    return size.touches(updateRect);
}

void CView::mouse(CDrawContext*, CPoint&, long) {}

void CView::setBackground(CBitmap* bitmap)
{
    if (background) background->forget();
    background = bitmap;
    if (background) background->remember();
    setDirty(true);
}

long CView::onKeyDown(VstKeyCode&)
{
    return -1;
}

long CView::onKeyUp(VstKeyCode&)
{
    return -1;
}

bool CView::onWheel(CDrawContext*, const CPoint&, float)
{
    return false;
}

bool CView::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis, float distance)
{
    return onWheel(context, where, distance);
}

bool CView::onDrop(CDrawContext*, CDragContainer*, const CPoint&)
{
    return false;
}

void CView::onDragEnter(CDrawContext*, CDragContainer*, const CPoint&) {}
void CView::onDragLeave(CDrawContext*, CDragContainer*, const CPoint&) {}
void CView::onDragMove(CDrawContext*, CDragContainer*, const CPoint&) {}
void CView::looseFocus(CDrawContext*) {}
void CView::takeFocus(CDrawContext*) {}

CRect& CView::getMouseableArea(CRect& area) const
{
    area = mouseableArea;
    return area;
}

bool CView::hitTest(const CPoint& where, long)
{
    // Edges inclusive: one pixel more to the right and bottom than CRect::pointInside.
    return mouseableArea.left <= where.h && where.h <= mouseableArea.right &&
           mouseableArea.top <= where.v && where.v <= mouseableArea.bottom;
}

void CView::setViewSize(CRect& newSize)
{
    size = newSize;
    setDirty(true);
}

CRect& CView::getViewSize(CRect& out) const
{
    out = size;
    return out;
}

bool CView::removed(CView*)
{
    return true;
}

bool CView::attached(CView*)
{
    return true;
}

CPoint& CView::getMouseLocation(CDrawContext* context, CPoint& where)
{
    if (!context) return where;
    if (parentView && parentView->notify(this, kMsgCheckIfViewContainer) == 1)
    {
        const CPoint parentOrigin = parentView->getSize().getTopLeft();
        const CPoint savedOffset = context->getOffset();
        const CPoint savedWindowOffset = context->getWindowOffset();
        context->setOffset(CPoint(savedOffset).offset(parentOrigin));
        context->setWindowOffset(CPoint(savedWindowOffset).offset(parentOrigin));
        parentView->getMouseLocation(context, where);
        context->setOffset(savedOffset);
        context->setWindowOffset(savedWindowOffset);
        return where;
    }
    context->getMouseLocation(where);
    return where;
}

CPoint& CView::frameToLocal(CPoint& where) const
{
    if (parentView && parentView->isTypeOf("CViewContainer"))
        return parentView->frameToLocal(where);
    return where;
}

CPoint& CView::localToFrame(CPoint& where) const
{
    if (parentView && parentView->isTypeOf("CViewContainer"))
        return parentView->localToFrame(where);
    return where;
}

CHostLink* CView::getEditor() const
{
    return parentFrame ? parentFrame->getEditor() : nullptr;
}

long CView::notify(CView*, const char*)
{
    return 0;
}

void CView::redrawRect(CDrawContext* context, const CRect& rect)
{
    if (parentView)
        parentView->redrawRect(context, rect);
    else if (parentFrame)
        parentFrame->drawRect(context, rect);
}

bool CView::isTypeOf(const char* type) const
{
    return std::strcmp(type, "CView") == 0;
}

void CView::update(CDrawContext* context)
{
    if (!isDirty()) return;
    if (context)
        redrawRect(context, size);
    else
        redraw();
    setDirty(false);
}

void CView::redraw()
{
    if (parentFrame) parentFrame->draw(this);
}

CView::Attribute* CView::findAttribute(unsigned long id)
{
    for (Attribute& attribute : attributes)
        if (attribute.id == id) return &attribute;
    return nullptr;
}

const CView::Attribute* CView::findAttribute(unsigned long id) const
{
    for (const Attribute& attribute : attributes)
        if (attribute.id == id) return &attribute;
    return nullptr;
}

bool CView::setAttribute(unsigned long id, long size, const void* data)
{
    if (size < 0 || (size > 0 && !data)) return false;
    if (Attribute* existing = findAttribute(id))
    {
        // The stored block keeps its size; a larger one does not fit.
        if (long(existing->data.size()) < size) return false;
        std::memcpy(existing->data.data(), data, size_t(size));
        return true;
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    attributes.push_back({id, std::vector<uint8_t>(bytes, bytes + size)});
    return true;
}

bool CView::getAttributeSize(unsigned long id, long& size) const
{
    const Attribute* attribute = findAttribute(id);
    if (!attribute) return false;
    size = long(attribute->data.size());
    return true;
}

bool CView::getAttribute(unsigned long id, long capacity, void* data, long& size) const
{
    const Attribute* attribute = findAttribute(id);
    if (!attribute || capacity < long(attribute->data.size())) return false;
    if (!attribute->data.empty()) std::memcpy(data, attribute->data.data(), attribute->data.size());
    size = long(attribute->data.size());
    return true;
}
