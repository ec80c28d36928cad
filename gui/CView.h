// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CButtonState.h"
#include "gui/CColor.h"
#include "gui/CGeometry.h"
#include "gui/CReferenceCounter.h"

#include <cstdint>
#include <vector>

class CBitmap;
class CDrawContext;
class CDragContainer;
class CFrame;
class CHostLink;
struct VstKeyCode;

// Wheel axes carried by the axis form of onWheel.
enum CMouseWheelAxis
{
    kHorizontalWheel = 0,
    kVerticalWheel = 1
};

// Containers answer notify(sender, kMsgCheckIfViewContainer) with 1. The pointer
// is compared, not the text.
extern const char* const kMsgCheckIfViewContainer;

// Anything that occupies a rectangle of the editor, draws itself and may take the mouse.
class CView : public CReferenceCounter
{
  public:
    explicit CView(const CRect& size);
    ~CView() override;

    virtual void draw(CDrawContext* context);
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    virtual bool checkUpdate(CRect& updateRect) const;
    virtual void mouse(CDrawContext* context, CPoint& where, long buttons = -1);

    virtual void setBackground(CBitmap* bitmap);
    virtual CBitmap* getBackground() const { return background; }

    virtual long onKeyDown(VstKeyCode& keyCode);
    virtual long onKeyUp(VstKeyCode& keyCode);
    virtual bool onWheel(CDrawContext* context, const CPoint& where, float distance);
    virtual bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                         float distance);

    virtual bool onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void onDragEnter(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void onDragLeave(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void onDragMove(CDrawContext* context, CDragContainer* drag, const CPoint& where);

    virtual void looseFocus(CDrawContext* context);
    virtual void takeFocus(CDrawContext* context);

    virtual bool isDirty() const { return dirty; }
    virtual void setDirty(bool state = true) { dirty = state; }

    virtual void setMouseEnabled(bool state = true) { mouseEnabled = state; }
    virtual bool getMouseEnabled() const { return mouseEnabled; }
    virtual void setMouseableArea(const CRect& area) { mouseableArea = area; }
    virtual CRect& getMouseableArea(CRect& area) const;
    virtual bool hitTest(const CPoint& where, long buttons = -1);

    virtual void setTransparency(bool state) { transparencyEnabled = state; }
    virtual bool getTransparency() const { return transparencyEnabled; }

    virtual void setViewSize(CRect& newSize);
    virtual CRect& getViewSize(CRect& out) const;

    virtual bool removed(CView* parent);
    virtual bool attached(CView* parent);

    virtual CPoint& getMouseLocation(CDrawContext* context, CPoint& where);
    virtual CPoint& frameToLocal(CPoint& where) const;
    virtual CPoint& localToFrame(CPoint& where) const;

    virtual CHostLink* getEditor() const;
    virtual long notify(CView* sender, const char* message);
    virtual void redrawRect(CDrawContext* context, const CRect& rect);

    virtual bool wantsFocus() const { return focusWanted; }
    virtual void setWantsFocus(bool state) { focusWanted = state; }

    virtual bool isTypeOf(const char* type) const;
    virtual void update(CDrawContext* context);

    // Paints the view at once through its frame.
    void redraw();

    // A small store of byte blocks keyed by id. An existing block is overwritten
    // in place and never grows.
    bool setAttribute(unsigned long id, long size, const void* data);
    bool getAttributeSize(unsigned long id, long& size) const;
    bool getAttribute(unsigned long id, long capacity, void* data, long& size) const;

    // Set by the container that receives the view; not cleared on removal.
    CFrame* getFrame() const { return parentFrame; }
    void setFrame(CFrame* frame) { parentFrame = frame; }
    CView* getParentView() const { return parentView; }
    void setParentView(CView* parent) { parentView = parent; }

    const CRect& getSize() const { return size; }
    long getWidth() const { return size.getWidth(); }
    long getHeight() const { return size.getHeight(); }

  protected:
    CRect size;
    CRect mouseableArea;
    CFrame* parentFrame = nullptr;
    CView* parentView = nullptr;
    bool dirty = false;
    bool mouseEnabled = true;
    bool transparencyEnabled = false;
    bool focusWanted = false;
    CBitmap* background = nullptr;

  private:
    struct Attribute
    {
        unsigned long id;
        std::vector<uint8_t> data;
    };
    Attribute* findAttribute(unsigned long id);
    const Attribute* findAttribute(unsigned long id) const;

    std::vector<Attribute> attributes;
};
