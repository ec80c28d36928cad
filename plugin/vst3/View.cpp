// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/vst3/View.h"

#include "gui/CFrame.h"
#include "gui/platform/PlatformWindow.h"
#include "plugin/vst3/Encoder.h"

#include <cstring>
#include <new>

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <vector>
#elif defined(__APPLE__)
#include "gui/platform/mac/MacSystem.h"
#endif

namespace sferant::vst3
{

namespace
{

// How often the editor's idle runs.
constexpr uint32_t kIdleMilliseconds = 20;

#ifdef _WIN32
constexpr const char* kPlatformType = V3_VIEW_PLATFORM_TYPE_HWND;
// The views whose timers run, by timer id (main thread only).
std::vector<std::pair<UINT_PTR, View*>> runningTimers;
void CALLBACK onWindowsTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    for (const auto& [timer, view] : runningTimers)
        if (timer == id) return view->tick();
}
#elif defined(__APPLE__)
constexpr const char* kPlatformType = V3_VIEW_PLATFORM_TYPE_NSVIEW;
void onMacTimer(CFRunLoopTimerRef, void* view)
{
    static_cast<View*>(view)->tick();
}
#else
constexpr const char* kPlatformType = V3_VIEW_PLATFORM_TYPE_X11;
#endif

View& view(void* self)
{
    return Face<View>::of(self);
}

v3_result V3_API queryView(void* self, const v3_tuid iid, void** object)
{
    return view(self).queryInterface(iid, object);
}
uint32_t V3_API refView(void* self)
{
    return view(self).ref();
}
uint32_t V3_API unrefView(void* self)
{
    return view(self).unref();
}
v3_result V3_API isTypeSupported(void*, const char* type)
{
    return type && !std::strcmp(type, kPlatformType) ? V3_TRUE : V3_FALSE;
}
v3_result V3_API attached(void* self, void* parent, const char* type)
{
    return view(self).attached(parent, type);
}
v3_result V3_API removed(void* self)
{
    return view(self).removed();
}
v3_result V3_API notHandled(void*)
{
    return V3_FALSE;
}
v3_result V3_API onWheel(void*, float)
{
    return V3_FALSE;
}
v3_result V3_API onKey(void*, int16_t, int16_t, int16_t)
{
    return V3_FALSE;
}
v3_result V3_API getSize(void* self, v3_view_rect* rect)
{
    return view(self).size(rect);
}
// A fixed size: the host may only give the view the size it has.
v3_result V3_API onSize(void* self, v3_view_rect* rect)
{
    v3_view_rect own{};
    return rect && view(self).size(&own) == V3_OK && rect->right - rect->left == own.right &&
                   rect->bottom - rect->top == own.bottom
               ? V3_OK
               : V3_FALSE;
}
v3_result V3_API onFocus(void*, v3_bool)
{
    return V3_OK;
}
v3_result V3_API setFrame(void* self, v3_plugin_frame** frame)
{
    return view(self).setFrame(frame);
}
v3_result V3_API checkSize(void* self, v3_view_rect* rect)
{
    return onSize(self, rect);
}
void V3_API onTimer(void* self)
{
    view(self).tick();
}

const v3_plugin_view_cpp kViewTable = {
    {queryView, refView, unrefView},
    {isTypeSupported, attached, removed, onWheel, onKey, onKey, getSize, onSize, onFocus, setFrame,
     notHandled, checkSize},
};
const v3_timer_handler_cpp kTimerTable = {{queryView, refView, unrefView}, {onTimer}};
void V3_API onEvents(void* self, int)
{
    view(self).tick();
}
const v3_event_handler_cpp kEventTable = {{queryView, refView, unrefView}, {onEvents}};
v3_result V3_API setScaleFactor(void* self, float factor)
{
    return view(self).setContentScale(factor);
}
const v3_plugin_view_content_scale_cpp kScaleTable = {{queryView, refView, unrefView},
                                                      {setScaleFactor}};

} // namespace

View* View::create(Encoder& encoder)
{
    return new (std::nothrow) View(encoder);
}

View::View(Encoder& e)
    : viewFace{&kViewTable, this}, timerFace{&kTimerTable, this}, eventFace{&kEventTable, this},
      scaleFace{&kScaleTable, this}, encoder(&e), editor(*this, e.edition.badge)
{
    encoder->ref();
    for (int i = 0; i < kNumParams; ++i)
        shown[i] = value(i);
}

View::~View()
{
    removed();
    setFrame(nullptr);
    if (encoder)
    {
        encoder->viewClosed(this);
        encoder->unref();
    }
}

v3_result View::queryInterface(const v3_tuid iid, void** object)
{
    void* face = nullptr;
    if (sameId(iid, v3_funknown_iid) || sameId(iid, v3_plugin_view_iid))
        face = &viewFace;
    else if (sameId(iid, v3_timer_handler_iid))
        face = &timerFace;
    else if (sameId(iid, v3_event_handler_iid))
        face = &eventFace;
    else if (sameId(iid, v3_plugin_view_content_scale_iid))
        face = &scaleFace;
    if (object) *object = face;
    if (!face) return V3_NO_INTERFACE;
    ref();
    return V3_OK;
}

