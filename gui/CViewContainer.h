// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CView.h"

class COffscreenContext;

// Update modes of a container.
enum
{
    kNormalUpdate = 0, // redraw the whole container when anything in it is dirty
    kOnlyDirtyUpdate,  // redraw only the dirty children (the default)
};

// A view that holds an ordered list of child views (the last one is topmost),
// paints a background under them and routes drawing, mouse, wheel, keys and
// focus to them.
class CViewContainer : public CView
{
  public:
    CViewContainer(const CRect& size, CFrame* frame, CBitmap* background = nullptr);
    ~CViewContainer() override;

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
    long onKeyDown(VstKeyCode& keyCode) override;
    long onKeyUp(VstKeyCode& keyCode) override;
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
    bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                 float distance) override;
    void looseFocus(CDrawContext* context) override;
    void takeFocus(CDrawContext* context) override;
    bool isDirty() const override;
    void setViewSize(CRect& newSize) override;
    bool removed(CView* parent) override;
    bool attached(CView* parent) override;
    CPoint& frameToLocal(CPoint& where) const override;
    CPoint& localToFrame(CPoint& where) const override;
    long notify(CView* sender, const char* message) override;
    void redrawRect(CDrawContext* context, const CRect& rect) override;
    bool isTypeOf(const char* type) const override;
    void update(CDrawContext* context) override;

    virtual void addView(CView* view);
    virtual void addView(CView* view, CRect& mouseableArea, bool mouseEnabled = true);
    // release == true also drops the creator's reference.
    virtual void removeView(CView* view, const bool& release = true);
    virtual void removeAll(const bool& release = true);
    virtual bool isChild(CView* view) const;
    virtual long getNbViews() const;
    virtual CView* getView(long index) const;

    virtual void setBackgroundColor(CColor color);
    virtual CColor getBackgroundColor() const { return backgroundColor; }
    virtual void setBackgroundOffset(const CPoint& offset) { backgroundOffset = offset; }
    virtual const CPoint& getBackgroundOffset() const { return backgroundOffset; }
    virtual void drawBackgroundRect(CDrawContext* context, CRect& rect);

    virtual void setMode(long newMode) { mode = newMode; }
    virtual long getMode() const { return mode; }
    virtual void useOffscreen(bool enable);

    virtual CView* getCurrentView() const;
    virtual CView* getViewAt(const CPoint& where, bool recursive = false) const;
    virtual bool advanceNextFocusView(CView* current, bool backwards = false);

    // Whether a mouse-enabled child (topmost first) takes a click at where.
    bool hitTestSubViews(const CPoint& where, long buttons = -1);
    // Moves both offsets of the context into this container's coordinates.
    void modifyDrawContext(long save[4], CDrawContext* context);
    void restoreDrawContext(CDrawContext* context, long save[4]);

  protected:
    // 0, 0, width, height: the container's area in its own coordinates.
    CRect localBounds() const;

    // The children in insertion order; each holds one reference.
    std::vector<CView*> children;
    long mode = kOnlyDirtyUpdate;
    COffscreenContext* offscreen = nullptr;
    CColor backgroundColor;
    CPoint backgroundOffset;
    bool offscreenEnabled = false;

  private:
    CDrawContext* beginDrawing(CDrawContext* context, long save[4]);
    void endDrawing(CDrawContext* context, CDrawContext* target, long save[4], const CRect& area,
                    const CPoint& source);
    CRect childClip(const CRect& clipAsRead, CDrawContext* target) const;
    void ensureOffscreen();
    void detach(size_t index, bool release);
};
