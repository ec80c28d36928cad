// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/mac/CocoaView.h"

#include "gui/platform/mac/CocoaWindow.h"

#include <cstdio>
#include <dlfcn.h>

namespace
{
constexpr const char* kOwner = "sferantOwner";
Class viewClass = nullptr;
ptrdiff_t ownerOffset = 0;

CocoaWindow*& ownerOf(id self)
{
    return *reinterpret_cast<CocoaWindow**>(reinterpret_cast<char*>(self) + ownerOffset);
}

bool yes(id, SEL)
{
    return true;
}

bool yesTo(id, SEL, id)
{
    return true;
}

void drawRect(id self, SEL, CGRect dirty)
{
    if (CocoaWindow* owner = ownerOf(self)) owner->draw(dirty);
}

template <void (CocoaWindow::*Handle)(id)> void forward(id self, SEL, id event)
{
    if (CocoaWindow* owner = ownerOf(self)) (owner->*Handle)(event);
}

// The frame tracks a drag itself, reading the pointer until the button goes up.
void mouseTracked(id, SEL, id) {}

void backingChanged(id self, SEL)
{
    if (CocoaWindow* owner = ownerOf(self)) owner->backingChanged();
}

// A key the frame does not take goes on to the host's views.
template <bool Down> void key(id self, SEL selector, id event)
{
    CocoaWindow* owner = ownerOf(self);
    if (!owner || !owner->key(event, Down))
        send<void>(send<id>(self, "nextResponder"), sel_getName(selector), event);
}

template <class Function> IMP imp(Function function)
{
    return reinterpret_cast<IMP>(function);
}

struct Method
{
    const char* selector;
    IMP function;
    const char* types;
};

const Method kMethods[] = {
    {"isFlipped", imp(yes), "c@:"},
    {"acceptsFirstResponder", imp(yes), "c@:"},
    {"acceptsFirstMouse:", imp(yesTo), "c@:@"},
    {"drawRect:", imp(drawRect), "v@:{CGRect={CGPoint=dd}{CGSize=dd}}"},
    {"mouseDown:", imp(forward<&CocoaWindow::mouseDown>), "v@:@"},
    {"rightMouseDown:", imp(forward<&CocoaWindow::mouseDown>), "v@:@"},
    {"otherMouseDown:", imp(forward<&CocoaWindow::mouseDown>), "v@:@"},
    {"mouseDragged:", imp(mouseTracked), "v@:@"},
    {"mouseUp:", imp(mouseTracked), "v@:@"},
    {"scrollWheel:", imp(forward<&CocoaWindow::scrollWheel>), "v@:@"},
    {"keyDown:", imp(key<true>), "v@:@"},
    {"keyUp:", imp(key<false>), "v@:@"},
    {"viewDidChangeBackingProperties", imp(backingChanged), "v@:"},
    {"viewDidMoveToWindow", imp(backingChanged), "v@:"},
};

// Classes stay registered as long as the process and their methods are code of this module:
// once a view exists, the module stays loaded.
void keepModuleLoaded()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&keepModuleLoaded), &info) && info.dli_fname)
        dlopen(info.dli_fname, RTLD_NOLOAD | RTLD_NODELETE);
}

bool registerViewClass()
{
    if (viewClass) return true;
    char name[64];
    std::snprintf(name, sizeof name, "SferantFrameView_%lx",
                  static_cast<unsigned long>(reinterpret_cast<uintptr_t>(&viewClass)));
    Class superclass = objc_getClass("NSView");
    Class made = superclass ? objc_allocateClassPair(superclass, name, 0) : nullptr;
    if (!made) return false;
    viewClass = made;
    class_addIvar(viewClass, kOwner, sizeof(void*), 3, "^v");
    for (const Method& method : kMethods)
        class_addMethod(viewClass, sel_registerName(method.selector), method.function,
                        method.types);
    objc_registerClassPair(viewClass);
    ownerOffset = ivar_getOffset(class_getInstanceVariable(viewClass, kOwner));
    keepModuleLoaded();
    return true;
}
} // namespace

id createFrameView(CocoaWindow* owner, CGFloat width, CGFloat height)
{
    if (!registerViewClass()) return nullptr;
    id view = send<id>(viewClass, "alloc");
    view = send<id, CGRect>(view, "initWithFrame:", CGRect{{0, 0}, {width, height}});
    if (view) ownerOf(view) = owner;
    return view;
}

void detachFrameView(id view)
{
    ownerOf(view) = nullptr;
    send<void>(view, "removeFromSuperview");
    send<void>(view, "release");
}
