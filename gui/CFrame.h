// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CViewContainer.h"

#include <cstdint>
#include <memory>

class CHostLink;
class PlatformWindow;

// Mouse cursor shapes for CFrame::setCursor.
enum CCursorType
{
    kCursorDefault = 0,
    kCursorWait,
    kCursorHSize,
    kCursorVSize,
    kCursorSizeAll,
    kCursorNESWSize,
    kCursorNWSESize,
    kCursorCopy,
    kCursorNotAllowed,
    kCursorHand,
};

// The root of the editor's view tree and its only link to the window system:
// it sits in the host's window, repaints what is dirty on idle, and receives
// paint, mouse, wheel and key events.
class CFrame : public CViewContainer
{
  public:
    // systemWindow is the host's parent window (an X11 Window id, an HWND); editor is the
    // editor that owns the frame, the frame's way to the host (may be null), and gives its
    // scale. Without a
    // usable window the frame still answers every call; it only receives no events.
    CFrame(const CRect& size, void* systemWindow, CHostLink* editor);
    ~CFrame() override;

    // Only frames that make a window of their own open and close; this one does not.
    virtual bool open(CPoint* where = nullptr);
    virtual bool close();
    virtual bool isOpen() const { return openFlag; }

    virtual void idle();
    virtual void doIdleStuff();
    virtual uint32_t getTicks() const;
    virtual long getKnobMode() const;

    // The screen's pixels per frame unit. Layout, hit-testing and values stay in frame units
    // at every scale; the window is the frame's size times the scale and everything is drawn
    // at its pixel density. A scale outside 1 to 4 (or not a number) is taken as the nearest
    // of them, NaN as 1. True when the scale changed: the frame is then redrawn whole.
    bool setScale(double scale);
    double getScale() const { return scale; }
    static double clampScale(double scale);
    // A rectangle of frame units as the window's pixels (rounded outwards), and back.
    CRect toPixels(const CRect& units) const;
    CRect toUnits(const CRect& pixels) const;
    CPoint toUnits(const CPoint& pixel) const;

    virtual bool setPosition(long x, long y);
    virtual bool getPosition(long& x, long& y) const;
    virtual bool setSize(long width, long height);
    virtual bool getSize(CRect* out) const;
    virtual bool getSize(CRect& out) const { return getSize(&out); }
    using CViewContainer::getSize;

    // Refuses (false) to replace one modal view by another; clear it first with null.
    virtual bool setModalView(CView* view);
    virtual CView* getModalView() const { return modalView; }

    virtual void beginEdit(long index);
    virtual void endEdit(long index);

    // The mouse position in frame coordinates.
    virtual bool getCurrentLocation(CPoint& where);
    virtual void setCursor(CCursorType type);

    virtual void setFocusView(CView* view);
    virtual CView* getFocusView() const { return focusView; }

    virtual bool setDropActive(bool active);
    virtual bool isDropActive() const { return dropActive; }
    virtual void setOpenFlag(bool state) { openFlag = state; }
    virtual bool getOpenFlag() const { return openFlag; }

    // Marks every child touching rect dirty; nothing is drawn at once.
    virtual void invalidate(const CRect& rect);
    virtual bool updatesDisabled() const { return updatesOff; }
    virtual bool updatesDisabled(bool state);

    // Paints one direct child now; anything else paints the whole frame.
    virtual void draw(CView* view);

    // Removing the modal view also ends it.
    void removeView(CView* view, const bool& release = true) override;
    void removeAll(const bool& release = true) override;

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
    long onKeyDown(VstKeyCode& keyCode) override;
    long onKeyUp(VstKeyCode& keyCode) override;
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
    bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis,
                 float distance) override;
    void setViewSize(CRect& newSize) override;
    CHostLink* getEditor() const override { return editor; }
    bool isTypeOf(const char* type) const override;
    void update(CDrawContext* context) override;
    CView* getCurrentView() const override;
    bool advanceNextFocusView(CView* current, bool backwards = false) override;

    // A context for the frame's window holding one reference for the caller:
    // the one the frame is drawing into, or a new one.
    CDrawContext* createDrawContext();
    // Attaches the frame to the host's window; false when there is none.
    bool initFrame(void* systemWindow);

    void* getSystemWindow() const { return systemWindow; }
    // The frame's own child window; null when the platform set-up failed.
    PlatformWindow* getPlatformWindow() const { return platformWindow.get(); }
    // The frame-sized image every paint goes into before it reaches the window.
    // The frame paints there whatever context it is given; only without a back
    // buffer does it draw on the given context.
    COffscreenContext* getBackBuffer();
    // The window's surface density changed: the next paint makes a back buffer of the new one.
    void surfaceChanged();

  private:
    template <class Paint> void paint(CDrawContext* context, Paint paintInto);
    // Copies the back buffer's rect to the window in one go.
    void present(const CRect& rect);
    void dropBackBuffer();

    CHostLink* editor;
    void* systemWindow;
    CView* modalView = nullptr;
    CView* focusView = nullptr;
    bool firstDraw = true;
    bool openFlag = true;
    bool dropActive = false;
    bool updatesOff = false;
    double scale = 1;

    std::unique_ptr<PlatformWindow> platformWindow;
    COffscreenContext* backBuffer = nullptr;
    CDrawContext* liveContext = nullptr; // what createDrawContext hands out during a paint
    int paintDepth = 0;
    CRect unpresented; // painted into the back buffer, not yet on the window
};