uint32_t View::unref()
{
    const uint32_t left = --references;
    if (!left) delete this;
    return left;
}

v3_result View::attached(void* parent, const char* type)
{
    if (open || !parent || isTypeSupported(nullptr, type) != V3_TRUE) return V3_FALSE;
    editor.open(parent);
    CFrame* editorFrame = editor.getFrame();
    if (!editorFrame || !editorFrame->getPlatformWindow())
    {
        editor.close();
        return V3_FALSE;
    }
    open = true;
    startTimer();
    return V3_OK;
}

v3_result View::removed()
{
    if (!open) return V3_FALSE;
    stopTimer();
    editor.close();
    open = false;
    return V3_OK;
}

v3_result View::size(v3_view_rect* rect)
{
    ERect* own = nullptr;
    if (!rect || !editor.getRect(&own) || !own) return V3_FALSE;
    *rect = {0, 0, own->right - own->left, own->bottom - own->top};
    return V3_OK;
}

// The run loop is the frame's (Linux); it must be there before the view is attached.
v3_result View::setFrame(v3_plugin_frame** newFrame)
{
    if (runLoop) v3_cpp_obj_unref(runLoop);
    runLoop = nullptr;
    frame = newFrame;
#ifndef _WIN32
    if (frame && v3_cpp_obj_query_interface(frame, v3_run_loop_iid, &runLoop) != V3_OK)
        runLoop = nullptr;
#endif
    return V3_OK;
}

// Cocoa counts in points, and the window layer follows the screen's density itself.
v3_result View::setContentScale([[maybe_unused]] float factor)
{
#ifdef __APPLE__
    return V3_FALSE;
#else
    editor.setContentScale(factor);
    return V3_OK;
#endif
}

// A new scale gives a new size; the host resizes its window and confirms it with on_size.
bool View::resizeWindow(int width, int height)
{
    v3_view_rect rect{0, 0, width, height};
    return frame && v3_cpp_obj(frame)->resize_view(frame, record(), &rect) == V3_OK;
}

void View::startTimer()
{
#if defined(_WIN32)
    timer = SetTimer(nullptr, 0, kIdleMilliseconds, onWindowsTimer);
    if (timer) runningTimers.emplace_back(timer, this);
#elif defined(__APPLE__)
    // Mac hosts have no run loop interface: a timer on the main run loop of our own.
    const double seconds = kIdleMilliseconds / 1000.0;
    CFRunLoopTimerContext context{0, this, nullptr, nullptr, nullptr};
    CFRunLoopTimerRef own = CFRunLoopTimerCreate(nullptr, CFAbsoluteTimeGetCurrent() + seconds,
                                                 seconds, 0, 0, onMacTimer, &context);
    if (own) CFRunLoopAddTimer(CFRunLoopGetMain(), own, kCFRunLoopCommonModes);
    timer = reinterpret_cast<uintptr_t>(own);
#else
    if (!runLoop) return;
    auto* loop = v3_cpp_obj(runLoop);
    timer = loop->register_timer(runLoop, reinterpret_cast<v3_timer_handler**>(&timerFace),
                                 kIdleMilliseconds) == V3_OK;
    const int fd = editor.getFrame()->getPlatformWindow()->getEventDescriptor();
    watching =
        fd >= 0 && loop->register_event_handler(
                       runLoop, reinterpret_cast<v3_event_handler**>(&eventFace), fd) == V3_OK;
#endif
}

void View::stopTimer()
{
#ifndef _WIN32
    if (watching && runLoop)
        v3_cpp_obj(runLoop)->unregister_event_handler(
            runLoop, reinterpret_cast<v3_event_handler**>(&eventFace));
    watching = false;
#endif
    if (!timer) return;
#if defined(_WIN32)
    KillTimer(nullptr, timer);
    runningTimers.erase(std::remove_if(runningTimers.begin(), runningTimers.end(),
                                       [this](const auto& t) { return t.second == this; }),
                        runningTimers.end());
#elif defined(__APPLE__)
    CFRunLoopTimerInvalidate(reinterpret_cast<CFRunLoopTimerRef>(timer));
    CFRelease(reinterpret_cast<CFRunLoopTimerRef>(timer));
#else
    if (runLoop)
        v3_cpp_obj(runLoop)->unregister_timer(runLoop,
                                              reinterpret_cast<v3_timer_handler**>(&timerFace));
#endif
    timer = 0;
}

// The host's values reach the controls here, on the main thread; the editor's idle runs
// its window's events.
void View::tick()
{
    if (!open) return;
    for (int i = 0; i < kNumParams; ++i)
        if (value(i) != shown[i])
        {
            shown[i] = value(i);
            editor.parameterChanged(i);
        }
    editor.idle();
}

float View::value(int index) const
{
    return encoder ? static_cast<float>(encoder->normalised(v3_param_id(index))) : 0.0f;
}

void View::beginGesture(int index)
{
    if (encoder) encoder->beginEdit(index);
}

void View::setFromGesture(int index, float newValue)
{
    if (encoder) encoder->performEdit(index, newValue);
    shown[index] = newValue;
    editor.parameterChanged(index);
}

void View::endGesture(int index)
{
    if (encoder) encoder->endEdit(index);
}

} // namespace sferant::vst3
