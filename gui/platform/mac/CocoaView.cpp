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

void drawRect(id self, SEL, CGRect dirty)
{
    if (CocoaWindow* owner = ownerOf(self)) owner->draw(dirty);
}

void mouseDown(id self, SEL, id event)
{
    if (CocoaWindow* owner = ownerOf(self)) owner->mouseDown(event);
}

// The frame tracks a drag itself, reading the pointer until the button goes up.
void mouseTracked(id, SEL, id) {}

void scrollWheel(id self, SEL, id event)
{
    if (CocoaWindow* owner = ownerOf(self)) owner->scrollWheel(event);
}

void keyDown(id self, SEL selector, id event)
{
    CocoaWindow* owner = ownerOf(self);
    if (!owner || !owner->key(event, true))
        send<void>(send<id>(self, "nextResponder"), sel_getName(selector), event);
}

void keyUp(id self, SEL selector, id event)
{
    CocoaWindow* owner = ownerOf(self);
    if (!owner || !owner->key(event, false))
        send<void>(send<id>(self, "nextResponder"), sel_getName(selector), event);
}

// Classes stay registered as long as the process and their methods are code of this module:
// once a view exists, the module stays loaded.
void keepModuleLoaded()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&keepModuleLoaded), &info) && info.dli_fname)
        dlopen(info.dli_fname, RTLD_NOLOAD | RTLD_NODELETE);
}

template <class Function> void addMethod(const char* selector, Function function, const char* types)
{
    class_addMethod(viewClass, sel_registerName(selector), reinterpret_cast<IMP>(function), types);
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
    addMethod("isFlipped", yes, "c@:");
    addMethod("acceptsFirstResponder", yes, "c@:");
    addMethod("acceptsFirstMouse:", yes, "c@:@");
    addMethod("drawRect:", drawRect, "v@:{CGRect={CGPoint=dd}{CGSize=dd}}");
    addMethod("mouseDown:", mouseDown, "v@:@");
    addMethod("rightMouseDown:", mouseDown, "v@:@");
    addMethod("otherMouseDown:", mouseDown, "v@:@");
    addMethod("mouseDragged:", mouseTracked, "v@:@");
    addMethod("mouseUp:", mouseTracked, "v@:@");
    addMethod("scrollWheel:", scrollWheel, "v@:@");
    addMethod("keyDown:", keyDown, "v@:@");
    addMethod("keyUp:", keyUp, "v@:@");
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
